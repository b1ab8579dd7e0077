#!/bin/bash
# wine-run.sh -- runs a Windows program under Wine in the build's own prefix
# (build-windows/wine-prefix, made once with wineboot), quiet, without Mono or Gecko, for at most
# BRINEWINGS_WINE_TIMEOUT seconds (600). The cross build's CMake runs its generators and tests
# through it; scripts/windows.sh runs brinewings.exe through it.
#   wine-run.sh PROGRAM.exe [ARGUMENT]...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wine-prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Two runs at once (a parallel build) make the prefix once.
    (
        flock -w 300 9 || exit 1
        if [[ ! -f $WINEPREFIX/system.reg ]]; then
            timeout 300 wineboot --init >/dev/null 2>&1 || true
            timeout 60 wineserver -w || true
        fi
    ) 9>"$WINEPREFIX.lock"
    [[ -f $WINEPREFIX/system.reg ]] || { echo "wine-run.sh: wineboot made no prefix in $WINEPREFIX" >&2; exit 1; }
fi
exec timeout "${BRINEWINGS_WINE_TIMEOUT:-600}" wine "$@"
