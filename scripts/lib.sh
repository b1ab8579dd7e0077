#!/bin/bash
# lib.sh -- what the scripts that install packages share; sourced, never run:
#   fail MESSAGE...            prints "SCRIPT: MESSAGE" to standard error and exits with status 1
#   as_root COMMAND...         runs the command as root, through sudo when not root already
#   install_missing PACKAGE... installs with apt-get those of the packages not installed yet
set -euo pipefail

fail() {
    echo "${0##*/}: $*" >&2
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
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "${0##*/}: installing ${missing[*]}"
    as_root timeout 900 apt-get -o DPkg::Lock::Timeout=600 update -qq
    as_root env DEBIAN_FRONTEND=noninteractive timeout 1800 \
        apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
