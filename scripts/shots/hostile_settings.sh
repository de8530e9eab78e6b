#!/usr/bin/env bash
# The real program started on hostile settings files: build/shots/settings_*.png.
#  - settings_pipes: the registry file and "Setting.ini" are named pipes; the window must appear.
#  - settings_damaged: the registry file holds a stored Office 2007 black look and a window of
#    600 x 450, then gets a garbage line, a NUL byte and a cut; the window must come back black
#    and at that size, and the damaged file must be kept beside the one rewritten.
source "$(dirname "$0")/common.sh"

PROGRAM=$BUILD_DIR/app/torvina
[ -x "$PROGRAM" ] || { echo "build torvina first" >&2; exit 1; }

start_x
use_lang en
FOLDER=$XDG_CONFIG_HOME/torvina
REGISTRY=$FOLDER/registry

# Starts the program, captures its window as NAME and ends it with SIGTERM; stderr to NAME.err.
run_once() {
    local name=$1
    "$PROGRAM" 2>"$SHOTS_DIR/$name.err" &
    local pid=$!
    local window
    window=$(wait_window '^Torvina$')
    [ -n "${2:-}" ] && xdotool windowsize "$window" "$2" "$3" && sleep 0.5
    xdotool getwindowgeometry "$window" | sed "s/^/$name: /"
    shot "$name" "$window"
    kill -TERM "$pid"
    local rc=0
    wait "$pid" || rc=$?
    echo "$name: exit code $rc"
    sed "s/^/$name stderr: /" "$SHOTS_DIR/$name.err"
}

mkdir -p "$FOLDER"
mkfifo "$REGISTRY" "$FOLDER/Setting.ini"
run_once settings_pipes
[ -p "$REGISTRY" ] && [ -p "$FOLDER/Setting.ini" ] && echo "settings_pipes: both pipes are still pipes"
rm -f "$REGISTRY" "$FOLDER/Setting.ini"

run_once settings_first 600 450
sed -i 's/"ApplicationLook"=dword:00009c46/"ApplicationLook"=dword:00009c47/' "$REGISTRY"
# A garbage line after the first key line, a NUL byte in one value, and the trailer cut off.
sed -i '0,/^\[HKEY_CURRENT_USER\]$/s//&\ngarbage \x01\x02 line/' "$REGISTRY"
sed -i '0,/"perfile"=dword:0000000/s//"perfile"=dword:000\x0000/' "$REGISTRY"
sed -i '/^; end$/d' "$REGISTRY"
run_once settings_damaged
ls "$FOLDER" | sed 's/^/settings folder: /'
grep -c . "$FOLDER"/registry.corrupt-* | sed 's/^/kept copy lines: /'
