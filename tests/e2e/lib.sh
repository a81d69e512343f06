# Shared helpers of the end-to-end steps: a private X server, the program in it, and xdotool.
# Expects VORNAK (the program) to be set; every step runs with "set -euo pipefail".

E2E_TMP=$(mktemp -d)
# The program's settings, journal and trash stay in the run's own folder; a step that needs a
# journal of its own sets XDG_STATE_HOME again.
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_STATE_HOME="$E2E_TMP/state" XDG_DATA_HOME="$E2E_TMP/data"
XVFB_PID=""
WM_PID=""
APP_PID=""
WID=""
VOLUME=""
LOOP_DEVICE=""
SSHD_PID=""
SSHFS_MOUNT=""
E2E_SEEN=""

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Xvfb picks a free display itself and writes its number to the given descriptor, so runs
# side by side never race for the same display. Without -noreset the server resets when a
# step's program exits, and the next step's program may knock while it is resetting.
e2e_start_xvfb() {
    local i
    Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for i in $(seq 100); do
        if [ -s "$E2E_TMP/display" ]; then
            export DISPLAY=":$(head -n 1 "$E2E_TMP/display")"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    cat "$E2E_TMP/xvfb.log" >&2
    e2e_fail "no X server could be started"
}

# A real window manager, for the steps that check what one does to windows (frames, focus).
e2e_start_wm() {
    openbox --sm-disable >"$E2E_TMP/wm.log" 2>&1 &
    WM_PID=$!
    local i
    for i in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    cat "$E2E_TMP/wm.log" >&2
    e2e_fail "the window manager did not start"
}

e2e_stop_wm() {
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null && wait "$WM_PID" 2>/dev/null || true
    WM_PID=""
}

# e2e_start_app FOLDER: starts the program with FOLDER as its current folder, waits for its window.
e2e_start_app() {
    (cd "$1" && exec "$VORNAK") >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    local i
    # A folder of a million files is read before the window first shows.
    for i in $(seq 300); do
        WID=$(xdotool search --onlyvisible --name '^Vornak$' 2>/dev/null | head -n 1 || true)
        if [ -n "$WID" ] && xdotool getwindowgeometry "$WID" >/dev/null 2>&1; then
            sleep 0.5
            return 0
        fi
        sleep 0.1
    done
    cat "$E2E_TMP/app.log" >&2
    e2e_fail "the window titled Vornak did not appear"
}

e2e_stop_app() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
    WID=""
}

# e2e_click X Y [BUTTON]: clicks at X, Y pixels of the main window's client area.
e2e_click() {
    xdotool mousemove --window "$WID" "$1" "$2" click "${3:-1}"
    sleep 0.3
}

# e2e_full_check: chooses 全体检查 in the popup over the selected first entry and waits for the
# results window; sets RESULTS to it and OPENED_MS to the milliseconds it took to appear after
# the item was chosen. All items are enabled, so the keys go 打开文件夹, 打开文件, 删除文件, 检查,
# into the submenu, 检查文件, 全体检查. A slow start can swallow the keys: then whatever is open
# is closed and the popup tried again.
e2e_full_check() {
    local attempt i start
    RESULTS=""
    for attempt in 1 2 3; do
        e2e_click 200 30 3
        xdotool key --delay 150 Down Down Down Down Right Down
        start=$(date +%s%N)
        xdotool key Return
        for i in $(seq 300); do
            RESULTS=$(xdotool search --onlyvisible --name '^检查结果$' 2>/dev/null | head -n 1 || true)
            if [ -n "$RESULTS" ]; then
                OPENED_MS=$((($(date +%s%N) - start) / 1000000))
                return 0
            fi
            sleep 0.05
        done
        xdotool key Escape Escape
    done
    e2e_fail "the results window did not open"
}

e2e_title() {
    xdotool getwindowname "$WID"
}

# e2e_wait_for DESCRIPTION COMMAND...: retries COMMAND for up to five seconds. A command that
# sets E2E_SEEN to what it found has that named in the failure.
e2e_wait_for() {
    local what=$1 i
    shift
    E2E_SEEN=""
    for i in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    e2e_fail "$what${E2E_SEEN:+ (found '$E2E_SEEN')}"
}

# title_starts TEXT: the title starts with TEXT; for e2e_wait_for.
title_starts() {
    E2E_SEEN=$(e2e_title)
    [[ "$E2E_SEEN" == "$1"* ]]
}

# e2e_first_file_is DESCRIPTION N: a click on File1's first row (File1 stands at 164, 20 of the
# client area) shows a file of N bytes in the title.
e2e_first_file_is() {
    e2e_click 200 30
    e2e_wait_for "$1" title_starts "$2B，"
}

e2e_windows_titled() {
    { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; } | wc -l
}

# e2e_answer_yes COMMAND...: runs COMMAND, which asks a question under the program's title, and
# answers it with Return (Yes is the default button) once the box is there.
e2e_answer_yes() {
    local before
    before=$(e2e_windows_titled Vornak)
    "$@"
    question_shown() { [ "$(e2e_windows_titled Vornak)" -gt "$before" ]; }
    e2e_wait_for "the question did not appear" question_shown
    sleep 0.3
    xdotool key Return
}

# e2e_popup_item X Y KEY...: right-clicks File1 at X, Y and chooses a popup item with the keys
# and Return.
e2e_popup_item() {
    e2e_click "$1" "$2" 3
    sleep 0.3
    shift 2
    xdotool key --delay 150 "$@" Return
}

# e2e_choose_drive ROOT: chooses the volume with this root in Drive1 (at 0, 0 of the client
# area) by typing its root into the open drop-down; "/", its first entry, by Home.
e2e_choose_drive() {
    e2e_click 80 10
    if [ "$1" = / ]; then
        xdotool key Home
    else
        xdotool type --delay 20 "$1"
    fi
    xdotool key Return
    sleep 0.3
}

# e2e_open_folder NAME: opens the folder of this name shown in Dir1 (at 0, 20 of the client
# area): a click on Dir1, the name typed to find it, and Return.
e2e_open_folder() {
    e2e_click 80 30
    xdotool type --delay 20 "$1"
    xdotool key Return
    sleep 0.3
}

# e2e_enter_address typed|pasted TEXT: replaces the whole text of T3 (at 163, 0 of the client
# area, 157 by 20 pixels) with TEXT, key by key or with one paste.
e2e_enter_address() {
    e2e_click 240 10
    xdotool key ctrl+a
    if [ "$1" = pasted ]; then
        printf '%s' "$2" | xclip -selection clipboard
        xdotool key ctrl+v
    else
        xdotool type --delay 20 "$2"
    fi
    sleep 0.5
}

address_is() {
    e2e_click 240 10
    xdotool key ctrl+a ctrl+c
    sleep 0.2
    E2E_SEEN=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$E2E_SEEN" = "$1" ]
}

# e2e_expect_address DESCRIPTION TEXT: waits for T3 to hold TEXT, read through the clipboard.
e2e_expect_address() {
    e2e_wait_for "$1" address_is "$2"
}

# e2e_stub_opener: a stub xdg-open in E2E_TMP/bin that appends the addresses it is given to
# OPENED, one a line. Start the program with PATH="$E2E_TMP/bin:$PATH" to have it found first.
e2e_stub_opener() {
    OPENED="$E2E_TMP/opened"
    mkdir -p "$E2E_TMP/bin"
    cat >"$E2E_TMP/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$@" >>"$OPENED"
STUB
    chmod +x "$E2E_TMP/bin/xdg-open"
}

# e2e_mount_volume FOLDER: mounts a second volume on FOLDER and sets VOLUME to it: a small ext4
# image in the temporary folder, through a loop device (a temporary file system would not be
# listed as a volume). Unmounted by e2e_unmount_volume, or at the latest by e2e_cleanup.
e2e_mount_volume() {
    VOLUME=$1
    mkdir -p "$VOLUME"
    truncate -s 16M "$E2E_TMP/volume.img"
    mkfs.ext4 -q -F "$E2E_TMP/volume.img" || e2e_fail "no ext4 image could be made"
    LOOP_DEVICE=$(losetup -f --show "$E2E_TMP/volume.img") || e2e_fail "no loop device"
    mount "$LOOP_DEVICE" "$VOLUME" || e2e_fail "the ext4 image could not be mounted"
}

e2e_unmount_volume() {
    [ -n "$LOOP_DEVICE" ] || return 0
    umount "$VOLUME" 2>/dev/null || umount -l "$VOLUME" 2>/dev/null || true
    losetup -d "$LOOP_DEVICE" 2>/dev/null || true
    LOOP_DEVICE=""
    rm -f "$E2E_TMP/volume.img"
}

# e2e_mount_exfat FOLDER: mounts a fresh exFAT image through FUSE on FOLDER and sets VOLUME to
# it, unmounted as e2e_mount_volume's. Where the machine refuses, it fails in CI (the variable
# CI set), and elsewhere says loudly that it is skipped and returns 1.
e2e_mount_exfat() {
    local refused=""
    mkdir -p "$1"
    truncate -s 64M "$E2E_TMP/volume.img"
    if ! mkfs.exfat "$E2E_TMP/volume.img" >"$E2E_TMP/mount.log" 2>&1; then
        refused="mkfs.exfat"
    elif ! LOOP_DEVICE=$(losetup -f --show "$E2E_TMP/volume.img" 2>"$E2E_TMP/mount.log"); then
        refused="losetup"
    elif ! mount.exfat-fuse "$LOOP_DEVICE" "$1" >"$E2E_TMP/mount.log" 2>&1; then
        refused="mount.exfat-fuse"
    else
        VOLUME=$1
        return 0
    fi
    refused="$refused: $(cat "$E2E_TMP/mount.log")"
    VOLUME=$1
    e2e_unmount_volume
    e2e_refused "the exFAT mount" "$refused"
}

# e2e_refused WHAT WHY: a mount or server the machine refused fails the step in CI (the
# variable CI set); elsewhere it says loudly that the step is not tested here and returns 1.
e2e_refused() {
    [ -z "${CI:-}" ] || e2e_fail "$1 was refused: $2"
    echo "NOT TESTED HERE, $1 was refused: $2; CI fails here instead" >&2
    return 1
}

# e2e_start_sshd: starts an sshd of the run's own on a free port of the loopback, which lets
# root in with a key made for it and serves SFTP; sets SSH_PORT and SSH_KEY. Stopped by
# e2e_stop_sshd, or at the latest by e2e_cleanup. Where sshd cannot run, see e2e_refused.
e2e_start_sshd() {
    local ssh="$E2E_TMP/ssh" attempt i
    command -v sshfs >/dev/null && [ -x /usr/sbin/sshd ] ||
        { e2e_refused "sshd and sshfs" "not installed"; return 1; }
    rm -rf "$ssh"
    mkdir -p "$ssh" /run/sshd
    SSH_KEY="$ssh/client_key"
    ssh-keygen -q -t ed25519 -N '' -f "$ssh/host_key" && ssh-keygen -q -t ed25519 -N '' -f "$SSH_KEY" ||
        e2e_fail "no ssh keys could be made"
    cp "$SSH_KEY.pub" "$ssh/authorized_keys"
    # A port another takes between the choice and sshd's start makes sshd fail: choose again.
    for attempt in 1 2 3; do
        SSH_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
        cat >"$ssh/sshd_config" <<CONFIG
ListenAddress 127.0.0.1
Port $SSH_PORT
HostKey $ssh/host_key
AuthorizedKeysFile $ssh/authorized_keys
PidFile $ssh/sshd.pid
StrictModes no
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
Subsystem sftp internal-sftp
CONFIG
        /usr/sbin/sshd -D -e -f "$ssh/sshd_config" >"$ssh/sshd.log" 2>&1 &
        SSHD_PID=$!
        for i in $(seq 50); do
            grep -q "Server listening on 127.0.0.1 port $SSH_PORT" "$ssh/sshd.log" && return 0
            kill -0 "$SSHD_PID" 2>/dev/null || break
            sleep 0.1
        done
        e2e_stop_sshd
    done
    e2e_refused "sshd" "$(cat "$ssh/sshd.log")"
}

e2e_stop_sshd() {
    local i
    # The sessions of sshfs mounts just unmounted end on their own; stopping sshd before they
    # did would leave them to nobody.
    for i in $(seq 20); do
        [ -n "$SSHD_PID" ] && pgrep -P "$SSHD_PID" >/dev/null || break
        sleep 0.1
    done
    [ -n "$SSHD_PID" ] && kill "$SSHD_PID" 2>/dev/null && wait "$SSHD_PID" 2>/dev/null || true
    SSHD_PID=""
}

# e2e_mount_sshfs SERVED FOLDER: mounts the folder SERVED through sshfs from the run's sshd on
# FOLDER. Unmounted by e2e_unmount_sshfs, or at the latest by e2e_cleanup.
e2e_mount_sshfs() {
    mkdir -p "$1" "$2"
    SSHFS_MOUNT=$2
    sshfs -o "IdentityFile=$SSH_KEY,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null" \
        -o "port=$SSH_PORT,BatchMode=yes,LogLevel=ERROR" "root@127.0.0.1:$1" "$2" \
        >"$E2E_TMP/mount.log" 2>&1 || {
        SSHFS_MOUNT=""
        e2e_refused "the sshfs mount" "$(cat "$E2E_TMP/mount.log")"
    }
}

e2e_unmount_sshfs() {
    [ -n "$SSHFS_MOUNT" ] || return 0
    fusermount3 -u "$SSHFS_MOUNT" 2>/dev/null || fusermount3 -uz "$SSHFS_MOUNT" 2>/dev/null || true
    SSHFS_MOUNT=""
}

# e2e_tick_option_and_type CHECK_Y TEXT_Y TEXT: ticks the option whose check box stands at y
# CHECK_Y, types TEXT into its text box, and waits for the preview tick.
e2e_tick_option_and_type() {
    e2e_click 10 "$1"
    e2e_click 110 "$2"
    xdotool type --delay 50 "$3"
    sleep 0.4
}

# e2e_press_ctrl_z: Ctrl+Z in the main window, whose run button has the focus once clicked.
e2e_press_ctrl_z() {
    xdotool windowfocus --sync "$WID"
    xdotool key ctrl+z
}

# e2e_folder_state FOLDER [DEPTH]: the name and content of every entry (DEPTH levels down, one
# by default), exact bytes, hashed into one line, so that two states compare as text.
e2e_folder_state() {
    (cd "$1" && find . -mindepth 1 -maxdepth "${2:-1}" -print0 | sort -z |
        while IFS= read -r -d '' entry; do
            printf '%s=' "$entry"
            [ -f "$entry" ] && cat "$entry" 2>/dev/null
            printf '\0'
        done | md5sum)
}

e2e_cleanup() {
    e2e_stop_app
    e2e_stop_wm
    e2e_unmount_sshfs
    e2e_stop_sshd
    e2e_unmount_volume
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$E2E_TMP"
}

# e2e_put_alike_files FOLDER: five files whose names have a space, CJK and shell characters;
# two of them of equal length and time, told apart only by their first bytes, and all five of
# one time, as files copied onto a volume often are.
e2e_put_alike_files() {
    printf 'a space' >"$1/a space.txt"
    printf '照片' >"$1/照片 旅行.jpg"
    # Only characters exFAT allows in a name: no | " * ? < > : \.
    printf 'shell' >"$1/\$(rm -rf ~) & \`x\`;'y'!.sh"
    printf 'twin one' >"$1/twin-1.dat"
    printf 'twin two' >"$1/twin-2.dat"
    touch -d '2024-05-06 07:08:09' "$1"/*
}

# e2e_prefix_every_file FOLDER PREFIX: starts the program on FOLDER, runs 前面加字 PREFIX over
# every file (Yes to the question), and waits until every file has its new name and the run's
# journal is closed, so that the run is complete once the program is stopped.
e2e_prefix_every_file() {
    local folder=$1 prefix=$2
    e2e_start_app "$folder"
    e2e_tick_option_and_type 229 229 "$prefix"
    e2e_answer_yes e2e_click 290 267
    every_file_prefixed() {
        [ "$(find "$folder" -mindepth 1 -maxdepth 1 -printf x | wc -c)" = 5 ] &&
            [ "$(find "$folder" -mindepth 1 -maxdepth 1 -name "$prefix*" -printf x | wc -c)" = 5 ]
    }
    e2e_wait_for "the run did not give every file its new name" every_file_prefixed
    run_closed() {
        local run
        run=$(find "$XDG_STATE_HOME/vornak" -name '*.run' | sort | tail -n 1)
        [ -n "$run" ] && flock -n "$run" true
    }
    e2e_wait_for "the run's journal stayed open" run_closed
}

# e2e_undo_restores FOLDER STATE: Ctrl+Z and Yes in the running program give every file of
# FOLDER its old name and content back: the folder is STATE (e2e_folder_state) again.
e2e_undo_restores() {
    local folder=$1 state=$2
    e2e_answer_yes e2e_press_ctrl_z
    restored() {
        E2E_SEEN=$(ls "$folder" | tr '\n' '/')
        [ "$(e2e_folder_state "$folder")" = "$state" ]
    }
    e2e_wait_for "Ctrl+Z did not give every file its old name and content back" restored
}
