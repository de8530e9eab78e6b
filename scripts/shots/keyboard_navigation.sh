#!/usr/bin/env bash
# Starts the real program in Japanese under Xvfb and drives it with its accelerator keys only:
# Ctrl+O chooses the folder, the arrow keys step through the images and Ctrl+P plays them.
# Screenshots go to build/shots/keys_*.png.
source "$(dirname "$0")/common.sh"
start_x 1280x1024

frames=$SCRATCH/frames
mkdir -p "$frames"
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc2=size=640x360:rate=30" -frames:v 12 -q:v 3 "$frames/%05d.jpg"

LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$BUILD_DIR/app/torvina" &
app=$!
main=$(wait_window "Torvina")
xdotool windowactivate --sync "$main" 2>/dev/null || true
# A click in the view gives the window the keyboard (Xvfb runs no window manager).
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 300)) $((Y + 300)) click 1
sleep 0.3

xdotool key ctrl+o
sleep 0.5
picker=$(xdotool search --onlyvisible --name "." 2>/dev/null | grep -vx "$main" | tail -n1)
xdotool windowactivate --sync "$picker" 2>/dev/null || true
xdotool type --delay 5 "$frames"
xdotool key Return
sleep 0.5
if xdotool search --onlyvisible --name "." 2>/dev/null | grep -qvx "$main"; then xdotool key Return; fi
wait_window "Input :" >/dev/null
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool mousemove $((X + 300)) $((Y + 300)) click 1
sleep 0.3
shot keys_1_first "$main"

xdotool key Right Right Right
sleep 0.3
shot keys_2_right_three_times "$main"
xdotool key Left
sleep 0.3
shot keys_3_left_once "$main"

xdotool key ctrl+p
sleep 1.5
shot keys_4_played "$main"
end_app
