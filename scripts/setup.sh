#!/bin/sh
# setup.sh -- installs the Debian packages brinewings needs to build, run and test, when missing.
# Runs apt-get as root, or through sudo.
set -eu

packages="cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
libstb-dev libturbojpeg0-dev xvfb xauth xdotool x11-utils libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
imagemagick openbox dpkg-dev file groff-base libjpeg62-turbo-dev valgrind"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "setup.sh: these packages are missing and neither root nor sudo is available:$missing" >&2
    exit 1
fi
echo "setup.sh: installing$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
