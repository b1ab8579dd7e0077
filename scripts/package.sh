#!/bin/bash
# package.sh -- builds the Debian package as a packager would (Release, the program's packages
# only, games layout under /usr) in build-packager/ and checks it with lintian, which must
# report no errors and no warnings. The maintainer comes from BRINEWINGS_MAINTAINER when set
# ("Name <address>"). Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
maintainer=()
if [[ -n ${BRINEWINGS_MAINTAINER:-} ]]; then
    maintainer=("-DBRINEWINGS_MAINTAINER=$BRINEWINGS_MAINTAINER")
fi
# Debian's own compiler and linker flags with every hardening feature, as a distribution's
# build would use; CMake reads them from the environment when build-packager is first
# configured.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CFLAGS CXXFLAGS LDFLAGS
rm -rf build-packager
cmake --preset packager "${maintainer[@]}" >/dev/null
cmake --build --preset packager -j"$(nproc)" >/dev/null
(cd build-packager && cpack -G DEB >/dev/null)
deb=$(echo build-packager/brinewings_*.deb)
if ! lintian --fail-on error,warning "$deb"; then
    echo "package.sh: lintian rejects $deb" >&2
    exit 1
fi
echo "$deb"
