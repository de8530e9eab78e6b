#!/usr/bin/env bash
# Screenshots of the AVI compressor and WMV profile dialogs and of a compressor's generated
# configuration and about boxes, in English and Japanese: build/shots/encoder_<name>_<lang>.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM=$BUILD_DIR/tests/shots/encoder_dialogs_shot
[ -x "$PROGRAM" ] || { echo "build the encoder_dialogs_shot target first" >&2; exit 1; }

start_x
for lang in en ja; do
    case $lang in
    en) export LANG=C.UTF-8 ;;
    ja) export LANG=ja_JP.UTF-8 ;;
    esac
    for name in $("$PROGRAM"); do
        out=$SCRATCH/$name.out
        "$PROGRAM" "$name" >"$out" &
        pid=$!
        for _ in $(seq 100); do
            [ -s "$out" ] && break
            sleep 0.05
        done
        window=$(head -n1 "$out")
        if [ -n "$window" ]; then
            shot "encoder_${name}_${lang}" "$window"
            # A whole-screen shot keeps only the corner where the dialog and its list stand.
            if [ "$window" = root ]; then
                convert "$SHOTS_DIR/encoder_${name}_${lang}.png" -crop 560x440+0+0 +repage \
                    "$SHOTS_DIR/encoder_${name}_${lang}.png"
            fi
        else
            echo "no window for $name" >&2
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
done
