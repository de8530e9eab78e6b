#!/usr/bin/env bash
# Screenshots of the auxiliary dialogs in English and Japanese: build/shots/aux_<name>_<lang>.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM=$(shot_program_path aux_dialogs_shot)

start_x
for lang in en ja; do
    use_lang $lang
    for name in $("$PROGRAM"); do
        shot_program "aux_${name}_${lang}" "$PROGRAM" "$name"
    done
done
