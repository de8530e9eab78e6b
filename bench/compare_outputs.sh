#!/usr/bin/env bash
# Compares two sets of outputs kept by compare_matrix.sh (KEEP_DIR) frame by frame: the framemd5
# of every decoded stream (each frame's timestamp, duration, size and checksum) must be equal.
# Prints one line per file and exits non-zero when any differs.
#   compare_outputs.sh BEFORE_DIR AFTER_DIR
set -euo pipefail
before=${1:?usage: compare_outputs.sh BEFORE_DIR AFTER_DIR}
after=${2:?usage: compare_outputs.sh BEFORE_DIR AFTER_DIR}
status=0
for file in "$before"/*; do
  name=$(basename "$file")
  if [ ! -f "$after/$name" ]; then
    echo "$name: missing in $after"
    status=1
    continue
  fi
  a=$(ffmpeg -hide_banner -loglevel error -i "$file" -map 0 -f framemd5 -)
  b=$(ffmpeg -hide_banner -loglevel error -i "$after/$name" -map 0 -f framemd5 -)
  if [ "$a" = "$b" ]; then
    echo "$name: equal ($(grep -vc '^#' <<< "$a") decoded frames)"
  else
    echo "$name: DIFFERENT"
    status=1
  fi
done
exit $status
