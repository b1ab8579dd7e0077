#!/bin/bash
# package.sh -- builds the Debian package as a packager would (Release, the program's packages
# only, games layout under /usr) in build-deb/ and checks it with lintian, which must report no
# errors and no warnings. The maintainer comes from BRINEWINGS_MAINTAINER when set
# ("Name <address>"). Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
maintainer=()
if [[ -n ${BRINEWINGS_MAINTAINER:-} ]]; then
    maintainer=("-DBRINEWINGS_MAINTAINER=$BRINEWINGS_MAINTAINER")
fi
# Debian's own compiler and linker flags with every hardening feature, as a distribution's
# build would use; CMake reads them from the environment when build-deb is first configured.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CFLAGS CXXFLAGS LDFLAGS
rm -rf build-deb
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBRINEWINGS_GAMES_LAYOUT=ON \
    -DBRINEWINGS_TESTS=OFF -DBRINEWINGS_BENCHMARKS=OFF -DBRINEWINGS_FUZZ=OFF "${maintainer[@]}" >/dev/null
cmake --build build-deb -j"$(nproc)" >/dev/null
rm -f build-deb/brinewings_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
deb=$(echo build-deb/brinewings_*.deb)
if ! lintian --fail-on error,warning "$deb"; then
    echo "package.sh: lintian rejects $deb" >&2
    exit 1
fi
echo "$deb"
