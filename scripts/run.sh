#!/bin/bash
# run.sh -- installs what building and running need when missing, builds the program and its
# data files (Release, in build-run/), installs them into build-run/stage and flies brinewings
# through its launcher, which starts it beside its data files. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh run
cmake --preset run >/dev/null
cmake --build --preset run -j"$(nproc)" >/dev/null
cmake --install build-run --prefix build-run/stage >/dev/null
exec build-run/stage/bin/brinewings "$@"
