#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix, on a virtual display when none is
# set. CTest uses it as the emulator of the cross-compiled tests.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$here/wine-run.sh" "$@"
fi
wine "$@"
