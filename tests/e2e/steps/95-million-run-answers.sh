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
e2e_use_option 10 110 229 p
# other_window [SEEN]: sets OTHER to a window titled Vornak other than the main one and SEEN.
other_window() {
    OTHER=$(xdotool search --onlyvisible --name '^Vornak$' 2>/dev/null |
        grep -vx -e "$WID" ${1:+-e "$1"} | head -n 1 || true)
    [ -n "$OTHER" ]
}
e2e_click 290 267
e2e_wait_for "the question did not appear" other_window
question=$OTHER
sleep 0.3
# ms_until KEY LIMIT_MS COMMAND...: presses KEY, then retries COMMAND every 20 ms up to LIMIT_MS;
# sets MS to the milliseconds it took.
ms_until() {
    local limit=$2 start i
    start=$(date +%s%N)
    xdotool key "$1"
    shift 2
    for i in $(seq $((limit / 20))); do
        "$@" && break
        sleep 0.02
    done
    MS=$((($(date +%s%N) - start) / 1000000))
    "$@" && [ "$MS" -le "$limit" ]
}
ms_until Return 1000 other_window "$question" || e2e_fail "no progress dialog within 1 s of 是 ($MS ms)"
progress=$OTHER shown_ms=$MS
# 取消 once the renaming is under way, after the journal of a million files is written.
for i in $(seq 1200); do
    [ -e "$folder/pf0000000.dat" ] && break
    sleep 0.1
done
[ -e "$folder/pf0000000.dat" ] || e2e_fail "the run renamed nothing within 120 s"
sleep 1
xdotool windowfocus --sync "$progress"
ms_until space 1500 e2e_window 重命名结果 || e2e_fail "no outcome window within 1.5 s of 取消 ($MS ms)"
renamed=$(ls -f "$folder" | grep -c '^p')
[ "$renamed" -gt 0 ] && [ "$renamed" -lt "$files" ] && [ "$(ls -f "$folder" | wc -l)" = $((files + 2)) ] ||
    e2e_fail "取消 did not keep the $renamed files renamed and leave the rest"
echo "$files files: progress ${shown_ms} ms after 是, outcome ${MS} ms after 取消, $renamed renamed"
e2e_stop_app
rm -rf "$folder"
