# Browsing onto a second volume, a real ext4 one that Drive1 must offer, and opening from it: a
# click on a file puts its size into the title bar, and a double click and the popup's first
# item hand the desktop file:// addresses of the file and its folder built from the paths'
# exact bytes, as a stub xdg-open first on the program's PATH records them.
outside="$E2E_TMP/outside"
VOLUME="$outside/volume"
mkdir -p "$VOLUME" "$E2E_TMP/bin"
truncate -s 16M "$E2E_TMP/volume.img"
mkfs.ext4 -q -F "$E2E_TMP/volume.img" && LOOP_DEVICE=$(losetup -f --show "$E2E_TMP/volume.img") &&
    mount "$LOOP_DEVICE" "$VOLUME" || e2e_fail "no ext4 volume could be mounted"
# The name is not valid UTF-8 and holds characters an address must escape.
head -c 777 /dev/zero >"$VOLUME/a"$'\xfe'" 50% #1.txt"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$E2E_TMP/opened" >"$E2E_TMP/bin/xdg-open"
chmod +x "$E2E_TMP/bin/xdg-open"
PATH="$E2E_TMP/bin:$PATH" e2e_start_app "$outside"
# Drive1 stands at 0, 0 of the client area: its open list finds the volume by its typed root.
e2e_click 80 10
xdotool type --delay 20 "$VOLUME"
xdotool key Return
# File1's first row, right of the folder list.
title_starts() { E2E_SEEN=$(xdotool getwindowname "$WID") && [[ "$E2E_SEEN" == "$1"* ]]; }
e2e_click 200 30
e2e_wait_for "the volume's file was not shown with its size" title_starts "777B，约0.76KB"
# mktemp names hold only letters and digits, which the addresses keep as they are.
arrived() { E2E_SEEN=$(cat "$E2E_TMP/opened" 2>/dev/null) && [ "$E2E_SEEN" = "$1" ]; }
file="file://$VOLUME/a%FE%2050%25%20%231.txt"
xdotool mousemove --window "$WID" 200 30 click --repeat 2 --delay 100 1
e2e_wait_for "the file's address did not arrive" arrived "$file"
e2e_click 200 30 3
xdotool key --delay 150 Down Return
e2e_wait_for "the folder's address did not arrive" arrived "$file"$'\n'"file://$VOLUME/"
