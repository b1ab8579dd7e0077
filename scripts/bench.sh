#!/bin/bash
# bench.sh -- builds and runs every benchmark on a private virtual X server, 1200 x 1200, with
# Mesa's software renderer: start-up against a bare freeglut floor, frame times of the three
# scenes and of each drawing routine, mountain building, texture loading, aircraft drawing.
# Then the program's own --benchmark: the built-in route flown as fast as the renderer allows, in
# a window and then off-screen with no X server, through EGL's device platform and through its
# surfaceless one, one right after the other.
# Runs them all, then exits non-zero naming any benchmark that failed.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
./scripts/build.sh >/dev/null
failed=()
for bench in startup_bench frame_bench mountains_bench textures_bench aircraft_bench gamepad_bench; do
    echo "== $bench =="
    # grep only trims the machine description; the benchmark's own status decides.
    if ! tests/support/with_xvfb.sh "build/bench/$bench" --benchmark_counters_tabular=true 2>&1 |
        { grep -vE "^(Run on|CPU Caches|  L[0-9]|Load Average|\*\*\*WARNING)" || true; }; then
        failed+=("$bench")
    fi
done
# Only the figures: the controls summary comes first on standard output.
echo "== brinewings --benchmark =="
if ! (cd build && ../tests/support/with_xvfb.sh ./brinewings --benchmark) |
    { grep "^brinewings benchmark:" || true; }; then
    failed+=("brinewings --benchmark")
fi
for gpu in 0 surfaceless; do
    echo "== brinewings --offscreen --gpu $gpu --benchmark =="
    if ! (cd build && env -u DISPLAY ./brinewings --offscreen --gpu "$gpu" --benchmark) |
        { grep "^brinewings benchmark:" || true; }; then
        failed+=("brinewings --offscreen --gpu $gpu --benchmark")
    fi
done
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "bench.sh: failed: ${failed[*]}" >&2
    exit 1
fi
