#!/usr/bin/env bash
# Start-up time, peak memory, idle CPU and card glide of dunmere, side by side with a
# bare Qt window of the same size, on a private Xvfb display. Builds nothing of the
# project: it runs BUILD_DIR/bin as it is (default: build). RUNS sets the run count.
# Usage: scripts/perf.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build}/bin
runs=${RUNS:-5}

for tool in Xvfb openbox xdotool wmctrl xwininfo g++ pkg-config /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "perf.sh: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
[[ -x $bin/dunmere && -d $bin/pics ]] || { echo "perf.sh: no dunmere with its data in $bin" >&2; exit 1; }

work=$(mktemp -d /tmp/dunmere-perf.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

echo "Compiling the probe and the bare window..." >&2
g++ -std=c++20 -O2 -fPIC "$here/scripts/perf/bare.cpp" -o "$work/bare" $(pkg-config --cflags --libs Qt6Widgets)
g++ -std=c++20 -O2 -fPIC "$here/scripts/perf/probe.cpp" -o "$work/probe" $(pkg-config --cflags --libs Qt6Gui)

# A copy of the program folder, so the score file is written there and not into the build.
mkdir -p "$work/prog" "$work/runtime" "$work/config" "$work/cache"
chmod 700 "$work/runtime"
cp -r "$bin/dunmere" "$bin/pics" "$bin/wavs" "$bin/frames" "$work/prog/"
for f in dunmere.hlp dunmere-sound.so; do [[ -f $bin/$f ]] && cp "$bin/$f" "$work/prog/"; done

: >"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { echo "perf.sh: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$(tr -d '\n' <"$work/display")" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
       XDG_RUNTIME_DIR="$work/runtime" XDG_CACHE_HOME="$work/cache"
unset XAUTHORITY

# Warm-up: the very first start measures the animation speed and keeps it; close it as a
# user would (through a window manager) so the settings are saved for the timed runs.
echo "Warm-up start on $DISPLAY..." >&2
openbox >/dev/null 2>&1 &
wm=$!
pids+=($wm)
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
"$work/prog/dunmere" >/dev/null 2>&1 &
app=$!
pids+=($app)
win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Video-Poker / Tolva-Rummy$' | head -1)
height=$(xwininfo -id "$win" | awk '/Height:/ {print $2}')
menu=$((height - 600))
sleep 3
wmctrl -i -c "$(printf '0x%x' "$win")"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill "$app" 2>/dev/null || true
kill "$wm" 2>/dev/null || true
wait "$wm" 2>/dev/null || true

# Without a window manager the window sits at the screen's top left, its table below
# the menu bar. Boxes of the default 800 x 600 table with the default card spacing.
area="0,40,800,560"
hand="80,$((menu + 419)),234,151"
stock="345,$((menu + 300))"
spot="330,$((menu + 444)),90,126"

median() { sort -n | awk '{v[NR]=$1} END {if (NR == 0) print "-"; else if (NR % 2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }
field() { awk -v k="$1" '$1 == k {print $2}' "$2"; }
rss() { awk -F': ' '/Maximum resident set size/ {printf "%.1f\n", $2/1024}' "$1"; }

# Two other card games side by side when installed (apt-get install kpat aisleriot), each
# in its own D-Bus session as a desktop would start it; their windows paint the felt.
if [[ $(id -u) == 0 ]] && ! dpkg -s kpat aisleriot >/dev/null 2>&1; then
  echo "Installing kpat and aisleriot to measure beside them..." >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq kpat aisleriot >/dev/null || true
fi
others=()
for g in kpat sol; do
  [[ -x /usr/games/$g ]] && command -v dbus-run-session >/dev/null && others+=("$g")
done
felt="100,150,400,250"

for i in $(seq "$runs"); do
  echo "Run $i of $runs..." >&2
  for g in "${others[@]}"; do
    "$work/probe" --table "$felt" -- dbus-run-session -- \
      /usr/bin/time -v -o "$work/time.$g.$i" "/usr/games/$g" >"$work/probe.$g.$i" 2>/dev/null || true
  done
  "$work/probe" --table "$area" --hand "$hand" --stock "$stock" --spot "$spot" --idle 5 -- \
    /usr/bin/time -v -o "$work/time.d.$i" "$work/prog/dunmere" >"$work/probe.d.$i" 2>/dev/null || true
  "$work/probe" --table "$area" --idle 5 -- \
    /usr/bin/time -v -o "$work/time.b.$i" "$work/bare" >"$work/probe.b.$i" 2>/dev/null || true
done

collect() {  # $1 = d or b, $2 = key
  for i in $(seq "$runs"); do
    case $2 in
      rss) rss "$work/time.$1.$i" ;;
      *) field "$2" "$work/probe.$1.$i" ;;
    esac
  done | grep -v '^-1' | median
}

for i in $(seq "$runs"); do
  echo "run $i: dunmere $(tr '\n' ' ' <"$work/probe.d.$i")rss_mb $(rss "$work/time.d.$i"); bare $(tr '\n' ' ' <"$work/probe.b.$i")rss_mb $(rss "$work/time.b.$i")" >&2
done
delay=$(awk -F= '$1 == "prfAnimationDelay" {print $2}' "$work/config/Dunmere/TolvaRummy.conf" 2>/dev/null || true)

printf '\n%-40s %12s %16s\n' "median of $runs runs" "dunmere" "bare Qt window"
printf '%-40s %12s %16s\n' "launch to first painted table (ms)" "$(collect d launch_ms)" "$(collect b launch_ms)"
printf '%-40s %12s %16s\n' "peak memory, max RSS (MB)" "$(collect d rss)" "$(collect b rss)"
printf '%-40s %12s %16s\n' "CPU while idle for 5 s (%)" "$(collect d idle_cpu_percent)" "$(collect b idle_cpu_percent)"
printf '%-40s %12s %16s\n' "card glide, stock to draw spot (ms)" "$(collect d glide_ms)" "-"
echo "(animation delay measured at the first start: prfAnimationDelay=${delay:-?})"
for g in "${others[@]}"; do
  printf '%-40s %12s ms %8s MB\n' "$g: launch to painted felt, max RSS" "$(collect "$g" launch_ms)" "$(collect "$g" rss)"
done
