#!/usr/bin/env bash
# The settings folder on a small tmpfs of its own, made read-only, then full, before the clock
# ends (after F2 changed a setting): each time it says in one line that it cannot save, and the
# settings file is left whole as it was. Needs mounting (root); skipped (77) where not allowed.
[ -n "${DIGLUX_OWN_MOUNTS:-}" ] || { unshare -m true 2>/dev/null || { echo "SKIP: cannot mount here"; exit 77; }
    DIGLUX_OWN_MOUNTS=1 exec unshare -m bash "$0" "$@"; } # mounts of its own, gone when it ends
. "$(dirname "$0")/x-session.sh"
x_session_start
folder=$XDG_CONFIG_HOME/diglux
mkdir -p "$folder" && mount -t tmpfs -o size=64k,mode=700 diglux-settings "$folder" || exit 77
trap 'x_session_stop_processes; umount "$folder"; rm -rf "$SESSION_DIR"' EXIT
x_session_clock "$1" && sleep 1 && xdotool key --window "$window" Escape && x_session_ended "a first run"
cp "$folder/registry.reg" "$SESSION_DIR/before"

# cannot_save BINARY CASE COMMAND...: COMMAND takes the room away while the clock runs.
cannot_save() {
    x_session_clock "$1" && sleep 1 && xdotool key --window "$window" F2 && "${@:3}"
    xdotool key --window "$window" Escape && x_session_ended "$2"
    x_session_said "$2" "cannot save settings to $folder/registry.reg"
    cmp "$SESSION_DIR/before" "$folder/registry.reg" || x_session_fail "$2: the settings file has changed"
}
cannot_save "$1" "a read-only folder" mount -o remount,ro "$folder"
cannot_save "$1" "a full disk" eval 'mount -o remount,rw "$folder"; cat /dev/zero >"$folder/filler" 2>/dev/null'
echo "PASS: read-only and full, the clock said it could not save and the old settings stayed"
