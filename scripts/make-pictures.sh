#!/bin/bash
# make-pictures.sh -- regenerates the README's pictures from the real program on a private
# virtual X server: docs/images/{scene,wireframe,fog-off,reference}.png and turn.gif.
# Every wait is bounded: a window that never appears or a program that does not quit ends the
# script with an error instead of hanging it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} != --on-display ]]; then
    ./scripts/setup.sh test
    ./scripts/build.sh >/dev/null
    mkdir -p docs/images
    exec tests/support/with_xvfb.sh "$0" --on-display
fi

# From here on, on the private X server.
out="$(pwd)/docs/images"
cd build
frames=$(mktemp -d)
program=""
window=""
cleanup() {
    if [[ -n $program ]]; then
        kill "$program" 2>/dev/null || true
    fi
    rm -rf "$frames"
}
trap cleanup EXIT

fail() {
    echo "make-pictures.sh: $*" >&2
    exit 1
}

shot() {
    import -window "$window" "$frames/full.png"
    convert "$frames/full.png" -resize 600x600 "$out/$1"
}

start() {
    ./brinewings >/dev/null &
    program=$!
    local tries=0
    until window=$(xdotool search --onlyvisible --name "^brinewings$" 2>/dev/null); do
        tries=$((tries + 1))
        [[ $tries -lt 400 ]] || fail "no brinewings window within 20 s"
        kill -0 "$program" 2>/dev/null || fail "brinewings ended before its window appeared"
        sleep 0.05
    done
    timeout 10 xdotool windowmove --sync "$window" 0 0 || fail "the window did not move"
}

key() {
    timeout 10 xdotool windowfocus --sync "$window" key "$@" || fail "keys $* not delivered"
}

quit() {
    key q
    local tries=0
    while kill -0 "$program" 2>/dev/null; do
        tries=$((tries + 1))
        [[ $tries -lt 200 ]] || fail "brinewings did not quit within 10 s of Q"
        sleep 0.05
    done
    wait "$program" || fail "brinewings quit with status $?"
    program=""
}

# Straight ahead toward the first mountain, with fog, then the same view in outline and
# without fog.
start
xdotool mousemove --window "$window" 600 600
sleep 2
shot scene.png
key w; sleep 0.4; shot wireframe.png; key w
key b; sleep 0.4; shot fog-off.png; key b
quit

# The reference scene: steer hard left at once, so the flight circles over the grid.
start
xdotool mousemove --window "$window" 0 600
key s
best=0
for _ in 1 2 3 4 5 6 7 8; do
    sleep 0.3
    import -window "$window" "$frames/ref.png"
    # Keep the view with the most of the grid, sphere and axes in it: the brightest.
    mean=$(convert "$frames/ref.png" -format "%[fx:int(mean*100000)]" info:)
    if [[ $mean -gt $best ]]; then
        best=$mean
        convert "$frames/ref.png" -resize 600x600 "$out/reference.png"
    fi
done
quit

# A banked turn past the first mountain: fly at top speed toward it, turning gently right.
start
xdotool mousemove --window "$window" 600 600
key --repeat 9 --delay 5 Page_Up
sleep 1
xdotool mousemove --window "$window" 760 600
for i in $(seq -w 1 50); do
    import -window "$window" "$frames/turn$i.png"
    sleep 0.05
done
quit
convert -delay 8 -loop 0 "$frames"/turn*.png -resize 400x400 -layers Optimize "$out/turn.gif"
