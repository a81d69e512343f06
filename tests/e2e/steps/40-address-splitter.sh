# A folder path typed into the address box moves the lists there; the bar between the folder
# list and the file list drags their boundary.
start="$E2E_TMP/address/start"
target="$E2E_TMP/address/target"
mkdir -p "$start" "$target"
head -c 5 /dev/zero >"$start/start.bin"
head -c 1234 /dev/zero >"$target/target.bin"
e2e_start_app "$start"
e2e_enter_address typed "$target"
e2e_first_file_is "the typed folder's file is not listed" 1234
e2e_stop_app

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
e2e_wait_for "a click at 130 reaches the moved file list, got '$(e2e_title)'" \
    test "$(e2e_title)" = "777B，约0.76KB"
