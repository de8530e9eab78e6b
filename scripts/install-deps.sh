#!/usr/bin/env bash
# Installs the Debian packages Torvina needs to build, run and test. Idempotent.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools libqt6dbus6 libgl-dev
  libjpeg62-turbo-dev libpng-dev libtiff-dev zlib1g-dev
  libjpeg-turbo-progs
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev
  fonts-ipafont-gothic qt6-translations-l10n
  ffmpeg
  dbus xvfb xauth xdg-utils
  xdotool imagemagick x11-utils
  clang libclang-rt-14-dev clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
