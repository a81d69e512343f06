# The batch preview: 改格式名 "doc" ticked, F2 opens the window over a folder where one new name
# is taken by a folder the list does not show and two files want the same name. Ctrl+A, Ctrl+C
# copy the table, which holds every status this folder makes; Ctrl+Enter and Return run the
# batch from the window, and only the files without a problem get their new names.
folder="$E2E_TMP/preview"
long=$(printf 'l%.0s' $(seq 252)).c
mkdir -p "$folder/b.doc"
for name in a.txt b.txt x.txt x.log y.doc Z.DOC "$long"; do
    printf '%s' "$name" >"$folder/$name"
done
e2e_start_app "$folder"
# Check4 stands at 164, 240 and Text4 at 234, 238 of the client area.
e2e_click 170 246
e2e_click 250 246
xdotool type --delay 50 "doc"
xdotool key F2
preview_window() {
    PREVIEW=$(xdotool search --onlyvisible --name '^批量预览$' 2>/dev/null | head -n 1 || true)
    [ -n "$PREVIEW" ]
}
e2e_wait_for "F2 did not open the batch preview" preview_window
sleep 0.5
# The table's first row, right of the rules.
xdotool mousemove --window "$PREVIEW" 500 45 click 1
sleep 0.3
xdotool key ctrl+a ctrl+c
sleep 0.3
copied() {
    xclip -o -selection clipboard >"$E2E_TMP/table" 2>/dev/null && [ "$(wc -l <"$E2E_TMP/table")" = 8 ]
}
e2e_wait_for "Ctrl+A, Ctrl+C did not copy the table's header and seven rows" copied
tab=$'\t'
[ "$(head -n 1 "$E2E_TMP/table")" = "序号${tab}文件夹${tab}原文件名${tab}新文件名${tab}状态" ] ||
    e2e_fail "the copied table does not start with its header"
# The rows without their number and (empty) folder.
tail -n +2 "$E2E_TMP/table" | cut -f 3- >"$E2E_TMP/rows"
for row in "a.txt${tab}a.doc${tab}将更改" "b.txt${tab}b.doc${tab}名称已被占用" \
    "x.log${tab}x.doc${tab}与本批重名" "x.txt${tab}x.doc${tab}与本批重名" \
    "y.doc${tab}y.doc${tab}不变" "Z.DOC${tab}Z.doc${tab}仅大小写" \
    "$long${tab}${long%c}doc${tab}名称太长"; do
    grep -qxF "$row" "$E2E_TMP/rows" || e2e_fail "the copied table lacks the row: $row"
done

e2e_answer_yes xdotool key ctrl+Return
renamed_as_shown() {
    [ "$(cat "$folder/a.doc" 2>/dev/null)" = a.txt ] && [ "$(cat "$folder/Z.doc" 2>/dev/null)" = Z.DOC ] &&
        [ "$(ls "$folder" | LC_ALL=C sort | tr '\n' ' ')" = "Z.doc a.doc b.doc b.txt $long x.log x.txt y.doc " ]
}
e2e_wait_for "the folder does not hold what the table showed" renamed_as_shown
