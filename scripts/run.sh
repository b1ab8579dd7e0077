#!/bin/bash
# run.sh -- installs what building and running need when missing, builds the program and its
# data files (Release, in build-run/), installs them into build-run/stage and flies brinewings
# through its launcher. Arguments go to the program; it starts in the caller's folder, so the
# files they name are found where the caller typed them.
set -euo pipefail
caller=$PWD
cd "$(dirname "$0")/.."
./scripts/setup.sh run
cmake --preset run >/dev/null
cmake --build --preset run -j"$(nproc)" >/dev/null
cmake --install build-run --prefix build-run/stage >/dev/null
launcher=$PWD/build-run/stage/bin/brinewings
cd "$caller"
exec "$launcher" "$@"
