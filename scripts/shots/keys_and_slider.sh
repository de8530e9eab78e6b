#!/usr/bin/env bash
# Starts the real program in Japanese under Xvfb and drives it with real key presses: Ctrl+O
# chooses the folder, the arrow keys step through it, Ctrl+P plays with AVI output on, Space pauses
# and resumes, Ctrl+S stops (and asks), Ctrl+F1 opens the help file; then the seek slider's groove
# is pressed away from the thumb and dragged, and the About box is closed while the screen is
# recorded, to catch its closing animation on screen. Screenshots go to build/shots/keys_*.png;
# the figures (window position before and after the drag, animation frames seen) are printed.
source "$(dirname "$0")/common.sh"
start_x 1280x1024

frames=$SCRATCH/frames
mkdir -p "$frames"
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc2=size=640x480:rate=30" -frames:v 900 -q:v 3 "$frames/%05d.jpg"

# The help file opens through xdg-open: a stand-in records what it was given.
mkdir -p "$SCRATCH/bin"
cat >"$SCRATCH/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >"$SCRATCH/help_opened"
EOF
chmod +x "$SCRATCH/bin/xdg-open"
export PATH=$SCRATCH/bin:$PATH

# Keys go to the main window, as typed while it has the focus (Xvfb runs no window manager).
keys() {
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    sleep 0.1
    xdotool key "$@"
}

export LANG=ja_JP.UTF-8
"$BUILD_DIR/app/torvina" &
app=$!
main=$(wait_window "Torvina")
shot keys_1_started

keys ctrl+o
picker=$(wait_dialog)
shot keys_2_ctrl_o_folder_picker
xdotool windowactivate --sync "$picker" 2>/dev/null || true
xdotool type --delay 5 "$frames"
xdotool key Return
sleep 0.5
if xdotool search --onlyvisible --name "." 2>/dev/null | grep -qvx "$main"; then xdotool key Return; fi
wait_window "Input :" >/dev/null
keys Right Right
shot keys_3_right_right_frame_3
keys Left
shot keys_4_left_frame_2

# The tool bar's AVI output switch, then Ctrl+P: the save dialog and the compressor dialog.
xdotool mousemove --window "$main" 189 38 click 1
sleep 0.3
keys ctrl+p
wait_dialog >/dev/null
shot keys_5_ctrl_p_save_dialog
xdotool key Return
wait_no_dialog
wait_dialog >/dev/null
xdotool key Return
wait_no_dialog
sleep 0.3
keys space
sleep 0.5
shot keys_6_space_paused
keys space
sleep 0.3
shot keys_7_space_running_again
keys ctrl+s
wait_dialog >/dev/null
shot keys_8_ctrl_s_asks
xdotool key Return
wait_no_dialog
wait_dialog >/dev/null
shot keys_9_saved
xdotool key Return
wait_no_dialog

keys ctrl+F1
for _ in $(seq 100); do
    [ -s "$SCRATCH/help_opened" ] && break
    sleep 0.05
done
echo "ctrl+F1 opened: $(cat "$SCRATCH/help_opened" 2>/dev/null || echo nothing)"

# The seek slider is the view's bottom 30 pixels, above the status bar; its groove runs along the
# upper third of it. Pressed at the middle of the window, away from the thumb, and dragged on.
eval "$(xdotool getwindowgeometry --shell "$main")"
before="$X,$Y"
groove_y=$((Y + HEIGHT - 41))
xdotool mousemove $((X + WIDTH / 2)) "$groove_y"
xdotool mousedown 1
sleep 0.2
shot keys_10_groove_pressed
for step in $(seq 10 10 100); do
    xdotool mousemove $((X + WIDTH / 2 + step)) "$groove_y"
    sleep 0.03
done
xdotool mouseup 1
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "groove drag of 100 px: window at $before before, $X,$Y after"
shot keys_11_groove_dragged

# The frame-rate dialog from its tool bar button: it opens centred on the main window and takes
# the keyboard, so an Escape typed at once closes it.
xdotool mousemove --window "$main" 351 38 click 1
rate=$(wait_dialog)
sleep 0.3
shot keys_12_frame_rate_clicked
eval "$(xdotool getwindowgeometry --shell "$rate")"
rate_centre="$((X + WIDTH / 2)),$((Y + HEIGHT / 2))"
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "frame-rate dialog centred at $rate_centre, main window at $((X + WIDTH / 2)),$((Y + HEIGHT / 2))"
xdotool key Escape
sleep 0.5
if xdotool search --onlyvisible --name "." 2>/dev/null | grep -qvx "$main"; then
    echo "frame-rate dialog: Escape did not reach it"
    xdotool windowfocus --sync "$rate" 2>/dev/null || true
    xdotool key Escape
    wait_no_dialog
else
    echo "frame-rate dialog: Escape closed it"
fi

# The About box from the help menu, closed with its OK button while the area around it is recorded.
keys alt+h
sleep 0.4
xdotool key Down Return
about=$(wait_dialog)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$about")"
shot keys_13_about
area_x=$((X - WIDTH / 2)) area_y=$((Y - HEIGHT / 2)) area_w=$((WIDTH * 3)) area_h=$((HEIGHT * 3))
[ "$area_x" -lt 0 ] && area_x=0
[ "$area_y" -lt 0 ] && area_y=0
# The box opens centred on the main window, so the area may reach past the screen's edge.
[ $((area_x + area_w)) -gt 1280 ] && area_w=$((1280 - area_x))
[ $((area_y + area_h)) -gt 1024 ] && area_h=$((1024 - area_y))
area_w=$((area_w / 2 * 2)) area_h=$((area_h / 2 * 2))
recording=$SCRATCH/about
rm -f "$SHOTS_DIR/keys_14_about_closing_mid.png"
mkdir -p "$recording/small"
ffmpeg -hide_banner -loglevel error -f x11grab -framerate 100 -video_size "${area_w}x${area_h}" \
    -i "$DISPLAY+$area_x,$area_y" -t 1.5 -c:v rawvideo "$recording/close.nut" &
recorder=$!
sleep 0.6
# A click on its OK button.
xdotool mousemove --window "$about" $((WIDTH / 2)) $((HEIGHT * 27 / 40)) click 1
wait "$recorder" || echo "the recording failed" >&2
ffmpeg -hide_banner -loglevel error -i "$recording/close.nut" -fps_mode passthrough -vf scale=iw/4:ih/4 \
    "$recording/small/%04d.png"
pngs=("$recording"/small/*.png)
first=${pngs[0]} last=${pngs[-1]}
# A frame of the animation differs from the screen before and after it; the one furthest from
# both is kept as the mid-way shot.
seen=0 best=0 best_frame=
for f in "${pngs[@]}"; do
    a=$(compare -metric AE "$first" "$f" null: 2>&1 | cut -d' ' -f1 || true)
    b=$(compare -metric AE "$last" "$f" null: 2>&1 | cut -d' ' -f1 || true)
    a=${a%.*} b=${b%.*}
    low=$((a < b ? a : b))
    if [ "$low" -gt $((area_w * area_h / 16 / 50)) ]; then
        seen=$((seen + 1))
    fi
    if [ "$low" -gt "$best" ]; then
        best=$low best_frame=$(basename "$f" .png)
    fi
done
echo "about box closing: $seen of ${#pngs[@]} recorded frames (100 per second) show the animation"
if [ -n "$best_frame" ]; then
    ffmpeg -hide_banner -loglevel error -i "$recording/close.nut" -fps_mode passthrough \
        -vf "select=eq(n\\,$((10#$best_frame - 1)))" \
        -frames:v 1 "$SHOTS_DIR/keys_14_about_closing_mid.png" -y
    echo "$SHOTS_DIR/keys_14_about_closing_mid.png"
fi
shot keys_15_after_about
end_app
