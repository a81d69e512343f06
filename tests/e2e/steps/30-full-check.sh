# A full check chosen through the file list's popup opens the results window; a click on the
# report puts it on the clipboard exactly, lone carriage returns and all.
folder="$E2E_TMP/full-check"
mkdir -p "$folder"
printf '0123456789' >"$folder/a.txt"
printf 'abcdefghij' >"$folder/b.txt"
printf '%020d' 0 >"$folder/c.txt"
printf 'ABCDEFGHIJ' >"$folder/d.txt"
e2e_start_app "$folder"
e2e_click 200 30
e2e_full_check
results=$RESULTS
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
