#!/usr/bin/env bash
# Builds Dunmere and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
exec "$here/build/bin/dunmere"
