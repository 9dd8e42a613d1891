#!/usr/bin/env bash
# Without a usable X display the clock says so in one line on stderr and exits non-zero,
# without a crash: once for a display nobody serves, once for no DISPLAY at all.
diglux=$1
. "$(dirname "$0")/x-session.sh" # for its folder and x_session_fail; no X server is started

# A display number with neither a socket nor a lock file.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done

# run WHAT PATTERN ENV...: runs the clock with the environment changes given.
run() {
    env "${@:3}" HOME="$SESSION_DIR" XDG_RUNTIME_DIR="$SESSION_DIR" timeout 20 "$diglux" >"$SESSION_DIR/out" 2>"$SESSION_DIR/err"
    local status=$?
    ((status > 0 && status < 128)) || x_session_fail "$1: exit status $status (0, or killed by a signal)"
    [ "$(wc -l <"$SESSION_DIR/err")" -eq 1 ] && grep -q "^diglux: $2" "$SESSION_DIR/err" ||
        x_session_fail "$1: not one line \"$2\" on stderr: $(cat "$SESSION_DIR/err")"
    [ ! -s "$SESSION_DIR/out" ] || x_session_fail "$1: output on stdout: $(cat "$SESSION_DIR/out")"
}
run "DISPLAY=:$n" "cannot open display :$n\$" DISPLAY=":$n"
run "no DISPLAY" "cannot open display: DISPLAY is not set$" -u DISPLAY
echo "PASS: one line on stderr and a non-zero exit without a display"
