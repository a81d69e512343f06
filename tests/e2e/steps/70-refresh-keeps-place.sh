# In a folder of 1000 files, each as many bytes long as its number, the file list stays where it
# was through a Dir1 click, an open and a delete: a click at the same place finds the same file,
# or after the delete the one that took its place.
folder="$E2E_TMP/many"
mkdir -p "$folder"
for i in $(seq 1000); do
    printf '%*s' "$i" '' >"$folder/f$(printf %04d "$i")"
done
e2e_stub_opener
PATH="$E2E_TMP/bin:$PATH" e2e_start_app "$folder"
# Typed into the list, a name selects its file and scrolls it into view.
e2e_click 200 30
xdotool type --delay 50 f0500
sleep 0.3
e2e_click 200 100
shown=$(e2e_title_bytes)
[ "$shown" -gt 100 ] || e2e_fail "the list did not scroll to f0500: '$(e2e_title)'"
e2e_click 80 30
e2e_click 200 100
e2e_expect_bytes "a Dir1 click moved the list" "$shown"
xdotool mousemove --window "$WID" 200 100 click --repeat 2 --delay 100 1
sleep 0.3
e2e_click 200 100
e2e_expect_bytes "opening the file moved the list" "$shown"
e2e_answer_yes e2e_popup_item 200 100 Down Down Down
sleep 0.3
e2e_click 200 100
e2e_expect_bytes "deleting the file moved the list" $((shown + 1))
