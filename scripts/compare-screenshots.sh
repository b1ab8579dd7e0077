#!/bin/bash
# compare-screenshots.sh OLD_BINARY NEW_BINARY [DATA_FOLDER] -- flies the same flight files with
# both programs, windowed on a private virtual X server and off-screen with no X server, and
# compares every screenshot byte for byte. The flights: the benchmark's route with a frame of
# each phase, and a short one that works every control. Prints one line per flight and way of
# drawing and exits 1 when any picture differs. The data folder defaults to build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [[ $# -lt 2 ]]; then
    echo "usage: compare-screenshots.sh OLD_BINARY NEW_BINARY [DATA_FOLDER]" >&2
    exit 2
fi
old=$(realpath "$1") new=$(realpath "$2") data=$(realpath "${3:-$here/build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for file in cessna.txt propeller.txt sea02.jpg sky08.jpg benchmark.flight; do
    cp "$data/$file" "$work/"
done
cat >"$work/controls.flight" <<'FLIGHT'
0 pointer 900 1200
10 special page_up
20 key w
30 special up
40 key s
50 key s
50 key w
60 key b
70 key m
80 pointer 100 1200
90 special down
100 special page_down
120 quit
FLIGHT
shots() {
    local flight=$1 ticks=$2 tick args=()
    for tick in $ticks; do
        args+=(--screenshot "$tick:shot$tick.png")
    done
    echo "--replay $flight ${args[*]}"
}
status=0
cd "$work"
for flight in "controls.flight:0 15 25 35 45 55 65 75 95 110 119" \
              "benchmark.flight:0 300 900 1500 2100 2700 3300 3599"; do
    name=${flight%%:*}
    read -r -a arguments <<<"$(shots "$name" "${flight#*:}")"
    for way in window offscreen; do
        for side in old new; do
            rm -rf "$side-$way" && mkdir "$side-$way"
            binary=$old
            [[ $side == new ]] && binary=$new
            if [[ $way == window ]]; then
                "$here/tests/support/with_xvfb.sh" "$binary" "${arguments[@]}" -s 600x400 >/dev/null 2>"$side-$way/end"
            else
                env -u DISPLAY "$binary" "${arguments[@]}" -s 600x400 --offscreen >/dev/null 2>"$side-$way/end"
            fi
            mv shot*.png "$side-$way/"
        done
        if diff -r "old-$way" "new-$way" >/dev/null; then
            echo "$name, $way: $(find "new-$way" -name '*.png' | wc -l) screenshots and the end line the same"
        else
            echo "$name, $way: DIFFERENT" && status=1
        fi
    done
done
exit "$status"
