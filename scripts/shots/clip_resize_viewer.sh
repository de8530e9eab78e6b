#!/usr/bin/env bash
# Screenshots of the clip-and-resize dialog in English and Japanese and of the source-image
# viewer: build/shots/clip_resize_<lang>.png and build/shots/source_viewer.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM=$BUILD_DIR/tests/shots/clip_resize_viewer_shot
[ -x "$PROGRAM" ] || { echo "build the clip_resize_viewer_shot target first" >&2; exit 1; }

# Runs the program in one mode and saves its window as NAME.
capture() {
    local mode=$1 name=$2
    local out=$SCRATCH/$name.out
    "$PROGRAM" "$mode" >"$out" &
    local pid=$!
    for _ in $(seq 100); do
        [ -s "$out" ] && break
        sleep 0.05
    done
    local window
    window=$(head -n1 "$out")
    if [ -n "$window" ]; then
        shot "$name" "$window"
    else
        echo "no window for $mode" >&2
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

start_x
LANG=C.UTF-8 capture resize clip_resize_en
LANG=ja_JP.UTF-8 capture resize clip_resize_ja
LANG=C.UTF-8 capture viewer source_viewer
