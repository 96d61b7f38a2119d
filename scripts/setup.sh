#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), then configures and builds.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake args...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(cmake g++ make qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-charts-dev libqt6sql6-sqlite libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth xdotool openbox wmctrl x11-utils imagemagick time pkg-config
          desktop-file-utils appstream dpkg-dev libgif-dev libimagequant-dev
          at-spi2-core python3-pyatspi dbus qt6-base-private-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
