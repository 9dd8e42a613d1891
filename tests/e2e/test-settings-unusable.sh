#!/usr/bin/env bash
# Settings the clock cannot use, each said in one line on stderr: a folder in the settings
# file's place (defaults, nothing saved, a normal end) and 10 MB of garbage (kept whole as
# registry.reg.bad, defaults used and saved anew, the window mapped within a second).
. "$(dirname "$0")/x-session.sh"
x_session_need_check "$2"
x_session_start
store=$XDG_CONFIG_HOME/diglux/registry.reg
# The face reads whole only in the clock's default green.
in_green() { sleep 1 && x_session_read_display && [[ "$face" != *"?"* ]] || x_session_fail "$1: the face reads \"$face\""; }

mkdir -p "$store" && x_session_clock "$1" && in_green "a folder as the file"
xdotool key --window "$window" F2 Escape && x_session_ended "a folder as the file"
x_session_said "a folder as the file" "$store is not a file; settings are neither read nor saved$"
rmdir "$store" || x_session_fail "something was written into the folder"

head -c 10M /dev/urandom >"$SESSION_DIR/garbage" && cp "$SESSION_DIR/garbage" "$store"
"$2/../bench/diglux_mapwatch" "$1" >"$SESSION_DIR/map" 2>"$SESSION_DIR/err.log" || x_session_fail "no window: $(cat "$SESSION_DIR/err.log")"
read -r clock ms <"$SESSION_DIR/map" && x_session_track "$clock" && in_green "10 MB of garbage"
((ms <= 1000)) || x_session_fail "the window was mapped $ms ms after the start"
x_session_said "10 MB of garbage" ".* kept as $store.bad, the clock starts with empty settings$"
cmp -s "$SESSION_DIR/garbage" "$store.bad" || x_session_fail "the garbage was not kept whole as $store.bad"
kill -TERM "$clock" && timeout 10 flock "$XDG_RUNTIME_DIR/diglux.lock" true || x_session_fail "no end on SIGTERM"
x_session_store_has '"Color.R"="95"'
echo "PASS: a folder and 10 MB of garbage as settings: defaults, one line, mapped after $ms ms"
