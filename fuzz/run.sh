#!/bin/sh
# Builds the fuzz targets with clang and runs each for SECONDS (default 600), two at a time.
# Findings land in $FUZZ_OUT/<target>/ (crash-* files); the grown corpus stays there too,
# so the seeds under fuzz/corpus stay small.
set -eu
SECONDS_EACH=${1:-600}
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=${FUZZ_BUILD:-$HERE/../../build-fuzz}
OUT=${FUZZ_OUT:-$BUILD/out}

command -v clang++ >/dev/null || { echo "run.sh: clang++ is needed (apt-get install clang)" >&2; exit 2; }
cmake -S "$HERE" -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2

run_one() {
    t=$1
    mkdir -p "$OUT/$t/corpus"
    echo "fuzzing $t for ${SECONDS_EACH}s (log: $OUT/$t/log)"
    "$BUILD/$t" -max_total_time="$SECONDS_EACH" -print_final_stats=1 -artifact_prefix="$OUT/$t/" \
        "$OUT/$t/corpus" "$HERE/corpus/$t" >"$OUT/$t/log" 2>&1
}

status=0
run_one fuzz_scorefile & a=$!
run_one fuzz_prefs & b=$!
wait $a || status=1
run_one fuzz_cli & a=$!
wait $b || status=1
wait $a || status=1

for t in fuzz_scorefile fuzz_prefs fuzz_cli; do
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$OUT/$t/log" | grep -o '[0-9]*$' || echo "?")
    crashes=$(ls "$OUT/$t" | grep -c '^\(crash\|leak\|timeout\|oom\)-' || true)
    echo "$t: $runs executions, $crashes findings"
done
exit $status
