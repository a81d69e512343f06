# A click on a file puts its size into the title bar.
folder="$E2E_TMP/size"
mkdir -p "$folder"
head -c 5000000 /dev/zero >"$folder/only.bin"
e2e_start_app "$folder"
# File1 stands at 164, 20 in the client area; its first row is just below its top edge.
e2e_click 200 30
e2e_wait_for "title shows the size, got '$(e2e_title)'" test "$(e2e_title)" = "5000000B，约4.77MB"
