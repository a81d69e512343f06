#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that a desktop finds the program
# there: the executable, a valid desktop entry that names it and its icon, and the icon in
# every size, each image really of its size.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/vornak" ] || fail "no executable bin/vornak"

entry="$prefix/share/applications/vornak.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
for line in 'Exec=vornak' 'Icon=vornak' 'Categories=Utility;FileTools;'; do
    grep -qxF "$line" "$entry" || fail "the entry lacks '$line'"
done

# A PNG holds its width and height as 32-bit big-endian numbers at bytes 16 to 23.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 32 48 64; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/vornak.png"
    [ -f "$icon" ] || fail "no icon of $size pixels"
    [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$icon is no PNG"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
done
echo "install: all checks passed"
