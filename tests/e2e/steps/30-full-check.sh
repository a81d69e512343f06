# A full check chosen through the file list's popup opens the results window; a click on the
# report puts it on the clipboard exactly, lone carriage returns and all.
folder="$E2E_TMP/full-check"
mkdir -p "$folder"
printf '0123456789' >"$folder/a.txt"
printf 'abcdefghij' >"$folder/b.txt"
printf '%020d' 0 >"$folder/c.txt"
printf 'ABCDEFGHIJ' >"$folder/d.txt"
e2e_start_app "$folder"
# Select the first entry, then open the popup over it: all items are enabled, so the keys
# go 打开文件夹, 打开文件, 删除文件, 检查, into the submenu, 检查文件, 全体检查.
e2e_click 200 30
results=""
run_full_check() {
    e2e_click 200 30 3
    sleep 0.3
    xdotool key --delay 150 Down Down Down Down Right Down Return
    local i
    for i in $(seq 30); do
        results=$(xdotool search --name '^检查结果$' 2>/dev/null | head -n 1 || true)
        [ -n "$results" ] && return 0
        sleep 0.1
    done
    # A slow start can swallow the keys; close whatever is open and try again.
    xdotool key Escape Escape
    return 1
}
for attempt in 1 2 3; do
    run_full_check && break
done
[ -n "$results" ] || e2e_fail "the results window did not open"
expected="$E2E_TMP/expected-report"
rule='-------检查完成-------'
line() { printf '\r文件 “%s” 跟 “%s” 大小一致，可能是重复文件\r' "$1" "$2"; }
{ line a.txt b.txt; line a.txt d.txt; line b.txt d.txt; printf '\r%s' "$rule"; } >"$expected"
copied_report() {
    xdotool mousemove --window "$results" 5 5 click 1
    sleep 0.2
    xclip -o -selection clipboard >"$E2E_TMP/clipboard" 2>/dev/null &&
        cmp -s "$expected" "$E2E_TMP/clipboard"
}
e2e_wait_for "the clipboard does not hold the report" copied_report
