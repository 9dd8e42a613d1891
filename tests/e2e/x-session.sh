# A private X session for the end-to-end tests and the idle-cost script, meant to be sourced:
# Xvfb on a display number it picks itself, openbox as window manager, and a private HOME
# with its own XDG folders in a temporary folder. Everything started here is stopped again
# when the sourcing script exits.
#
#   x_session_start            sets DISPLAY, HOME, XDG_*, TMPDIR and SESSION_DIR
#   x_session_track PID        stops PID on exit as well
#   x_session_fail MESSAGE     prints why the test failed and exits 1

SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/diglux-e2e.XXXXXX")
SESSION_PIDS=()

x_session_stop() {
    # Newest first, each given time to end by itself: the clock before the window manager,
    # the window manager before the X server.
    local i pid
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${SESSION_PIDS[i]}
        kill "$pid" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$SESSION_DIR"
}
trap x_session_stop EXIT

x_session_track() {
    SESSION_PIDS+=("$1")
}

x_session_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

x_session_need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || x_session_fail "$tool is not installed (scripts/install-deps)"
    done
}

x_session_start() {
    x_session_need Xvfb openbox xdotool xwininfo xprop
    export HOME="$SESSION_DIR/home"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CACHE_HOME="$HOME/.cache" XDG_RUNTIME_DIR="$SESSION_DIR/run"
    export TMPDIR="$SESSION_DIR/tmp"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$TMPDIR"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS

    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$SESSION_DIR/display" \
        >"$SESSION_DIR/xvfb.log" 2>&1 &
    x_session_track $!
    local n
    for _ in $(seq 100); do
        n=$(cat "$SESSION_DIR/display" 2>/dev/null)
        [ -n "$n" ] && break
        sleep 0.1
    done
    [ -n "$n" ] || x_session_fail "Xvfb did not start: $(cat "$SESSION_DIR/xvfb.log")"
    export DISPLAY=":$n"

    openbox --sm-disable >"$SESSION_DIR/openbox.log" 2>&1 &
    x_session_track $!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        sleep 0.1
    done
    x_session_fail "openbox did not start: $(cat "$SESSION_DIR/openbox.log")"
}
