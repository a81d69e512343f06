# Shared helpers of the end-to-end steps: a private X server, the program in it, and xdotool.
# Expects VORNAK (the program) to be set; every step runs with "set -euo pipefail".

E2E_TMP=$(mktemp -d)
# The program's settings, journal and trash stay in the run's own folder.
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_STATE_HOME="$E2E_TMP/state" XDG_DATA_HOME="$E2E_TMP/data"
XVFB_PID=""
WM_PID=""
APP_PID=""
WID=""

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
    for i in $(seq 100); do
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

# e2e_wait_for DESCRIPTION COMMAND...: retries COMMAND for up to five seconds.
e2e_wait_for() {
    local what=$1 i
    shift
    for i in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    e2e_fail "$what"
}

e2e_cleanup() {
    e2e_stop_app
    e2e_stop_wm
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
