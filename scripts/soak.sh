#!/usr/bin/env bash
# Builds the app tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# only the long random run of the main window.
# Usage: scripts/soak.sh [BUILD_DIR]      (default: build-asan in the source tree)
#   ACTIONS=20000  number of top-level actions
#   SEED=...       the run's seed (the test's default when unset)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-asan}
actions=${ACTIONS:-20000}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNMERE_SANITIZE=ON >/dev/null
cmake --build "$build" -j2 --target test_app

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export DUNMERE_SOAK_ACTIONS=$actions
if [[ -n "${SEED:-}" ]]; then export DUNMERE_SOAK_SEED=$SEED; fi

echo "soak: $actions actions under AddressSanitizer and UndefinedBehaviorSanitizer (seed ${SEED:-default})"
start=$(date +%s)
status=0
"$build/tests/test_app" --gtest_filter='Soak.*' || status=$?
took=$(( $(date +%s) - start ))
if (( status == 0 )); then
  echo "soak: PASSED, $actions actions in ${took}s"
else
  echo "soak: FAILED (exit status $status) after ${took}s; the seed and the last actions are printed above"
fi
exit "$status"
