#!/usr/bin/env bash
# Converts one folder of pictures with the whole program (convert_bench) through every system
# profile that the WMV profile dialog lists (51 rows), through profile files asking for the
# qualities 10, 50 and 90, and through every AVI compressor at its default settings, and prints
# one table line per output: file size, frames decoded, video kbit/s, the mean quantiser of the
# decoded macroblocks ("-" for decoders that do not tell), and the stream's profile and pixel
# format as libavformat reports them.
#   wmv_profile_table.sh DATA_DIR
# DATA_DIR is filled on first use with 90 640x480 JPEG files (moving test pattern with noise, as
# the vga set of compare_matrix.sh). CONVERT_BENCH names another convert_bench binary (an older
# build, to compare); KEEP_DIR keeps every output there under a name of its row, for
# bench/compare_outputs.sh.
set -euo pipefail
data=${1:?usage: wmv_profile_table.sh DATA_DIR}
here=$(cd "$(dirname "$0")" && pwd)
bench=${CONVERT_BENCH:-$here/../build/bench/convert_bench}
probe=$here/../build/bench/wmv_probe
keep=${KEEP_DIR:-}
[ -n "$keep" ] && mkdir -p "$keep"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

input=$data/vga
if [ ! -d "$input" ]; then
  mkdir -p "$input.part"
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=640x480:rate=30,noise=alls=12:allf=t" \
    -frames:v 90 -q:v 3 "$input.part/%05d.jpg"
  mv "$input.part" "$input"
fi
input=$(cd "$input" && pwd)

# A 640x360 profile file: wmv2 video at a quality, 64 kbit/s wmav2 audio.
quality_profile() {
  printf '%s' "<profile version=\"589824\" storageformat=\"1\" name=\"quality $1\"><streamconfig majortype=\"{73647561-0000-0010-8000-00AA00389B71}\" streamnumber=\"1\" bitrate=\"64000\" bufferwindow=\"-1\"><wmmediatype subtype=\"{00000161-0000-0010-8000-00AA00389B71}\"><waveformatex wFormatTag=\"353\" nChannels=\"2\" nSamplesPerSec=\"44100\" nAvgBytesPerSec=\"8000\" nBlockAlign=\"2973\" wBitsPerSample=\"16\"/></wmmediatype></streamconfig><streamconfig majortype=\"{73646976-0000-0010-8000-00AA00389B71}\" streamnumber=\"2\" bitrate=\"0\" bufferwindow=\"5000\" vbrenabled=\"1\" vbrquality=\"$1\"><videomediaprops maxkeyframespacing=\"80000000\"/><wmmediatype subtype=\"{32564D57-0000-0010-8000-00AA00389B71}\"><videoinfoheader><bitmapinfoheader biwidth=\"640\" biheight=\"360\" bicompression=\"WMV2\"/></videoinfoheader></wmmediatype></streamconfig></profile>" |
    iconv -f UTF-8 -t UTF-16LE
}

# row LABEL FILE_NAME CONVERT_BENCH_OPTIONS...
row() {
  local label=$1 name=$2
  shift 2
  local file=$out/$name
  rm -f "$file"
  if "$bench" --input "$input" --type jpg --out "$file" "$@" > /dev/null 2> "$out/stderr"; then
    IFS=$'\t' read -r bytes frames kbps quantiser profile format < <("$probe" "$file")
    printf '%-36s %9s %6s %7s %9s  %-22s %s\n' "$label" "$bytes" "$frames" "$kbps" "$quantiser" "$profile" "$format"
    [ -n "$keep" ] && cp "$file" "$keep/$name"
  else
    printf '%-36s failed: %s\n' "$label" "$(tail -n1 "$out/stderr")"
  fi
  return 0
}

echo "input: $(find "$input" -name '*.jpg' | wc -l) pictures 640x480 at 29.97 frames per second"
printf '%-36s %9s %6s %7s %9s  %-22s %s\n' row bytes frames kbit/s quantiser profile pix_fmt
while read -r choice text; do
  row "$choice $text" "${choice/:/_}.wmv" --profile "$choice"
done < <("$probe" --rows)
for quality in 10 50 90; do
  quality_profile "$quality" > "$out/quality_$quality.prx"
  row "PRX 640x360 vbrquality $quality" "PRX_quality_$quality.wmv" --profile "PRX:$out/quality_$quality.prx"
done
for code in MJPG HFYU FFV1 ULRG MPNG ZMBV MP42 MP43 WMV1 WMV2 XVID FMP4 H264 MSVC cvid "DIB "; do
  row "AVI $code default" "AVI_${code// /_}.avi" --codec "$code"
done
