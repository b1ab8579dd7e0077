#!/bin/sh
# bench.sh -- builds and runs every benchmark on a private virtual X server, 1200 x 1200, with
# Mesa's software renderer: start-up against a bare freeglut floor, frame times of the three
# scenes and of each drawing routine, mountain building, texture loading, aircraft drawing.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh >/dev/null
xvfb=tests/support/with_xvfb.sh
for bench in startup_bench frame_bench mountains_bench textures_bench aircraft_bench; do
    echo "== $bench =="
    $xvfb "build/bench/$bench" --benchmark_counters_tabular=true 2>&1 | grep -vE "^(Run on|CPU Caches|  L[0-9]|Load Average|\*\*\*WARNING)"
done
