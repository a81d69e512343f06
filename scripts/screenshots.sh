#!/usr/bin/env bash
# Takes the pictures of the main window in docs/, at 96 DPI and on a screen scaled twice over:
# the built program under its own X server, on a folder of sample files with the first one
# selected, so that the preview label shows a name with descenders and underscores. Then the
# batch preview at 96 DPI, on a folder of photos whose extensions 改格式名 makes "jpg". All of
# it in Chinese, then in English (the pictures named *-en*).
set -euo pipefail
cd "$(dirname "$0")/.."
VORNAK=$(realpath "${1:-build/vornak}")
export VORNAK
source tests/e2e/lib.sh
# The window's picture: the server now and then refuses the first image of a window just mapped.
capture() {
    local attempt
    for attempt in 1 2 3; do
        xwd -silent -id "$1" >"$E2E_TMP/window.xwd" 2>/dev/null && break
        sleep 0.5
    done
    xwdtopnm "$E2E_TMP/window.xwd" 2>/dev/null | pnmtopng >"$2"
}
# A folder of a fixed name, so that the folder list shows the same path in every picture.
folder=/tmp/示例
[ -e "$folder" ] && e2e_fail "$folder is in the way"
trap 'rm -rf "$folder"; e2e_cleanup' EXIT
e2e_start_xvfb
for language in zh en; do
    if [ "$language" = en ]; then
        export LANG=en_US.UTF-8 suffix=-en preview_title='Batch preview'
    else
        export LANG=C.UTF-8 suffix='' preview_title=批量预览
    fi
    rm -rf "$folder"
    mkdir -p "$folder/照片" "$folder/文档"
    # The names after the first begin with ideographs of higher code points, so it sorts first.
    for name in "前_gjpqy_test_file.txt" "旅行日记 2026.txt" "报告(终稿).docx" "照片_001.jpg" \
        "照片_002.jpg" "照片_010.jpg"; do
        printf '%s' "$name" >"$folder/$name"
    done
    for scale in 1 2; do
        export QT_SCALE_FACTOR=$scale
        e2e_start_app "$folder"
        # File1's first row, in the window's device pixels.
        e2e_click $((200 * scale)) $((30 * scale))
        sleep 0.5
        capture "$WID" "docs/main-window${suffix}-${scale}x.png"
        e2e_stop_app
    done

    unset QT_SCALE_FACTOR
    rm -rf "$folder"
    mkdir -p "$folder/封面.jpg"
    for name in DSC_0100.png IMG_0001.JPG IMG_0001.jpeg IMG_0002.JPG IMG_0003.jpg 封面.png \
        "旅行日记 2026.heic" 照片_010.tif; do
        printf '%s' "$name" >"$folder/$name"
    done
    e2e_start_app "$folder"
    # Check4 stands at 164, 240 and Text4 at 234, 238 of the client area.
    e2e_click 170 246
    e2e_click 250 246
    xdotool type --delay 50 "jpg"
    xdotool key F2
    sleep 1
    preview=$(xdotool search --onlyvisible --name "^$preview_title\$" | head -n 1)
    [ -n "$preview" ] || e2e_fail "F2 did not open the batch preview"
    capture "$preview" "docs/batch-preview${suffix}.png"
    e2e_stop_app
done
