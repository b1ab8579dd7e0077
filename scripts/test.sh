#!/bin/sh
# test.sh -- installs what is missing, builds, and runs every test (unit, OpenGL, end to end).
# The OpenGL and end-to-end tests start their own virtual X servers; no display is needed.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
cd build
ctest -j"$(nproc)" --output-on-failure
