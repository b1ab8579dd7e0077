#!/bin/bash
# setup.sh -- installs the Debian packages brinewings needs, when missing. Runs apt-get as root,
# or through sudo.
#   setup.sh run    what building and running the program needs
#   setup.sh test   that, plus what the tests, fuzzers, benchmarks, pictures and packaging add
#                   (the default)
set -euo pipefail

run_packages=(
    cmake make g++ pkg-config
    freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
    libjpeg62-turbo-dev libstb-dev
)
test_packages=(
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev llvm
    xvfb xauth xdotool x11-utils openbox imagemagick
    dpkg-dev file groff-base man-db lintian desktop-file-utils appstream
    valgrind shellcheck gcovr
)

case "${1:-test}" in
    run) wanted=("${run_packages[@]}") ;;
    test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
    *)
        echo "usage: setup.sh [run|test]" >&2
        exit 2
        ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "setup.sh: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
echo "setup.sh: installing ${missing[*]}"
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}" >/dev/null
