#!/usr/bin/env bash
# Screenshots of the clip-and-resize dialog in English and Japanese and of the source-image
# viewer: build/shots/clip_resize_<lang>.png and build/shots/source_viewer.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM=$(shot_program_path clip_resize_viewer_shot)

start_x
LANG=C.UTF-8 shot_program clip_resize_en "$PROGRAM" resize
LANG=ja_JP.UTF-8 shot_program clip_resize_ja "$PROGRAM" resize
LANG=C.UTF-8 shot_program source_viewer "$PROGRAM" viewer
