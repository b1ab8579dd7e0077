#!/bin/sh
# run.sh -- installs what is missing, builds, and flies brinewings from the folder with its data files.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "brinewings: no X display to open a window on (DISPLAY='${DISPLAY:-}'); on a machine without one, run it on a virtual screen: xvfb-run -s '-screen 0 1280x1280x24' ./scripts/run.sh" >&2
    exit 1
fi
cd build
exec ./brinewings "$@"
