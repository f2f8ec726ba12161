#!/usr/bin/env bash
# Builds the program and starts it under Wine with build/windows/dist as its working folder;
# builds the optimised build/release/vartolik-cli too.
# Without $DISPLAY it opens the program on a virtual display, saves a screenshot, and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release
cmake --preset windows >/dev/null
cmake --build --preset windows
. "$root/scripts/wine-env.sh"
dist="$root/build/windows/dist"
cd "$dist"
if [ -n "${DISPLAY:-}" ]; then
  exec wine ./vartolik.exe
fi
shot="$root/build/screenshot.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine ./vartolik.exe & pid=$!
  for i in $(seq 1 60); do
    xdotool search --name "^Vartolik 1.0$" >/dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 2
  import -window root "$1"
  wineserver -k >/dev/null 2>&1 || true
  wait $pid 2>/dev/null || true
' _ "$shot"
echo "screenshot: $shot"
