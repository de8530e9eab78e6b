#!/usr/bin/env bash
# Races the conversion against the ffmpeg command-line tool over the whole benchmark matrix and
# prints one table: frames per second of each side (median of RUNS runs, the two alternating),
# ffmpeg a second time with its own threading flags (-threads 8 on the decoder and on the encoder,
# -filter_threads 8), the ratio of ours to the faster of the two ffmpeg figures, the mean output
# bytes per frame of each side (equal settings give about equal sizes) and the largest resident
# memory of ours and of ffmpeg (its larger process where it makes two passes).
#   compare_matrix.sh DATA_DIR [RUNS]
# CONVERT_BENCH names another convert_bench binary (an older build, to compare); KEEP_DIR keeps
# our output of each row there (row number and extension) for bench/compare_outputs.sh. Both
# sides write into a folder made by mktemp: TMPDIR=/dev/shm keeps the disk's write-back (the
# HFYU and DIB rows write 0.5 and 1.8 GB a run) out of the figures. ONLY, an extended regular
# expression, runs only the rows whose names match it.
# DATA_DIR is filled on first use (about 450 MB): smooth, noisy and mandel hold 300 1920x1080
# JPEG files, png 300 1920x1080 PNG files, vga 90 640x480 JPEG files; long holds 3000 links to
# the smooth files, for the memory of a long run.
#
# Equal settings on both sides:
#   MJPG   ours at quality 75 (libjpeg's quality-75 tables, 4:2:0); ffmpeg's mjpeg at the fixed
#          quantiser MJPEG_Q (default 4, whose frames come out about as large: the KiB columns),
#          yuvj420p. Both scale bilinearly to 1280x720.
#   DIB    24-bit BGR rows stored as they are (ffmpeg: rawvideo, bgr24).
#   HFYU   RGB 24-bit, left prediction.
#   FFV1   BGR0 32-bit, range coder, small context, a key frame every 15 frames.
#   WMV    the wmv2 encoder at the profile's video rate and frame size (system profile 4 of
#          version 8: 320x240, 436 kbit/s video; the file: 640x480, 1000 kbit/s), 64 kbit/s wmav2
#          audio of silence; two passes where ours makes two (ffmpeg: two processes, each
#          decoding every picture, as ours decodes them twice). Left unequal: ours takes the
#          program's 48 kHz silence and resamples it to the profile's 44.1 kHz, ffmpeg makes
#          44.1 kHz silence; over 90 frames ffmpeg's rate control spends about half as many bits
#          again as asked (the KiB columns), ours keeps to the rate.
set -euo pipefail
data=${1:?usage: compare_matrix.sh DATA_DIR [RUNS]}
runs=${2:-3}
mjpeg_q=${MJPEG_Q:-4}
here=$(cd "$(dirname "$0")" && pwd)
bench=${CONVERT_BENCH:-$here/../build/bench/convert_bench}
keep=${KEEP_DIR:-}
[ -n "$keep" ] && mkdir -p "$keep"
rows_done=0
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

make_data() {
  local dir=$data/$1 source=$2 count=$3 ext=$4
  [ -d "$dir" ] && return
  mkdir -p "$dir.part"
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i "$source" -frames:v "$count" -q:v 3 "$dir.part/%05d.$ext"
  mv "$dir.part" "$dir"
}
make_data smooth "testsrc2=size=1920x1080:rate=30" 300 jpg
make_data noisy "testsrc2=size=1920x1080:rate=30,noise=alls=12:allf=t" 300 jpg
make_data mandel "mandelbrot=size=1920x1080:rate=30" 300 jpg
make_data png "testsrc2=size=1920x1080:rate=30" 300 png
make_data vga "testsrc2=size=640x480:rate=30,noise=alls=12:allf=t" 90 jpg
if [ ! -d "$data/long" ]; then
  mkdir -p "$data/long"
  for ((i = 0; i < 3000; ++i)); do
    ln -s "$data/smooth/$(printf %05d $((i % 300 + 1))).jpg" "$data/long/$(printf %05d $((i + 1))).jpg"
  done
fi
# A profile file asking for two passes: 640x480 wmv2 at 1 Mbit/s with 64 kbit/s audio.
prx=$out/two_pass.prx
printf '%s' '<profile version="589824" storageformat="1" name="bench"><streamconfig majortype="{73647561-0000-0010-8000-00AA00389B71}" streamnumber="1" bitrate="64000" bufferwindow="-1"><wmmediatype subtype="{00000161-0000-0010-8000-00AA00389B71}"><waveformatex wFormatTag="353" nChannels="2" nSamplesPerSec="44100" nAvgBytesPerSec="8000" nBlockAlign="2973" wBitsPerSample="16"/></wmmediatype></streamconfig><streamconfig majortype="{73646976-0000-0010-8000-00AA00389B71}" streamnumber="2" bitrate="1000000" bufferwindow="5000"><videomediaprops maxkeyframespacing="80000000"/><wmmediatype subtype="{32564D57-0000-0010-8000-00AA00389B71}"><videoinfoheader><bitmapinfoheader biwidth="640" biheight="480" bicompression="WMV2"/></videoinfoheader></wmmediatype></streamconfig></profile>' |
  iconv -f UTF-8 -t UTF-16LE > "$prx"

# Runs a command; prints "seconds max_rss_kb".
timed() {
  /usr/bin/time -f '%e %M' -o "$out/time" "$@" > /dev/null 2> "$out/stderr" || { cat "$out/stderr" >&2; return 1; }
  cat "$out/time"
}
# run_ffmpeg plain|threaded WORDS...: runs the ffmpeg command (two where split by ';;'), the
# threaded way with -threads 8 before the input and before the output file and -filter_threads 8;
# prints "seconds max_rss_kb" (the seconds of both commands together, the larger memory).
run_ffmpeg() {
  local how=$1 cmd=() start end peak=0
  shift
  start=$(date +%s.%N)
  for word in "$@" ";;"; do
    if [ "$word" != ";;" ]; then
      cmd+=("$word")
      continue
    fi
    if [ "$how" = threaded ]; then
      cmd=(-threads 8 -filter_threads 8 "${cmd[@]:0:${#cmd[@]}-1}" -threads 8 "${cmd[-1]}")
    fi
    read -r _ m < <(timed ffmpeg "${cmd[@]}")
    ((m > peak)) && peak=$m
    cmd=()
  done
  end=$(date +%s.%N)
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $peak"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
count() { find "$1" -maxdepth 1 -name "*.$2" | wc -l; }
fps() { awk -v n="$1" -v s="$2" 'BEGIN { print n / s }'; }
per_frame() { awk -v n="$1" -v s="$(stat -c %s "$2")" 'BEGIN { print s / n / 1024 }'; }
largest() { printf '%s\n' "$@" | sort -g | tail -1; }

ffmpeg_in() { echo -hide_banner -loglevel error -y -framerate 29.97 -i "$data/$1/%05d.$2"; }
silence='-f lavfi -i anullsrc=r=44100:cl=stereo'

# row NAME FOLDER EXT OUR_OUTPUT FFMPEG_OUTPUT -- OUR_OPTIONS -- FFMPEG_COMMAND (may be two, split by ';;')
row() {
  local name=$1 folder=$2 ext=$3 ours_out=$4 theirs_out=$5
  rows_done=$((rows_done + 1))
  [ -n "${ONLY:-}" ] && ! grep -Eq -- "$ONLY" <<< "$name" && return
  shift 5
  [ "$1" = "--" ] && shift
  local ours_opts=() theirs=()
  while [ "$1" != "--" ]; do ours_opts+=("$1"); shift; done
  shift
  theirs=("$@")
  local frames
  frames=$(count "$data/$folder" "$ext")
  local ours_s=() plain_s=() threaded_s=() rss=() theirs_rss=()
  for ((i = 1; i <= runs; ++i)); do
    read -r s m < <(timed "$bench" --input "$data/$folder" --type "$ext" --out "$out/$ours_out" "${ours_opts[@]}")
    ours_s+=("$s") rss+=("$m")
    read -r s m < <(run_ffmpeg plain "${theirs[@]}")
    plain_s+=("$s") theirs_rss+=("$m")
    read -r s m < <(run_ffmpeg threaded "${theirs[@]}")
    threaded_s+=("$s") theirs_rss+=("$m")
  done
  [ -n "$keep" ] && cp "$out/$ours_out" "$keep/$(printf %02d "$rows_done").${ours_out##*.}"
  local a b c best
  a=$(printf '%s\n' "${ours_s[@]}" | median)
  b=$(printf '%s\n' "${plain_s[@]}" | median)
  c=$(printf '%s\n' "${threaded_s[@]}" | median)
  best=$(awk -v b="$b" -v c="$c" 'BEGIN { print (c < b) ? c : b }')
  printf '%-32s %6d %8.1f %8.1f %8.1f %6.2f %9.0f %9.0f %7.0f %7.0f\n' "$name" "$frames" \
    "$(fps "$frames" "$a")" "$(fps "$frames" "$b")" "$(fps "$frames" "$c")" "$(awk -v a="$a" -v b="$best" 'BEGIN { print b / a }')" \
    "$(per_frame "$frames" "$out/$ours_out")" "$(per_frame "$frames" "$out/$theirs_out")" \
    "$(($(largest "${rss[@]}") / 1024))" "$(($(largest "${theirs_rss[@]}") / 1024))"
}

echo "cpus $(nproc), load before: $(cut -d' ' -f1-3 /proc/loadavg), runs $runs, ffmpeg mjpeg -q:v $mjpeg_q"
printf '%-32s %6s %8s %8s %8s %6s %9s %9s %7s %7s\n' row frames ours/fps ffmpeg/fps ff-8t/fps ratio ours/KiB ffmpeg/KiB rss/MiB ff/MiB
mjpg=(-vf scale=1280:720:flags=bilinear -c:v mjpeg -pix_fmt yuvj420p -q:v "$mjpeg_q")
for set in smooth noisy mandel; do
  row "1080p JPEG $set -> 720p MJPG" "$set" jpg ours.avi ffmpeg.avi -- --codec MJPG --size 1280x720 --quality 75 -- \
    $(ffmpeg_in "$set" jpg) "${mjpg[@]}" "$out/ffmpeg.avi"
done
row "1080p JPEG -> 1080p DIB" smooth jpg ours.avi ffmpeg.avi -- --codec "DIB " -- \
  $(ffmpeg_in smooth jpg) -c:v rawvideo -pix_fmt bgr24 "$out/ffmpeg.avi"
row "1080p PNG -> HFYU" png png ours.avi ffmpeg.avi -- --codec HFYU -- \
  $(ffmpeg_in png png) -c:v huffyuv -pix_fmt rgb24 -pred left "$out/ffmpeg.avi"
row "1080p PNG -> FFV1" png png ours.avi ffmpeg.avi -- --codec FFV1 -- \
  $(ffmpeg_in png png) -c:v ffv1 -pix_fmt bgr0 -coder 1 -context 0 -g 15 "$out/ffmpeg.avi"
row "640x480 JPEG -> WMV V8 profile 4" vga jpg ours.wmv ffmpeg.wmv -- --profile V8:4 -- \
  $(ffmpeg_in vga jpg) $silence -shortest -s 320x240 -c:v wmv2 -b:v 436k -c:a wmav2 -b:a 64k "$out/ffmpeg.wmv"
row "640x480 JPEG -> WMV two-pass file" vga jpg ours.wmv ffmpeg.wmv -- --profile "PRX:$prx" --two-pass -- \
  $(ffmpeg_in vga jpg) $silence -shortest -c:v wmv2 -b:v 1000k -c:a wmav2 -b:a 64k -pass 1 -passlogfile "$out/pass" -f asf /dev/null ";;" \
  $(ffmpeg_in vga jpg) $silence -shortest -c:v wmv2 -b:v 1000k -c:a wmav2 -b:a 64k -pass 2 -passlogfile "$out/pass" "$out/ffmpeg.wmv"
runs=1
row "1080p JPEG long -> 720p MJPG" long jpg ours.avi ffmpeg.avi -- --codec MJPG --size 1280x720 --quality 75 -- \
  $(ffmpeg_in long jpg) "${mjpg[@]}" "$out/ffmpeg.avi"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
