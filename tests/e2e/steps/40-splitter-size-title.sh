# The bar between the folder list and the file list drags their boundary; a click on a file puts
# its size into the title bar.
split="$E2E_TMP/split"
mkdir -p "$split"
head -c 777 /dev/zero >"$split/only.bin"
e2e_start_app "$split"
# 130, 30 lies in the folder list, which reaches 162: a click there shows no size.
e2e_click 130 30
[ "$(e2e_title)" = "Vornak" ] || e2e_fail "a click in the folder list changed the title to '$(e2e_title)'"
# The bar stands at 162, 20 and is 2 pixels wide; dragged to 100 it takes the file list along.
xdotool mousemove --window "$WID" 162 100 mousedown 1
sleep 0.2
xdotool mousemove --window "$WID" 130 100
sleep 0.2
xdotool mousemove --window "$WID" 100 100
sleep 0.2
xdotool mouseup 1
sleep 0.3
e2e_click 130 30
e2e_wait_for "a click at 130 reaches the moved file list" title_starts "777B，约0.76KB"
