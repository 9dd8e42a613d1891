#!/usr/bin/env bash
# Without a usable X display the clock says so in one line on stderr and exits non-zero,
# without a crash: once for a display nobody serves, once for no DISPLAY at all.
#
# usage: test-no-display.sh DIGLUX_BINARY TESTS_FOLDER
set -u
diglux=$1
. "$(dirname "$0")/x-session.sh" # for its folder and x_session_fail; no X server is started
work=$SESSION_DIR

# A display number with neither a socket nor a lock file.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
    n=$((n + 1))
done

expect_one_line() {
    local what=$1 status=$2 pattern=$3
    local lines
    lines=$(wc -l <"$work/err")
    [ "$status" -ne 0 ] || x_session_fail "$what: exit status 0"
    [ "$status" -lt 128 ] || x_session_fail "$what: killed by signal $((status - 128))"
    [ "$lines" -eq 1 ] || x_session_fail "$what: $lines lines on stderr: $(cat "$work/err")"
    grep -q "^diglux: $pattern" "$work/err" || x_session_fail "$what: unexpected message: $(cat "$work/err")"
    [ -s "$work/out" ] && x_session_fail "$what: unexpected output on stdout: $(cat "$work/out")"
    return 0
}

HOME="$work" XDG_RUNTIME_DIR="$work" DISPLAY=":$n" timeout 20 "$diglux" >"$work/out" 2>"$work/err"
expect_one_line "DISPLAY=:$n" $? "cannot open display :$n\$"

env -u DISPLAY HOME="$work" XDG_RUNTIME_DIR="$work" timeout 20 "$diglux" >"$work/out" 2>"$work/err"
expect_one_line "no DISPLAY" $? "cannot open display: DISPLAY is not set$"

echo "PASS: one line on stderr and a non-zero exit without a display"
