#!/usr/bin/env bash
# Builds Dunmere and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
