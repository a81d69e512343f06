#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that a desktop and a software centre
# find the program there: the executable, a valid desktop entry, valid AppStream metadata, and
# the icon scalable and in every size, each image a PNG of its size.
set -euo pipefail
id=io.github.vornak.Vornak
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# is_square_png FILE SIZE: the PNG signature, the IHDR chunk's length and type, then width and
# height as 32-bit big-endian numbers.
is_square_png() {
    local side="0 0 $(($2 >> 8)) $(($2 & 255))"
    [ "$(od -An -tu1 -N24 "$1" | xargs)" = "137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 $side $side" ]
}

cmake --install "$1" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/vornak" ] || fail "no executable bin/vornak"
entry="$prefix/share/applications/$id.desktop"
[ -f "$entry" ] || fail "no desktop entry $id.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "no metadata $id.metainfo.xml"
# --strict fails on warnings too, not only on errors.
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli rejects the metadata"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
for size in 16 32 48 64; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -f "$icon" ] || fail "no icon of $size pixels"
    is_square_png "$icon" "$size" || fail "$icon is no PNG of ${size}x${size}"
done
svg="$prefix/share/icons/hicolor/scalable/apps/$id.svg"
[ -f "$svg" ] || fail "no scalable icon"
# Drawn at a dock's size, the scalable icon is a picture of that size.
rsvg-convert -w 256 -h 256 "$svg" -o "$prefix/icon-256.png" || fail "$svg cannot be drawn"
is_square_png "$prefix/icon-256.png" 256 || fail "$svg draws no 256-pixel picture"
echo "install: all checks passed"
