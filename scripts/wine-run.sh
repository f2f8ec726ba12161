#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix, on a virtual display when none is
# set. CTest uses it as the emulator of the cross-compiled tests.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$here/wine-run.sh" "$@"
fi
# Wine's server and the helper processes a program starts (the desktop among them) outlive
# it for a while and keep the output they inherited open, so CTest would wait seconds after
# every test for its output pipe to close. They inherit files instead, which are then shown.
out=$(mktemp) err=$(mktemp)
wine "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $status
