#!/bin/bash
# build.sh -- configures and builds brinewings into build/ (the program, its data files, the
# tests and benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset test >/dev/null
cmake --build --preset test -j"$(nproc)"
