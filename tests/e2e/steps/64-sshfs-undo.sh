# A run on sshfs, served by an sshd of the step's own on the loopback: Ctrl+Z and Yes give every
# file its old name back, also after the folder was unmounted and mounted again (sshfs numbers
# the files anew) and the program started again.
export XDG_STATE_HOME="$E2E_TMP/sshfs-state"
ssh="$E2E_TMP/ssh" served="$E2E_TMP/sshfs-served" folder="$E2E_TMP/sshfs"
mkdir -p "$ssh" /run/sshd "$served" "$folder"
ssh-keygen -q -t ed25519 -N '' -f "$ssh/host" && ssh-keygen -q -t ed25519 -N '' -f "$ssh/key"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf '%s\n' "ListenAddress 127.0.0.1" "Port $port" "HostKey $ssh/host" "StrictModes no" \
    "AuthorizedKeysFile $ssh/key.pub" "PermitRootLogin prohibit-password" "UsePAM no" \
    "PasswordAuthentication no" "Subsystem sftp internal-sftp" >"$ssh/config"
/usr/sbin/sshd -D -e -f "$ssh/config" 2>"$ssh/log" &
sshd_pid=$!
trap 'fusermount3 -uz "$folder" 2>/dev/null; kill "$sshd_pid"; e2e_cleanup' EXIT
listening() { grep -q "Server listening" "$ssh/log"; }
e2e_wait_for "sshd did not start: $(cat "$ssh/log")" listening
mount_sshfs() {
    sshfs -o "IdentityFile=$ssh/key,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null" \
        -o "port=$port,BatchMode=yes" "root@127.0.0.1:$served" "$folder" ||
        e2e_fail "sshfs did not mount"
}
mount_sshfs
# Two files of one length and time, told apart by their bytes alone; CJK and shell characters.
printf 'twin one' >"$folder/twin-1.dat"
printf 'twin two' >"$folder/twin-2.dat"
printf '照片' >"$folder/照片 \$(rm -rf ~) & \`x\`;'y'!.jpg"
touch -d '2024-05-06 07:08:09' "$folder"/*
state() { (cd "$folder" && for f in *; do printf '%s=%s\0' "$f" "$(cat "$f")"; done | md5sum); }
before=$(state)
restored() { [ "$(state)" = "$before" ]; }
prefixed() { [ "$(ls "$folder" | grep -c '^s_')" = 3 ]; }
undo() { e2e_answer_yes xdotool windowfocus --sync "$WID" key ctrl+z; e2e_wait_for "$1" restored; }
e2e_start_app "$folder"
e2e_use_option 10 110 229 s_
e2e_answer_yes e2e_click 290 267
e2e_wait_for "the run on sshfs did not rename every file" prefixed
undo "Ctrl+Z did not give every file on sshfs its name back"
e2e_answer_yes e2e_click 290 267
e2e_wait_for "the second run on sshfs did not rename every file" prefixed
e2e_stop_app
fusermount3 -u "$folder"
mount_sshfs
e2e_start_app "$folder"
undo "Ctrl+Z after a remount did not give every file on sshfs its name back"
e2e_stop_app
fusermount3 -u "$folder"
kill "$sshd_pid"
trap e2e_cleanup EXIT
