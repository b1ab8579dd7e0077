#!/bin/bash
# test-cross.sh -- cross-builds the simulation library and its unit tests for another CPU and runs
# them under qemu-user, so the flight and mountain digest and the size checks are proven there:
#   test-cross.sh arm64   64-bit ARM (build-arm64/)
#   test-cross.sh armhf   32-bit ARM, where size_t is 32 bits (build-armhf/)
# Installs the cross toolchain and that architecture's libraries when they are missing (test tools
# only: running the program never needs them).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR source=lib.sh
source scripts/lib.sh

arch=${1:-}
case "$arch" in
    arm64) compiler=g++-aarch64-linux-gnu cpu="ARM aarch64" ;;
    armhf) compiler=g++-arm-linux-gnueabihf cpu="32-bit LSB .*, ARM, EABI5" ;;
    *)
        echo "usage: test-cross.sh arm64|armhf" >&2
        exit 2
        ;;
esac
packages=(cmake make pkg-config file qemu-user "$compiler"
          "libgtest-dev:$arch" "libjpeg62-turbo-dev:$arch" "libstb-dev:$arch" nlohmann-json3-dev)

log=$(mktemp)
trap 'rm -f "$log"' EXIT

if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    as_root dpkg --add-architecture "$arch"
fi
install_missing "${packages[@]}"

echo "== $arch cross build under qemu-user: unit tests =="
# No OpenGL package is looked for: the configure fails if anything still asks for one.
werror=()
if [[ -n ${BRINEWINGS_WERROR:-} ]]; then
    werror=("-DBRINEWINGS_WERROR=$BRINEWINGS_WERROR")
fi
if ! timeout 600 cmake --preset "$arch" "${werror[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    fail "configure failed"
fi
if ! timeout 1800 cmake --build --preset "$arch" -j2 >"$log" 2>&1; then
    cat "$log" >&2
    fail "build failed"
fi
file "build-$arch/tests/unit_tests" | grep -q "$cpu" || fail "unit_tests is not an $arch program"
# Under emulation the tests check what differs by CPU: the arithmetic, the flight and mountain
# digest, the sizes. That the texture generator writes the same bytes when run again is the native
# suite's check: under qemu-user it takes minutes on a loaded machine, for nothing the CPU changes.
# Signals are the kernel's, not the CPU's, and qemu-user does not carry a second fatal signal to
# a child it emulates: the native run checks them.
(cd "build-$arch" && ctest -j2 --output-on-failure -R '^unit\.' \
    -E '^unit\.(GeneratedTextures\.AreThreeChannelJpegsWithRowsOfWholeWordsAndRepeatable|RunSignals\..*)$')
