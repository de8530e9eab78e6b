#!/usr/bin/env bash
# Screenshots of the texts a person reads in the dialogs, under X with real input from xdotool:
# the clip-and-resize dialog, the WMV profile lists closed and open,
# the frame-rate prompts (not a number, out of range) in both languages, and the Japanese
# program's folder picker: build/shots/texts_*.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM=$BUILD_DIR/app/torvina
DIALOGS=$(shot_program_path app_dialogs_shot)
ENCODERS=$(shot_program_path encoder_dialogs_shot)
RESIZE=$(shot_program_path clip_resize_viewer_shot)
[ -x "$PROGRAM" ] || { echo "build torvina first" >&2; exit 1; }

start_x

# Starts a shot program in the background; its window id lands in WINDOW, its pid in PID.
open_shot_program() {
    local out=$SCRATCH/open.out
    : >"$out"
    "$@" >"$out" &
    PID=$!
    for _ in $(seq 100); do
        [ -s "$out" ] && break
        sleep 0.05
    done
    WINDOW=$(head -n1 "$out")
}

close_shot_program() {
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
}

for lang in en ja; do
    use_lang $lang
    LANG=$LANG shot_program "texts_clip_resize_$lang" "$RESIZE" resize

    # The WMV dialog on V8: the lists closed, then the V8 list opened by a click.
    open_shot_program "$ENCODERS" wmv
    shot "texts_wmv_closed_$lang" "$WINDOW"
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    xdotool mousemove --window "$WINDOW" 440 140 click 1
    sleep 0.5
    shot "texts_wmv_open_$lang" root
    xdotool key Escape
    close_shot_program

    # The frame-rate dialog: letters, then a rate out of range, each answered by Enter.
    for typed in abc 0; do
        open_shot_program "$DIALOGS" output
        xdotool windowactivate --sync "$WINDOW" 2>/dev/null || true
        xdotool mousemove --window "$WINDOW" 200 40 click 1
        xdotool key ctrl+a
        xdotool type "$typed"
        xdotool key Return
        sleep 0.5
        shot "texts_prompt_${typed}_$lang" root
        close_shot_program
    done
done

# The Japanese program's folder picker, from its first menu.
LANG=ja_JP.UTF-8 "$PROGRAM" &
PID=$!
window=$(wait_window '^Torvina$')
xdotool mousemove --window "$window" 40 12 click 1
sleep 0.4
xdotool key Down Return
sleep 1
shot texts_folder_picker_ja root
xdotool key Escape
sleep 0.3
kill -TERM "$PID" 2>/dev/null || true
wait "$PID" 2>/dev/null || true
