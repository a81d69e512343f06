# A run over 1,000,000 files keeps the window answering: the progress dialog shows within 1 s of
# 是, and after 取消 part-way the outcome window within 1.5 s; the files reached have their new
# names, the rest keep theirs. Prints both times.
# E2E_RUN_FILES, a smaller count, makes it quick while the step itself is worked on.
files=${E2E_RUN_FILES:-1000000}
folder="$E2E_TMP/million"
mkdir -p "$folder"
python3 -c 'import os, sys
for i in range(int(sys.argv[2])):
    os.mknod(f"{sys.argv[1]}/f{i:07d}.dat")' "$folder" "$files"
e2e_start_app "$folder"
e2e_tick_option_and_type 229 229 "p"
vornak_windows() { xdotool search --onlyvisible --name '^Vornak$' 2>/dev/null | sort || true; }
other_window() {
    OTHER=$(vornak_windows | grep -vx -e "$WID" ${1:+-e "$1"} | head -n 1 || true)
    [ -n "$OTHER" ]
}
e2e_click 290 267
e2e_wait_for "the question did not appear" other_window
question=$OTHER
sleep 0.3
start=$(date +%s%N)
xdotool key Return
for i in $(seq 200); do
    other_window "$question" && break
    sleep 0.02
done
progress=$OTHER
shown_ms=$((($(date +%s%N) - start) / 1000000))
[ -n "$progress" ] && [ "$shown_ms" -le 1000 ] ||
    e2e_fail "the progress dialog did not show within 1 s of 是 (${shown_ms} ms)"
# 取消 once the renaming is under way, after the journal of a million files is written.
first_renamed() { [ -e "$folder/pf0000000.dat" ]; }
for i in $(seq 1200); do
    first_renamed && break
    sleep 0.1
done
first_renamed || e2e_fail "the run renamed nothing within 120 s"
sleep 1
xdotool windowfocus --sync "$progress"
start=$(date +%s%N)
xdotool key space
for i in $(seq 500); do
    OUTCOME=$(xdotool search --onlyvisible --name '^重命名结果$' 2>/dev/null | head -n 1 || true)
    [ -n "$OUTCOME" ] && break
    sleep 0.02
done
outcome_ms=$((($(date +%s%N) - start) / 1000000))
[ -n "$OUTCOME" ] && [ "$outcome_ms" -le 1500 ] ||
    e2e_fail "the outcome window did not show within 1.5 s of 取消 (${outcome_ms} ms)"
renamed=$(ls -f "$folder" | grep -c '^p')
[ "$renamed" -gt 0 ] && [ "$renamed" -lt "$files" ] && [ "$(ls -f "$folder" | wc -l)" = $((files + 2)) ] ||
    e2e_fail "取消 did not keep the $renamed files renamed and leave the rest"
echo "$files files: progress ${shown_ms} ms after 是, outcome ${outcome_ms} ms after 取消," \
    "$renamed files renamed"
e2e_stop_app
rm -rf "$folder"
