# A tree of three levels through the batch preview with 包含子文件夹 ticked: 改格式名 "doc" over a
# name taken by a folder in one folder only, two files that want one name and a name that is not
# UTF-8. Ctrl+Enter and Yes rename the files without a problem in one run; one Ctrl+Z in the
# main window gives every file of the tree its name and content back.
folder="$E2E_TMP/tree"
odd=$'odd\xff'
mkdir -p "$folder/s/t/b.doc"
for name in a.txt b.txt s/x.txt s/x.log s/t/b.txt "s/t/$odd.txt"; do
    printf '%s' "$name" >"$folder/$name"
done
files_now() { (cd "$folder" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 tail -v -n +1); }
before=$(files_now)
e2e_start_app "$folder"
e2e_use_option 170 250 246 doc
xdotool key F2
e2e_wait_for "F2 did not open the batch preview" e2e_window 批量预览
sleep 0.5
# 包含子文件夹, under the rule sets.
eval "$(xdotool getwindowgeometry --shell "$FOUND")"
xdotool mousemove $((X + 60)) $((Y + 150)) sleep 0.3 mousedown 1 sleep 0.2 mouseup 1
sleep 1
e2e_answer_yes xdotool key ctrl+Return
renamed_as_shown() {
    E2E_SEEN=$(cd "$folder" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
    [ "$E2E_SEEN" = "./a.doc ./b.doc ./s/t/b.txt ./s/t/$odd.doc ./s/x.log ./s/x.txt " ] &&
        [ "$(cat "$folder/s/t/$odd.doc")" = "s/t/$odd.txt" ]
}
e2e_wait_for "the tree does not hold what the table showed" renamed_as_shown
# The file list, not the text box that keeps Ctrl+Z for its own text, takes the key.
e2e_click 180 170
e2e_answer_yes xdotool windowfocus --sync "$WID" key ctrl+z
restored() { [ "$(files_now)" = "$before" ]; }
e2e_wait_for "one Ctrl+Z did not give every file of the tree its name and content back" restored
