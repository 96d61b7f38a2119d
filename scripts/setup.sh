#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), then configures and builds.
# Usage: scripts/setup.sh [--game | --packages] BUILD_DIR [extra cmake args...]
#   --game      only the game: the packages it needs, and the program, its generated data
#               and its sound module; a new build folder then leaves the tests out
#   --packages  every package, and no build
#   else        everything: the tests, benchmarks and tools too, and what they run
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
game_only=false packages_only=false
case ${1:-} in
  --game) game_only=true; shift ;;
  --packages) packages_only=true; shift ;;
esac
build=${1:-$here/build}
shift || true

game_packages=(cmake g++ ninja-build qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-charts-dev libqt6sql6-sqlite
               libgl-dev pkg-config libgif-dev libimagequant-dev)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool openbox wmctrl x11-utils
               imagemagick time desktop-file-utils appstream dpkg-dev clang libclang-rt-14-dev
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
$packages_only && exit 0

args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
# A folder made before keeps its generator; a new one gets Ninja, the quicker one.
if [[ ! -f $build/CMakeCache.txt ]]; then
  args+=(-G Ninja)
  $game_only && args+=(-DBUILD_TESTING=OFF)
fi
$game_only || args+=(-DBUILD_TESTING=ON)
cmake -S "$here" -B "$build" "${args[@]}" "$@" >/dev/null
if $game_only; then
  cmake --build "$build" -j"$(nproc)" --target dunmere assets dunmere-sound dunmere-stats
else
  cmake --build "$build" -j"$(nproc)"
fi
