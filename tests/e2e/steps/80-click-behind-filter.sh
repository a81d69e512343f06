# A click queued behind edits of a filter in a folder of 100,000 files selects the entry under
# the pointer once the edits have been handled.
folder="$E2E_TMP/huge"
mkdir -p "$folder"
(cd "$folder" && seq -f 'f%05g' 0 99999 | xargs touch)
printf 12345 >"$folder/f00000"
e2e_start_app "$folder"
# T2 stands at 48, 196 of the client area; each key reads the folder again.
e2e_click 80 204
xdotool key ctrl+a
xdotool type --delay 1 f0000
xdotool mousemove --window "$WID" 200 30 click 1
e2e_expect_bytes "the click behind the edits was lost" 5
