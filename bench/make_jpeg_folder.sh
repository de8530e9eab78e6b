#!/usr/bin/env bash
# Writes a folder of numbered 1920x1080 JPEG files for the conversion benchmarks.
#   make_jpeg_folder.sh DIR [smooth|noisy] [COUNT]
# smooth: ffmpeg's moving test pattern (about 100 KB a file);
# noisy:  the same with film-grain noise, like a camera's photos (about 600 KB a file).
set -euo pipefail
dir=${1:?usage: make_jpeg_folder.sh DIR [smooth|noisy] [COUNT]}
kind=${2:-noisy}
count=${3:-300}
case "$kind" in
  smooth) source="testsrc2=size=1920x1080:rate=30" ;;
  noisy) source="testsrc2=size=1920x1080:rate=30,noise=alls=12:allf=t" ;;
  *) echo "unknown kind: $kind" >&2; exit 2 ;;
esac
mkdir -p "$dir"
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "$source" -frames:v "$count" -q:v 3 "$dir/%05d.jpg"
