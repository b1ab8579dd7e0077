#!/bin/bash
# test-arm64.sh -- cross-builds the simulation library and its unit tests for arm64 and runs them
# under qemu-user, so the flight and mountain digest is checked on a second CPU. Installs the
# cross toolchain and the arm64 libraries when they are missing (test tools only: running the
# program never needs them). Build folder: build-arm64.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make pkg-config qemu-user g++-aarch64-linux-gnu
          libgtest-dev:arm64 libjpeg62-turbo-dev:arm64 libstb-dev:arm64)

fail() {
    echo "test-arm64.sh: $*" >&2
    exit 1
}

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        fail "needs root or sudo to run: $*"
    fi
}

install_missing() {
    local missing=() p
    if ! dpkg --print-foreign-architectures | grep -qx arm64; then
        as_root dpkg --add-architecture arm64
    fi
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "test-arm64.sh: installing ${missing[*]}"
    as_root timeout 900 apt-get -o DPkg::Lock::Timeout=600 update -qq
    as_root env DEBIAN_FRONTEND=noninteractive timeout 1800 \
        apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT

install_missing

echo "== arm64 cross build under qemu-user: unit tests =="
# No OpenGL package is looked for: the configure fails if anything still asks for one.
if ! timeout 600 cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/aarch64-linux-gnu.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINEWINGS_GL=OFF -DBRINEWINGS_BENCHMARKS=OFF \
        -DBRINEWINGS_WERROR="${BRINEWINGS_WERROR:-ON}" \
        -DCMAKE_DISABLE_FIND_PACKAGE_OpenGL=ON -DCMAKE_DISABLE_FIND_PACKAGE_GLUT=ON >"$log" 2>&1; then
    cat "$log" >&2
    fail "configure failed"
fi
if ! timeout 1800 cmake --build build-arm64 -j2 >"$log" 2>&1; then
    cat "$log" >&2
    fail "build failed"
fi
file build-arm64/tests/unit_tests | grep -q "ARM aarch64" || fail "unit_tests is not an arm64 program"
(cd build-arm64 && ctest -j2 --timeout 300 --output-on-failure -R '^unit\.')
