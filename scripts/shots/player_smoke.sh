#!/usr/bin/env bash
# Starts the real program under Xvfb and converts a folder to an AVI file with real input: the
# folder is chosen through the context menu and the folder dialog, AVI output is switched on and
# Play started from the tool bar, the dialogs are answered with the keyboard. One pass in
# English and one in Japanese; screenshots before, during and after each run go to
# build/shots/player_*.png (English) and player_ja_*.png (Japanese).
source "$(dirname "$0")/common.sh"
start_x 1280x1024

frames=$SCRATCH/frames
mkdir -p "$frames"
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc2=size=1280x720:rate=30" -frames:v 240 -q:v 3 "$frames/%05d.jpg"

# One conversion in a language (the LANG value), its shots named PREFIX_*.
smoke_pass() {
    local lang=$1 prefix=$2
    rm -f "$frames/Enc.avi"
    LANG=$lang LC_ALL=$lang "$BUILD_DIR/app/torvina" &
    app=$!
    main=$(wait_window "Torvina")
    xdotool windowactivate --sync "$main" 2>/dev/null || true
    shot "${prefix}_1_started"

    # The view's context menu: Setting Img-Folder(&I).
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + 300)) $((Y + 300)) click 3
    sleep 0.5
    shot "${prefix}_2_context_menu"
    xdotool key Down Down Down Return
    picker=$(wait_dialog)
    xdotool windowactivate --sync "$picker" 2>/dev/null || true
    xdotool type --delay 5 "$frames"
    xdotool key Return
    sleep 0.5
    if xdotool search --onlyvisible --name "." 2>/dev/null | grep -qvx "$main"; then xdotool key Return; fi
    wait_window "Input :" >/dev/null
    shot "${prefix}_3_folder_listed"

    # The tool bar's AVI output switch, then its Play button.
    xdotool mousemove --window "$main" 189 38 click 1
    sleep 0.3
    xdotool mousemove --window "$main" 53 38 click 1
    save=$(wait_dialog)
    shot "${prefix}_4_save_dialog"
    xdotool key Return
    wait_no_dialog
    codec=$(wait_dialog)
    shot "${prefix}_5_codec_dialog" "$codec"
    xdotool key Return
    # The run takes about a second: the shot is taken early in it.
    sleep 0.3
    shot "${prefix}_6_running"
    saved=$(wait_dialog)
    shot "${prefix}_7_saved"
    xdotool key Return
    sleep 0.5
    shot "${prefix}_8_after"

    # The preview at 200 % and at 50 %, through the context menu's magnification submenu
    # (400 %, 200 %, 150 %, 100 %, 50 %, 25 %).
    for zoom in "200 1" "50 4"; do
        set -- $zoom
        xdotool mousemove $((X + 300)) $((Y + 300)) click 3
        sleep 0.3
        xdotool key Down Right $(printf 'Down %.0s' $(seq "$2")) Return
        sleep 0.5
        shot "${prefix}_9_zoom_$1"
    done
    test -s "$frames/Enc.avi" && ffprobe -v error -count_frames -select_streams v:0 \
        -show_entries stream=codec_tag_string,width,height,nb_read_frames -of default=nw=1 "$frames/Enc.avi"
    end_app
}

smoke_pass C player
smoke_pass ja_JP.UTF-8 player_ja
