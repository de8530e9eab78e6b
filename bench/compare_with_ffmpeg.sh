#!/usr/bin/env bash
# Times the whole conversion program against the ffmpeg command-line tool doing the same job on
# the same folder, alternating the two, and prints each run and the medians in frames per second.
#   compare_with_ffmpeg.sh DIR [RUNS] [-- convert_bench options]
# Both are timed from start to exit. Without options convert_bench uses MJPG at the writer's
# default quality; "--quality 0" gives the coarsest quantiser, which is the one ffmpeg's command
# settles on at its default 200 kbit/s.
set -euo pipefail
dir=${1:?usage: compare_with_ffmpeg.sh DIR [RUNS] [-- convert_bench options]}
runs=${2:-5}
shift $(( $# >= 2 ? 2 : 1 ))
[ "${1:-}" = "--" ] && shift
bench=$(dirname "$0")/../build/bench/convert_bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
frames=$(find "$dir" -maxdepth 1 -name '*.jpg' | wc -l)

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
fps() { awk -v n="$frames" -v s="$1" 'BEGIN { printf "%.1f", n / s }'; }

ours=() theirs=()
for ((i = 1; i <= runs; ++i)); do
  a=$(seconds "$bench" --input "$dir" --type jpg --out "$out/ours.avi" --codec MJPG --size 1280x720 "$@")
  b=$(seconds ffmpeg -hide_banner -loglevel error -y -framerate 29.97 -i "$dir/%05d.jpg" \
        -vf scale=1280:720:flags=bilinear -c:v mjpeg "$out/ffmpeg.avi")
  ours+=("$a") theirs+=("$b")
  echo "run $i: convert_bench $(fps "$a") fps, ffmpeg $(fps "$b") fps"
done
a=$(printf '%s\n' "${ours[@]}" | median)
b=$(printf '%s\n' "${theirs[@]}" | median)
echo "median: convert_bench $(fps "$a") fps, ffmpeg $(fps "$b") fps, ratio $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", b / a }')"
