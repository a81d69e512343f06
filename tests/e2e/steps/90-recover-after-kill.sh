# A run of 100,000 files killed with SIGKILL part way is offered for undo at the next start;
# Yes gives every file that was renamed its old name back.
export XDG_STATE_HOME="$E2E_TMP/recover-state"
folder="$E2E_TMP/recover"
mkdir -p "$folder"
(cd "$folder" && seq -f 'f%06g.dat' 0 99999 | xargs touch)
before=$(ls -f "$folder" | sort | md5sum)
e2e_start_app "$folder"
e2e_use_option 10 110 229 k_
e2e_answer_yes e2e_click 290 267
for i in $(seq 1000); do
    [ -e "$folder/k_f000000.dat" ] && break
    sleep 0.01
done
[ -e "$folder/k_f000000.dat" ] || e2e_fail "the run did not start"
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""
[ -e "$folder/f099999.dat" ] || e2e_fail "the run ended before it was killed"
echo "killed after $(ls -f "$folder" | grep -c '^k_') of 100,000 renames"
e2e_start_app "$folder"
offered() { [ "$(e2e_windows_titled Vornak)" -ge 2 ]; }
e2e_wait_for "the run cut short was not offered for undo" offered
sleep 0.3
xdotool key Return
recovered() { [ "$(ls -f "$folder" | sort | md5sum)" = "$before" ]; }
e2e_wait_for "the files of the run killed did not get their old names back" recovered
