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

"$here/scripts/setup.sh" --packages
generator=()
[[ -f $build/CMakeCache.txt ]] || ! command -v ninja >/dev/null || generator=(-G Ninja)
cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNMERE_SANITIZE=ON >/dev/null
cmake --build "$build" -j2 --target test_app

export QT_QPA_PLATFORM=offscreen
# GCC 12's LeakSanitizer crashes at exit ("Tracer caught signal 11") unless it leaves the
# TLS lookups alone; leaks are still checked. Options given by the caller come after ours.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:intercept_tls_get_addr=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}
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
