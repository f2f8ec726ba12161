#!/usr/bin/env bash
# Start-up under Wine: the time from CreateProcess to the intro screen's first paint of
# vartolik.exe (in a copy of dist), beside the same for an empty window, both measured by
# bench/startup_probe.cpp inside one running Wine session on a virtual display.
# Usage: bench/startup.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
rounds=${1:-15}
cmake --preset windows >/dev/null
cmake --build --preset windows --target vartolik vartolik_fonts vartolik_dictionary \
      startup_probe empty_window >/dev/null
. scripts/wine-env.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/windows/dist "$work/dist"
cp build/windows/bench/empty_window.exe "$work/dist/"
probe=build/windows/bench/startup_probe.exe
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wineserver -k >/dev/null 2>&1 || true
  wine "$1" "$2" "Empty window" "$3/empty_window.exe"
  wine "$1" "$2" "Vartolik 1.0" "$3/vartolik.exe"
  wineserver -k >/dev/null 2>&1 || true
' _ "$probe" "$rounds" "$(winepath -w "$work/dist" 2>/dev/null)"
