#!/usr/bin/env bash
# Screenshots of the main window in English (Office 2007 blue, the first start's look) and in
# Japanese (Office 2007 black, set in the profile between the runs), one opened menu of each, and the
# frame-rate dialog and the About box in both languages: build/shots/main_*.png, app_*.png.
# Also checks that SIGTERM ends the program cleanly with the look and "DATA" in the profile.
source "$(dirname "$0")/common.sh"

PROGRAM=$BUILD_DIR/app/torvina
DIALOGS=$BUILD_DIR/tests/shots/app_dialogs_shot
for p in "$PROGRAM" "$DIALOGS"; do
    [ -x "$p" ] || { echo "build $(basename "$p") first" >&2; exit 1; }
done

start_x
REGISTRY=$XDG_CONFIG_HOME/torvina/registry

# Starts the program in a language, captures the window and one menu, then ends it with SIGTERM.
run_main() {
    local lang=$1 name=$2 menu_x=$3
    LANG=$lang "$PROGRAM" &
    local pid=$!
    local window
    window=$(wait_window '^Torvina$')
    xdotool getwindowgeometry "$window"
    shot "$name" "$window"
    xdotool mousemove --window "$window" "$menu_x" 12 click 1
    sleep 0.5
    shot "${name}_menu" root
    if [ -n "${4:-}" ]; then
        # Down the "other" menu to View, the looks and Office 2007, to show the bullet on the current look.
        xdotool key Up Right Up Right Up Right
        sleep 0.4
        shot "${name}_looks" root
        xdotool key Escape Escape Escape Escape
    fi
    xdotool key Escape
    kill -TERM "$pid"
    local rc=0
    wait "$pid" || rc=$?
    echo "$name: exit code $rc"
}

run_main C.UTF-8 main_en 600 looks
grep -q '"ApplicationLook"=dword:00009c46' "$REGISTRY" && echo "profile: look 40006 stored"
grep -qi 'DATA\]' "$REGISTRY" && echo "profile: DATA stored"
# Office 2007 black for the next start.
sed -i 's/"ApplicationLook"=dword:00009c46/"ApplicationLook"=dword:00009c47/' "$REGISTRY"
run_main ja_JP.UTF-8 main_ja 480

for lang in en ja; do
    case $lang in
    en) export LANG=C.UTF-8 ;;
    ja) export LANG=ja_JP.UTF-8 ;;
    esac
    for name in output about; do
        out=$SCRATCH/$name.out
        "$DIALOGS" "$name" >"$out" &
        pid=$!
        for _ in $(seq 100); do
            [ -s "$out" ] && break
            sleep 0.05
        done
        window=$(head -n1 "$out")
        if [ "$name" = about ]; then
            shot "app_${name}_${lang}" root
        else
            shot "app_${name}_${lang}" "$window"
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
done
