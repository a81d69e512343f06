# Three groups of copies: two files, two hard links of one file with a copy of its own, and a
# sparse pair made with truncate that holds no blocks. 内容检查 from the popup, then the report's
# 移到回收站… keeping the oldest: the window tells the bytes emptying the trash frees (one block
# of the newer copy, one of the twice-linked file, none of the sparse file); Yes moves them to the
# test's own trash, and one Ctrl+Z in the main window puts every name back with its content.
folder="$E2E_TMP/copies"
mkdir -p "$folder"
printf 'same' >"$folder/a.txt"
printf 'same' >"$folder/b.txt"
printf 'hard' >"$folder/h1"
ln "$folder/h1" "$folder/h2"
printf 'hard' >"$folder/h3"
truncate -s 1M "$folder/s1" "$folder/s2"
touch -d '2001-01-01' "$folder/a.txt" "$folder/h3" "$folder/s1"
touch -d '2002-01-01' "$folder/b.txt" "$folder/h1" "$folder/s2"
cp -a "$folder" "$E2E_TMP/copies-before"
freed=$(($(stat -c '%b * %B' "$folder/b.txt") + $(stat -c '%b * %B' "$folder/h1") + $(stat -c '%b * %B' "$folder/s2")))
e2e_start_app "$folder"
e2e_click 200 30
# 内容检查 in the popup: 打开文件夹, 打开文件, 删除文件, 检查, into the submenu, 检查文件,
# 全体检查, 内容检查. A slow start can swallow the keys: then the popup is tried again.
for attempt in 1 2 3; do
    e2e_click 200 30 3
    xdotool key --delay 150 Down Down Down Down Right Down Down Return
    for i in $(seq 50); do
        e2e_window 内容检查结果 && break
        sleep 0.1
    done
    [ -n "$FOUND" ] && break
    xdotool key Escape Escape
done
[ -n "$FOUND" ] || e2e_fail "the content check's report did not open"
results=$FOUND
sleep 0.5
# 移到回收站… stands at the report's bottom left.
eval "$(xdotool getwindowgeometry --shell "$results")"
xdotool mousemove $((X + 20)) $((Y + HEIGHT - 15)) sleep 0.2 click 1
e2e_wait_for "移到回收站… did not open its window" e2e_window 移到回收站
window=$FOUND
sleep 0.5
# 最早的 is the rule offered first; the plan's first line tells the bytes freed.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) sleep 0.2 click 1
grouped=$(echo "$freed" | sed -e ':a' -e 's/\B[0-9]\{3\}\>/,&/' -e 'ta')
freed_shown() {
    xdotool windowfocus --sync "$window" key ctrl+a sleep 0.2 key ctrl+c sleep 0.2
    E2E_SEEN=$(xclip -o -selection clipboard 2>/dev/null | head -n 1)
    [[ "$E2E_SEEN" == *"可释放 $grouped 字节" ]]
}
e2e_wait_for "the window did not tell $grouped bytes freed" freed_shown
e2e_answer_yes xdotool windowfocus --sync "$window" key Return
moved() { [ ! -e "$folder/b.txt" ] && [ ! -e "$folder/h1" ] && [ ! -e "$folder/s2" ]; }
e2e_wait_for "the copies were not moved to the trash" moved
# The outcome's message.
told() { [ "$(e2e_windows_titled Vornak)" -ge 1 ]; }
e2e_wait_for "the outcome was not told" told
sleep 0.3
xdotool key Return
sleep 0.3
e2e_click 180 170
e2e_answer_yes xdotool windowfocus --sync "$WID" key ctrl+z
restored() {
    diff -r "$E2E_TMP/copies-before" "$folder" >/dev/null &&
        [ "$(stat -c %h "$folder/h1")" = 2 ] &&
        [ -z "$(find "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" -mindepth 1)" ]
}
e2e_wait_for "Ctrl+Z did not bring every file back by name and content" restored
e2e_stop_app
