#!/bin/sh
# Builds the fuzz targets with clang and runs each for SECONDS (default 600), two at a time.
# The build goes to build-fuzz in the source tree (FUZZ_BUILD to change it); findings land
# in $FUZZ_OUT/<target>/ (crash-* files); the grown corpus stays there too, so the seeds
# under fuzz/corpus stay small. Exits non-zero when a target did not build or run, or
# found something.
set -eu
SECONDS_EACH=${1:-600}
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(dirname "$HERE")
BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
OUT=${FUZZ_OUT:-$BUILD/out}

command -v clang++ >/dev/null || { echo "run.sh: clang++ is needed (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }
generator=
if [ ! -f "$BUILD/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator="-G Ninja"; fi
# shellcheck disable=SC2086 # the generator is two words or none
cmake -S "$ROOT" -B "$BUILD" $generator -DDUNMERE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2

# Every fuzz_*.cpp is a target.
TARGETS=
for f in "$HERE"/fuzz_*.cpp; do
    f=${f##*/}
    TARGETS="$TARGETS ${f%.cpp}"
done

run_one() {
    t=$1
    mkdir -p "$OUT/$t/corpus"
    touch "$OUT/$t/started"  # findings of earlier runs stay, and are not counted again
    echo "fuzzing $t for ${SECONDS_EACH}s (log: $OUT/$t/log)"
    "$BUILD/$t" -max_total_time="$SECONDS_EACH" -print_final_stats=1 -artifact_prefix="$OUT/$t/" \
        "$OUT/$t/corpus" "$HERE/corpus/$t" >"$OUT/$t/log" 2>&1
}

status=0
running=
for t in $TARGETS; do
    run_one "$t" &
    running="$running $!"
    # shellcheck disable=SC2086 # a list of process ids
    set -- $running
    if [ $# -ge 2 ]; then
        wait "$1" || status=1
        shift
        running="$*"
    fi
done
for p in $running; do wait "$p" || status=1; done

for t in $TARGETS; do
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$OUT/$t/log" | grep -o '[0-9]*$' || true)
    findings=$(find "$OUT/$t" -maxdepth 1 -type f -newer "$OUT/$t/started" \
        \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
    echo "$t: ${runs:-no} executions, $findings findings"
    if [ -z "$runs" ] || [ "$findings" -ne 0 ]; then
        status=1
        tail -n 30 "$OUT/$t/log"
    fi
done
exit $status
