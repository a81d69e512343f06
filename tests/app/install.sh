#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that a desktop finds the program
# there: the executable, a valid desktop entry, and the icon in every size, each image a PNG
# of its size.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$1" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/vornak" ] || fail "no executable bin/vornak"
entry="$prefix/share/applications/vornak.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
for size in 16 32 48 64; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/vornak.png"
    [ -f "$icon" ] || fail "no icon of $size pixels"
    # The PNG signature, the IHDR chunk's length and type, then width and height as 32-bit
    # big-endian numbers.
    header=$(od -An -tu1 -N24 "$icon" | xargs)
    [ "$header" = "137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 0 0 0 $size 0 0 0 $size" ] ||
        fail "$icon is no PNG of ${size}x${size}: $header"
done
echo "install: all checks passed"
