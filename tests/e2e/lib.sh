# Shared helpers of the end-to-end steps: a private X server, the program in it, and xdotool.
# Expects VORNAK (the program) to be set; every step runs with "set -euo pipefail".

E2E_TMP=$(mktemp -d)
# The program's settings, journal and trash stay in the run's own folder.
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_STATE_HOME="$E2E_TMP/state" XDG_DATA_HOME="$E2E_TMP/data"
XVFB_PID="" WM_PID="" APP_PID="" WID="" VOLUME="" LOOP_DEVICE="" E2E_SEEN=""

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

# e2e_start_app FOLDER: starts the program with FOLDER as its current folder, waits for its window.
e2e_start_app() {
    (cd "$1" && exec "$VORNAK") >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    local i
    # A folder of a million files is read before the window first shows.
    for i in $(seq 300); do
        if e2e_window Vornak && xdotool getwindowgeometry "$FOUND" >/dev/null 2>&1; then
            WID=$FOUND
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
    APP_PID="" WID=""
}

# e2e_click X Y [BUTTON]: clicks at X, Y pixels of the main window's client area.
e2e_click() {
    xdotool mousemove --window "$WID" "$1" "$2" click "${3:-1}"
    sleep 0.3
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

# e2e_window TITLE: sets FOUND to a visible window of this title; false when there is none.
e2e_window() {
    FOUND=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$FOUND" ]
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

# e2e_use_option CHECK_X TEXT_X Y TEXT: ticks the option whose check box stands at CHECK_X, Y,
# types TEXT into its text box at TEXT_X, Y, and waits for the preview tick.
e2e_use_option() {
    e2e_click "$1" "$3"
    e2e_click "$2" "$3"
    xdotool type --delay 50 "$4"
    sleep 0.4
}

e2e_cleanup() {
    e2e_stop_app
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    if [ -n "$LOOP_DEVICE" ]; then
        umount "$VOLUME" 2>/dev/null || umount -l "$VOLUME" 2>/dev/null || true
        losetup -d "$LOOP_DEVICE" 2>/dev/null || true
    fi
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
