#!/bin/bash
# make-pictures.sh -- regenerates the README's pictures from the real program, drawn off-screen
# with no X server: docs/images/{scene,wireframe,fog-off,reference,hud}.png and turn.gif, each
# from flight files and the program's own frame captures. A flight that does not end within
# its time limit ends the script with an error instead of hanging it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh test
./scripts/build.sh >/dev/null
mkdir -p docs/images

# Each picture is a frame the program captures itself from a flight file, so the pictures come
# out the same on every run with the same renderer, and the same as in a window.
out="$(pwd)/docs/images"
cd build
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

fail() {
    echo "make-pictures.sh: $*" >&2
    exit 1
}

# fly NAME TICK...: flies $frames/NAME.flight with the options in extra, capturing the frame
# after each TICK into $frames/NAME-TICK.png, TICK in six digits so the names sort in flight
# order. The flight file ends with quit; the time limit only guards a hang.
extra=()
fly() {
    local name=$1 tick
    shift
    local shots=()
    for tick in "$@"; do
        shots+=(--screenshot "$tick:$frames/$name-$(printf %06d "$tick").png")
    done
    timeout 300 env -u DISPLAY ./brinewings --offscreen --replay "$frames/$name.flight" "${shots[@]}" "${extra[@]}" >/dev/null ||
        fail "brinewings did not fly $name.flight to its end"
}

# shrink FROM TO: FROM at 600 x 600 pixels, without the time stamps ImageMagick would add.
shrink() {
    convert "$1" -resize 600x600 -strip -define png:exclude-chunk=date,time "$2"
}

# Straight ahead toward the first mountain, with fog, then the same view in outline and
# without fog.
cat >"$frames/scene.flight" <<FLIGHT
0 pointer 600 1200
120 key w
121 key w
121 key b
122 quit
FLIGHT
fly scene 120 121 122
shrink "$frames/scene-000120.png" "$out/scene.png"
shrink "$frames/scene-000121.png" "$out/wireframe.png"
shrink "$frames/scene-000122.png" "$out/fog-off.png"

# The reference scene: steering hard left at once circles over the grid, past the sphere.
cat >"$frames/reference.flight" <<FLIGHT
0 pointer 0 1200
0 key s
281 quit
FLIGHT
fly reference 280
shrink "$frames/reference-000280.png" "$out/reference.png"

# A banked turn past the first mountain: at top speed toward it, then turning gently right.
{
    echo "0 pointer 600 1200"
    for _ in $(seq 9); do echo "0 special page_up"; done
    echo "100 pointer 760 1200"
    echo "250 quit"
} >"$frames/turn.flight"
ticks=$(seq 100 3 247)
# shellcheck disable=SC2086  # one argument per tick
fly turn $ticks
convert -delay 8 -loop 0 "$frames"/turn-*.png -resize 400x400 -layers Optimize "$out/turn.gif"

# The heads-up display over a climbing turn past the first mountain.
cat >"$frames/hud.flight" <<FLIGHT
0 pointer 640 1200
0 special page_up
0 special page_up
40 special up
60 special up
80 special up
131 quit
FLIGHT
extra=(--hud)
fly hud 130
extra=()
shrink "$frames/hud-000130.png" "$out/hud.png"
