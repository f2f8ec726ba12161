#!/usr/bin/env bash
# Builds every preset with warnings as errors, runs the static checks (scripts/lint.sh) and
# every test: native (with sanitizers), the release build's vartolik-cli (also installed into
# a scratch prefix), under Wine, and end to end (the Windows zip included).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root"
cmake --preset native -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset native
cmake --preset release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset release
cmake --preset windows -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset windows
status=0
"$root/scripts/lint.sh" || status=1
ctest --preset native || status=1
ctest --preset release || status=1
. "$root/scripts/wine-env.sh"
# One Wine server for the whole run: left to itself it exits a moment after each test's last
# process, and a test started in that moment loses its connection ("recvmsg" errors). The
# end-to-end tests still end their own sessions with wineserver -k.
wineserver -p
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows || status=1
# WINEPREFIX (scripts/wine-env.sh) scopes this to the project's own Wine session.
wineserver -k >/dev/null 2>&1 || true
exit $status
