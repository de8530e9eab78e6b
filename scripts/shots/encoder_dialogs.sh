#!/usr/bin/env bash
# Screenshots of the AVI compressor and WMV profile dialogs and of a compressor's generated
# configuration and about boxes, in English and Japanese: build/shots/encoder_<name>_<lang>.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM=$(shot_program_path encoder_dialogs_shot)

start_x
for lang in en ja; do
    use_lang $lang
    for name in $("$PROGRAM"); do
        shot_program "encoder_${name}_${lang}" "$PROGRAM" "$name"
        # A whole-screen shot keeps only the area where the dialog and its list stand, which
        # the program printed after "root".
        if [ "$SHOT_WINDOW" = root ]; then
            area=$(sed -n 2p "$SCRATCH/encoder_${name}_${lang}.out")
            convert "$SHOTS_DIR/encoder_${name}_${lang}.png" -crop "${area:-560x440+0+0}" +repage \
                "$SHOTS_DIR/encoder_${name}_${lang}.png"
        fi
    done
done
