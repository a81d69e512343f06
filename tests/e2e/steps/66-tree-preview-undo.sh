# A tree of three levels through the batch preview with 包含子文件夹 ticked: 改格式名 "doc" over a
# name taken by a folder in one folder only, two files that want one name and a name that is not
# UTF-8. 执行 and Yes rename the files without a problem in one run; one Ctrl+Z in the main window
# gives every file of the tree its name and content back.
export XDG_STATE_HOME="$E2E_TMP/tree-state"
folder="$E2E_TMP/tree"
odd=$'odd\xff'
mkdir -p "$folder/s/t/b.doc"
for name in a.txt b.txt s/x.txt s/x.log s/t/b.txt "s/t/$odd.txt"; do
    printf '%s' "$name" >"$folder/$name"
done
before=$(e2e_folder_state "$folder" 4)
e2e_start_app "$folder"
# Check4 stands at 164, 240 and Text4 at 234, 238 of the client area.
e2e_click 170 246
e2e_click 250 246
xdotool type --delay 50 "doc"
xdotool key F2
tree_preview() {
    PREVIEW=$(xdotool search --onlyvisible --name '^批量预览$' 2>/dev/null | head -n 1 || true)
    [ -n "$PREVIEW" ]
}
e2e_wait_for "F2 did not open the batch preview" tree_preview
sleep 0.5
# 包含子文件夹, under the rule sets.
eval "$(xdotool getwindowgeometry --shell "$PREVIEW")"
xdotool mousemove $((X + 60)) $((Y + 150)) sleep 0.3 mousedown 1 sleep 0.2 mouseup 1
sleep 1
e2e_answer_yes xdotool key ctrl+Return
files_now() { (cd "$folder" && find . -type f | LC_ALL=C sort | tr '\n' ' '); }
renamed_as_shown() {
    E2E_SEEN=$(files_now)
    [ "$E2E_SEEN" = "./a.doc ./b.doc ./s/t/b.txt ./s/t/$odd.doc ./s/x.log ./s/x.txt " ] &&
        [ "$(cat "$folder/s/t/$odd.doc")" = "s/t/$odd.txt" ]
}
e2e_wait_for "the tree does not hold what the table showed" renamed_as_shown
# The file list, not the text box that keeps Ctrl+Z for its own text, takes the key.
e2e_click 180 170
e2e_answer_yes e2e_press_ctrl_z
restored() { [ "$(e2e_folder_state "$folder" 4)" = "$before" ]; }
e2e_wait_for "one Ctrl+Z did not give every file of the tree its name and content back" restored
