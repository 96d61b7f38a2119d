#!/usr/bin/env bash
# Builds the game alone (the program, its pictures, sounds and help, the sound module)
# and starts it. ./scripts/test.sh builds the rest in the same folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" --game "$here/build"
exec "$here/build/bin/dunmere"
