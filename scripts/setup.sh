#!/bin/bash
# setup.sh -- installs the Debian packages brinewings needs, when missing. Runs apt-get as root,
# or through sudo.
#   setup.sh run    what building and running the program needs
#   setup.sh test   that, plus what the tests, fuzzers, benchmarks, pictures and packaging add
#                   (the default)
# The names are those that Debian 12 and Debian 13 both have (no versioned LLVM runtime, not the
# transitional freeglut3-dev); scripts/fresh-debian.sh checks both releases from scratch.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"

run_packages=(
    cmake make g++ pkg-config
    libglut-dev libglu1-mesa-dev libgl1-mesa-dri libegl-dev libx11-dev
    libjpeg62-turbo-dev libstb-dev nlohmann-json3-dev libsdl2-dev
    libwayland-dev wayland-protocols libxkbcommon-dev libdecor-0-dev libdecor-0-plugin-1-cairo
)
test_packages=(
    libgtest-dev libbenchmark-dev
    clang libclang-rt-dev llvm
    xvfb xauth xdotool x11-utils openbox imagemagick weston
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

install_missing "${wanted[@]}"
