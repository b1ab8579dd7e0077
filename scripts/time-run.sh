#!/bin/bash
# time-run.sh -- measures what a new user waits for: the wall time from ./scripts/run.sh in a
# fresh clone of this repository's HEAD to the program's first frame on screen, on a private
# virtual X server. The packages must be installed already (as on a machine that has them).
# Repeats the measurement in as many fresh clones as asked (default 1) and prints each time.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1}"
source_dir=$(pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brinewings-time-run.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The first buffer swap ends the program and leaves its times in a file. Every process of the
# build loads the library too, so it links nothing: its OpenGL calls resolve lazily, in the
# program alone, which has OpenGL loaded.
cc -shared -fPIC -O2 -o "$work/first_swap_stamp.so" bench/first_swap_stamp.c

for run in $(seq "$runs"); do
    clone="$work/clone$run"
    git clone --quiet "$source_dir" "$clone"
    start=$EPOCHREALTIME
    if ! BRINEWINGS_SWAP_STAMP="$work/stamp$run" LD_PRELOAD="$work/first_swap_stamp.so" \
        timeout 600 tests/support/with_xvfb.sh "$clone/scripts/run.sh" >"$work/log$run" 2>&1; then
        echo "time-run.sh: run $run failed:" >&2
        cat "$work/log$run" >&2
        exit 1
    fi
    end=$EPOCHREALTIME
    if [[ ! -s $work/stamp$run ]]; then
        echo "time-run.sh: run $run drew no frame" >&2
        exit 1
    fi
    awk -v run="$run" -v start="$start" -v end="$end" \
        'BEGIN { printf "run %d: %.1f s from ./scripts/run.sh to the first frame\n", run, end - start }'
    rm -rf "$clone"
done
