#!/bin/sh
# Installs what is missing, builds, and starts the console. On a fresh Debian
# machine run it as root. The console needs a display; without one, start it
# on a virtual screen:
#   xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run.sh
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" run
# The console and what ships beside it; the tests and benchmarks are the test command's.
HOI_BUILD_TARGET=hoiconsole "$top/scripts/build.sh"
console="${HOI_BUILD_DIR:-$top/build}/bin/hoiconsole"
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
  echo "run.sh: no display to show the console on (DISPLAY is not set)." >&2
  echo "Start it on a virtual screen instead (xvfb-run comes with 'scripts/deps.sh test'):" >&2
  echo "  xvfb-run -a -s \"-screen 0 1280x1024x24\" $0" >&2
  exit 1
fi
exec "$console" "$@"
