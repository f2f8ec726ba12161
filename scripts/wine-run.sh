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
# Now and then Wine fails to start a program at all: it exits at once with an error status and
# not a byte of output, or with only its client's "wine client error" (the server went away
# under it). Every program run here says something of its own when it fails, so such a run is
# Wine's, not the program's: it is run once more, and said so.
if [ "$status" -ne 0 ] && [ ! -s "$out" ] &&
   { [ ! -s "$err" ] || grep -q '^wine client error' "$err"; }; then
  echo "wine-run.sh: wine exited with $status and no output; running $1 once more" >&2
  wine "$@" >"$out" 2>"$err"
  status=$?
fi
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $status
