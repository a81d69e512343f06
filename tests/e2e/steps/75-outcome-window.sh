# A file that keeps its name is reported: the new name of b.txt is taken by a folder, so after
# the run the outcome window lists it with its reason, and a click on the report copies it.
folder="$E2E_TMP/outcome"
mkdir -p "$folder/trip_b.txt"
for name in a.txt b.txt c.txt; do
    printf '%s' "$name" >"$folder/$name"
done
e2e_start_app "$folder"
e2e_tick_option_and_type 229 229 "trip_"
e2e_answer_yes e2e_click 290 267
outcome_shown() {
    OUTCOME=$(xdotool search --onlyvisible --name '^重命名结果$' 2>/dev/null | head -n 1 || true)
    [ -n "$OUTCOME" ]
}
e2e_wait_for "the outcome window did not appear" outcome_shown
[ "$(cat "$folder/trip_a.txt")" = a.txt ] && [ "$(cat "$folder/b.txt")" = b.txt ] &&
    [ "$(cat "$folder/trip_c.txt")" = c.txt ] || e2e_fail "the run did not rename a.txt and c.txt only"
printf '已重命名 2 个文件，1 个未更改\r“b.txt” → “trip_b.txt”：新名称已被占用' >"$E2E_TMP/expected-outcome"
report_copied() {
    xdotool mousemove --window "$OUTCOME" 20 8 click 1
    sleep 0.2
    xclip -o -selection clipboard 2>/dev/null | cmp -s - "$E2E_TMP/expected-outcome"
}
e2e_wait_for "the outcome window's report was not copied as expected" report_copied
