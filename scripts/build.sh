#!/bin/bash
# build.sh -- configures and builds brinewings into build/ (the program, its data files, the
# tests and benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
