#!/bin/sh
# make-pictures.sh -- regenerates the README's pictures from the real program on a private
# virtual X server: docs/images/{scene,wireframe,fog-off,reference}.png and turn.gif.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh >/dev/null
out="$(pwd)/docs/images"
mkdir -p "$out"
exec tests/support/with_xvfb.sh sh -eu -c '
out="$1"
cd build
frames=$(mktemp -d)
shot() { import -window "$window" "$frames/full.png"; convert "$frames/full.png" -resize 600x600 "$out/$1"; }
start() {
    ./brinewings >/dev/null &
    until window=$(xdotool search --onlyvisible --name "^brinewings$" 2>/dev/null); do sleep 0.05; done
    xdotool windowmove --sync "$window" 0 0
}
key() { xdotool windowfocus --sync "$window" key "$@"; }

# Straight ahead toward the first mountain, with fog, then the same view in outline and
# without fog.
start
xdotool mousemove --window "$window" 600 600
sleep 2
shot scene.png
key w; sleep 0.4; shot wireframe.png; key w
key b; sleep 0.4; shot fog-off.png; key b
key q; wait

# The reference scene: steer hard left at once, so the flight circles over the grid.
start
xdotool mousemove --window "$window" 0 600
key s
best=0
for i in 1 2 3 4 5 6 7 8; do
    sleep 0.3
    import -window "$window" "$frames/ref.png"
    # Keep the view with the most of the grid, sphere and axes in it: the brightest.
    mean=$(convert "$frames/ref.png" -format "%[fx:int(mean*100000)]" info:)
    if [ "$mean" -gt "$best" ]; then
        best=$mean
        convert "$frames/ref.png" -resize 600x600 "$out/reference.png"
    fi
done
key q; wait

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
key q; wait
convert -delay 8 -loop 0 "$frames"/turn*.png -resize 400x400 -layers Optimize "$out/turn.gif"
rm -rf "$frames"
' sh "$out"
