#!/usr/bin/env bash
# Installs the built package with apt-get, as a user would, checks the installed programs, manual
# pages and completion from their installed paths, and removes the package again however the
# test ends. Needs root. Usage: install.sh vornak_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
version=$(dpkg-deb -f "$deb" Version)
work=$(mktemp -d)
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
cleanup() {
    apt-get purge -y vornak >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

dpkg-query -W -f='${Status}' vornak 2>/dev/null | grep -q 'install ok installed' &&
    fail "vornak is installed already; this test would remove it"
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >/dev/null

[ "$(/usr/bin/vornak-cli --version)" = "vornak-cli $version" ] || fail "vornak-cli --version"
[ -x /usr/bin/vornak ] || fail "no /usr/bin/vornak"
mkdir "$work/files" "$work/state"
printf 'a' >"$work/files/a.txt"
plan=$(XDG_STATE_HOME="$work/state" LANG=C.UTF-8 /usr/bin/vornak-cli plan --tsv --prefix 'x_' "$work/files")
[ "$(printf '%s\n' "$plan" | tail -n 1 | cut -f 3,4)" = "$(printf 'a.txt\tx_a.txt')" ] ||
    fail "vornak-cli plan from the package planned: $plan"
[ -e "$work/files/a.txt" ] || fail "plan changed the folder"
LANG=en_US.UTF-8 /usr/bin/vornak-cli --help | grep -q '^Usage: vornak-cli' ||
    fail "the installed vornak-cli does not speak English for LANG=en_US.UTF-8"
for page in vornak vornak-cli; do
    [ -e "/usr/share/man/man1/$page.1.gz" ] || fail "no manual page $page(1)"
    [ -e "/usr/share/man/zh_CN/man1/$page.1.gz" ] || fail "no Chinese manual page $page(1)"
done
completion=/usr/share/bash-completion/completions/vornak-cli
[ -f "$completion" ] || fail "no bash completion"
offered=$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"
    COMP_LINE="vornak-cli plan --pre"; COMP_POINT=${#COMP_LINE}; COMP_WORDS=(vornak-cli plan --pre)
    COMP_CWORD=2; _vornak_cli; echo "${COMPREPLY[*]}"' _ "$completion")
[ "$offered" = "--prefix" ] || fail "the completion offers '$offered' for 'plan --pre'"
echo "package: all checks passed"
