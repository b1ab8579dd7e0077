#!/bin/bash
# test.sh -- installs what is missing (both package sets), builds, and runs every test (unit,
# OpenGL, end to end, scripts, packaging). The OpenGL and end-to-end tests start their own
# virtual X servers; no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
./scripts/build.sh
cd build
ctest -j"$(nproc)" --output-on-failure
