# Opening a file and its folder hands the desktop file:// addresses built from the paths' exact
# bytes: a stub xdg-open first on the program's PATH records what arrives. The file's name is
# not valid UTF-8, and both names hold characters an address must escape.
folder="$E2E_TMP/open/50% #1"
mkdir -p "$folder"
printf x >"$folder/a"$'\xfe'" b.txt"
e2e_stub_opener
PATH="$E2E_TMP/bin:$PATH" e2e_start_app "$folder"
# mktemp names hold only letters and digits, which the addresses keep as they are.
address="file://$E2E_TMP/open/50%25%20%231/"
arrived() {
    [ "$(cat "$OPENED" 2>/dev/null)" = "$1" ]
}
# A double click on File1's only entry opens the file.
xdotool mousemove --window "$WID" 200 30 click --repeat 2 --delay 100 1
e2e_wait_for "the file's address did not arrive" arrived "${address}a%FE%20b.txt"
# The popup's first item opens the folder.
e2e_popup_item 200 30 Down
e2e_wait_for "the folder's address did not arrive" \
    arrived "${address}a%FE%20b.txt"$'\n'"$address"
