#!/usr/bin/env bash
# Builds every preset and runs every test: native (with sanitizers), the release build's
# vartolik-cli (also installed into a scratch prefix), under Wine, and end to end (the Windows
# zip included).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root"
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset release >/dev/null
cmake --build --preset release
cmake --preset windows >/dev/null
cmake --build --preset windows
status=0
ctest --preset native || status=1
ctest --preset release || status=1
. "$root/scripts/wine-env.sh"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows || status=1
wineserver -k >/dev/null 2>&1 || true
exit $status
