#!/bin/bash
# fuzz.sh -- builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz and runs each
# for the given number of seconds (default 60) from its seed corpus. Exit status 0 only when no
# fuzzer found a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
./scripts/setup.sh test
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null
for source in fuzz/*_fuzz.cpp; do
    [[ -e $source ]] || continue
    name=$(basename "$source" .cpp)
    work="build-fuzz/corpus-$name"
    mkdir -p "$work"
    seeds=()
    [[ -d fuzz/corpus/$name ]] && seeds=("../fuzz/corpus/$name")
    echo "== fuzzing $name for $seconds s =="
    status=0
    (cd build-fuzz && ASAN_OPTIONS=detect_leaks=0 "./fuzz/$name" -max_total_time="$seconds" \
        -print_final_stats=1 "corpus-$name" "${seeds[@]}" >"fuzz-$name.log" 2>&1) || status=$?
    grep -E "^stat::number_of_executed_units|^stat::peak_rss|ERROR|SUMMARY" "build-fuzz/fuzz-$name.log" || true
    if [[ $status -ne 0 ]]; then
        echo "fuzz.sh: $name failed (status $status); log: build-fuzz/fuzz-$name.log" >&2
        tail -n 40 "build-fuzz/fuzz-$name.log" >&2
        exit 1
    fi
done
echo "fuzz.sh: no failures"
