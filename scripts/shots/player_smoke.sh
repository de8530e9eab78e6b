#!/usr/bin/env bash
# Starts the real program under Xvfb and converts a folder to an AVI file with real input: the
# folder is chosen through the context menu and the folder dialog, AVI output is switched on and
# Play started from the menu bar, the dialogs are answered with the keyboard. Screenshots before,
# during and after the run go to build/shots/player_*.png.
source "$(dirname "$0")/common.sh"
start_x 1280x1024
export LANG=C LC_ALL=C

frames=$SCRATCH/frames
mkdir -p "$frames"
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc2=size=1280x720:rate=30" -frames:v 240 -q:v 3 "$frames/%05d.jpg"

"$BUILD_DIR/app/torvina" &
app=$!
# The program saves its settings as it ends: let it finish before the scratch folder goes.
trap '{ kill $app 2>/dev/null && wait $app; } || true; stop_x' EXIT
main=$(wait_window "Torvina")

# Waits for a visible window other than the main window; prints its id.
wait_dialog() {
    for _ in $(seq 200); do
        local id
        id=$(xdotool search --onlyvisible --name "." 2>/dev/null | grep -vx "$main" | tail -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    echo "no dialog" >&2
    return 1
}
# Waits until only the main window is left.
wait_no_dialog() {
    for _ in $(seq 200); do
        [ -z "$(xdotool search --onlyvisible --name "." 2>/dev/null | grep -vx "$main" || true)" ] && return 0
        sleep 0.05
    done
}
xdotool windowactivate --sync "$main" 2>/dev/null || true
shot player_1_started

# The view's context menu: Setting Img-Folder(&I).
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 300)) $((Y + 300)) click 3
sleep 0.5
shot player_2_context_menu
xdotool key Down Down Down Return
picker=$(wait_dialog)
xdotool windowactivate --sync "$picker" 2>/dev/null || true
xdotool type --delay 5 "$frames"
xdotool key Return
sleep 0.5
if xdotool search --onlyvisible --name "." 2>/dev/null | grep -qvx "$main"; then xdotool key Return; fi
wait_window "Input :" >/dev/null
shot player_3_folder_listed

# The tool bar's AVI output switch, then its Play button.
xdotool mousemove --window "$main" 189 38 click 1
sleep 0.3
xdotool mousemove --window "$main" 53 38 click 1
save=$(wait_dialog)
shot player_4_save_dialog
xdotool key Return
wait_no_dialog
codec=$(wait_dialog)
shot player_5_codec_dialog "$codec"
xdotool key Return
sleep 1.5
shot player_6_running
saved=$(wait_dialog)
shot player_7_saved
xdotool key Return
sleep 0.5
shot player_8_after
test -s "$frames/Enc.avi" && ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_tag_string,width,height,nb_read_frames -of default=nw=1 "$frames/Enc.avi"
