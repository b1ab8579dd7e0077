#!/bin/bash
# windows.sh -- the Windows release, cross-built here with mingw-w64 and run under Wine:
#   windows.sh        installs what is missing, builds libjpeg-turbo from Debian's source and
#                     GoogleTest once (build-windows/deps, kept), then the program, its data files
#                     and the unit tests (build-windows/), and writes
#                     build-windows/brinewings-VERSION-windows-x86_64.zip
#   windows.sh test   that, then the tests under Wine on a private virtual X server
#                     (scripts/windows-test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR source=lib.sh
source scripts/lib.sh

case "${1:-build}" in
    build | test) ;;
    *)
        echo "usage: windows.sh [build|test]" >&2
        exit 2
        ;;
esac

root=$(pwd)
out=$root/build-windows
deps=$out/deps
toolchain=$root/cmake/x86_64-w64-mingw32.cmake
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Runs a step with its output in the log, shown only when it fails.
quietly() {
    if ! "$@" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        fail "failed: $*"
    fi
}

install_missing cmake make pkg-config dpkg-dev g++-mingw-w64-x86-64-posix mingw-w64-tools nasm \
    wine wine64 zip groff-base libstb-dev nlohmann-json3-dev libgtest-dev xvfb xauth xdotool python3

# Debian's source of libjpeg-turbo, of the release in use: a deb-src entry beside each deb one.
enable_sources() {
    # shellcheck disable=SC2016 # apt's own format, not the shell's
    if apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources; then
        return 0
    fi
    local file
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        file=/etc/apt/sources.list.d/brinewings-deb-src.sources
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | as_root tee "$file" >/dev/null
    else
        file=/etc/apt/sources.list.d/brinewings-deb-src.list
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee "$file" >/dev/null
    fi
    echo "windows.sh: added $file for libjpeg-turbo's source"
    as_root timeout 900 apt-get -o DPkg::Lock::Timeout=600 update -qq
}

# libjpeg-turbo, static, with its SIMD code (nasm), installed into deps/.
build_libjpeg() {
    [[ -f $deps/lib/libjpeg.a && -f $deps/lib/pkgconfig/libjpeg.pc ]] && return 0
    enable_sources
    rm -rf "$deps/src" "$deps/jpeg-build"
    mkdir -p "$deps/src"
    echo "== libjpeg-turbo from Debian's source, for Windows (once) =="
    (cd "$deps/src" && quietly timeout 600 apt-get source -qq libjpeg-turbo)
    local source
    source=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
    [[ -n $source ]] || fail "apt-get source libjpeg-turbo unpacked nothing"
    quietly timeout 600 cmake -S "$source" -B "$deps/jpeg-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_TURBOJPEG=OFF -DREQUIRE_SIMD=ON
    quietly timeout 1200 cmake --build "$deps/jpeg-build" -j2 --target install
}

# GoogleTest from Debian's copy of its source, for the unit tests.
build_gtest() {
    [[ -f $deps/lib/libgtest.a ]] && return 0
    echo "== GoogleTest for Windows (once) =="
    quietly timeout 600 cmake -S /usr/src/googletest -B "$deps/gtest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_GMOCK=OFF -Dgtest_force_shared_crt=OFF
    quietly timeout 1200 cmake --build "$deps/gtest-build" -j2 --target install
}

# Debian's header-only stb and nlohmann-json, seen through deps/include alone; stb's
# implementations the tests and tools link (Debian's libstb) compiled once into libstb.a.
link_headers() {
    mkdir -p "$deps/include" "$deps/lib/pkgconfig" "$deps/share/cmake"
    ln -sfn /usr/include/stb "$deps/include/stb"
    ln -sfn /usr/include/nlohmann "$deps/include/nlohmann"
    rm -rf "$deps/share/cmake/nlohmann_json"
    cp -r /usr/share/cmake/nlohmann_json "$deps/share/cmake/"
    cat >"$deps/lib/pkgconfig/stb.pc" <<PC
prefix=$deps
Name: stb
Description: stb's image, image writer and noise headers, with their implementations
Version: 0.0
Libs: -L\${prefix}/lib -lstb
Cflags: -I\${prefix}/include/stb
PC
    if [[ ! -f $deps/lib/libstb.a ]]; then
        printf '#define STB_IMAGE_IMPLEMENTATION\n#define STB_IMAGE_WRITE_IMPLEMENTATION\n#define STB_PERLIN_IMPLEMENTATION\n#include <stb_image.h>\n#include <stb_image_write.h>\n#include <stb_perlin.h>\n' >"$deps/stb.c"
        quietly x86_64-w64-mingw32-gcc-posix -O2 -ffp-contract=off -I/usr/include/stb -c "$deps/stb.c" -o "$deps/stb.o"
        quietly x86_64-w64-mingw32-ar rcs "$deps/lib/libstb.a" "$deps/stb.o"
    fi
}

mkdir -p "$deps"
build_libjpeg
build_gtest
link_headers

echo "== brinewings for Windows =="
quietly timeout 600 cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DBRINEWINGS_BENCHMARKS=OFF -DBRINEWINGS_FUZZ=OFF -DBRINEWINGS_TESTS=ON -DGTest_DIR="$deps/lib/cmake/GTest"
quietly timeout 1800 cmake --build "$out" -j2 --target brinewings unit_tests

# The release: the program, its data files, the benchmark's route, the manual and the licence.
version=$(sed -n 's/^project(brinewings VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=brinewings-$version-windows-x86_64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage"
cp "$out/brinewings.exe" "$out/cessna.txt" "$out/propeller.txt" "$out/sea02.jpg" "$out/sky08.jpg" \
    "$out/benchmark.flight" "$stage/"
x86_64-w64-mingw32-strip "$stage/brinewings.exe"
# README.txt: a word on Windows, then the manual page's text, with Windows' line ends.
sed -e "s/@PROJECT_VERSION@/$version/g" -e "s|@BRINEWINGS_DATA_FULL_DIR@|the program's folder|g" \
    packaging/brinewings.6 >"$out/brinewings.6"
{
    sed "s/@VERSION@/$version/" packaging/windows-readme.txt
    GROFF_NO_SGR=1 groff -man -Tascii -P-cbou "$out/brinewings.6"
} | sed 's/$/\r/' >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
(cd "$out" && quietly zip -q -X -r "$name.zip" "$name")
imports=$(x86_64-w64-mingw32-objdump -p "$stage/brinewings.exe" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')
echo "windows.sh: wrote build-windows/$name.zip ($(stat -c %s "$out/$name.zip") bytes); brinewings.exe imports $imports"

if [[ ${1:-build} == test ]]; then
    # Wine draws a memory bitmap through OSMesa: the off-screen run with no X server needs it.
    install_missing libosmesa6
    exec scripts/windows-test.sh
fi
