#!/bin/bash
# test-arm64.sh -- cross-builds the simulation library and its unit tests for arm64 and runs them
# under qemu-user, so the flight and mountain digest is checked on a second CPU. Installs the
# cross toolchain and the arm64 libraries when they are missing (test tools only: running the
# program never needs them). Build folder: build-arm64.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR source=lib.sh
source scripts/lib.sh

packages=(cmake make pkg-config qemu-user g++-aarch64-linux-gnu
          libgtest-dev:arm64 libjpeg62-turbo-dev:arm64 libstb-dev:arm64 nlohmann-json3-dev)

log=$(mktemp)
trap 'rm -f "$log"' EXIT

if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    as_root dpkg --add-architecture arm64
fi
install_missing "${packages[@]}"

echo "== arm64 cross build under qemu-user: unit tests =="
# No OpenGL package is looked for: the configure fails if anything still asks for one.
werror=()
if [[ -n ${BRINEWINGS_WERROR:-} ]]; then
    werror=("-DBRINEWINGS_WERROR=$BRINEWINGS_WERROR")
fi
if ! timeout 600 cmake --preset arm64 "${werror[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    fail "configure failed"
fi
if ! timeout 1800 cmake --build --preset arm64 -j2 >"$log" 2>&1; then
    cat "$log" >&2
    fail "build failed"
fi
file build-arm64/tests/unit_tests | grep -q "ARM aarch64" || fail "unit_tests is not an arm64 program"
(cd build-arm64 && ctest -j2 --timeout 300 --output-on-failure -R '^unit\.')
