#!/usr/bin/env bash
# Builds Dunmere, runs every test, then builds every fuzz target and runs each for
# FUZZ_SECONDS (default 20), so that they keep building and finding nothing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
status=0
(cd "$here/build" && ctest --output-on-failure -j"$(nproc)" --timeout 600) || status=$?
"$here/fuzz/run.sh" "${FUZZ_SECONDS:-20}" || status=$?
exit "$status"
