#!/bin/bash
# windows-test.sh -- tests the Windows build (scripts/windows.sh builds it) under Wine on a private
# virtual X server, against the Linux program built natively from the same tree on the same
# renderer (build-windows/linux): the unit tests built for Windows; flight files replayed
# windowed and off-screen at two sizes (one not square), the same end lines and byte-identical
# screenshots; a benchmark's --results read back; a recording made on each system replayed on
# the other to the same end line; off-screen on a memory bitmap with no X server; full screen
# and back; Ctrl-C's report and status; --tick-rate's pace; two refusals and a missing data file, each the same line and
# status on both. Prints "N passed, N failed"; exits 0 only when all pass.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR source=lib.sh
source scripts/lib.sh
root=$(pwd)
win=$root/build-windows
linux=$win/linux
work=$(mktemp -d)
export BRINEWINGS_WINE_TIMEOUT=300
passed=0
failed=0
xvfb=

finish() {
    WINEPREFIX=$win/wine-prefix timeout 30 wineserver -k 2>/dev/null || true
    if [[ -n $xvfb ]]; then
        kill "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap finish EXIT

check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $what" >&2
    fi
}

echo "== the Linux program, natively, for the comparisons =="
timeout 600 cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=Release -DBRINEWINGS_TESTS=OFF -DBRINEWINGS_BENCHMARKS=OFF \
    -DBRINEWINGS_FUZZ=OFF >"$work/log" 2>&1 || { cat "$work/log" >&2; fail "native configure failed"; }
timeout 1800 cmake --build "$linux" -j2 --target brinewings textures models >"$work/log" 2>&1 ||
    { tail -n 40 "$work/log" >&2; fail "native build failed"; }
for file in cessna.txt propeller.txt sea02.jpg sky08.jpg; do
    check "$file is the same made on Windows and on Linux" cmp -s "$win/$file" "$linux/$file"
done

for display in $(seq 70 99); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] || break
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

echo "== the unit tests, built for Windows =="
# All of them: the few that need POSIX (links, permissions, users, fork, FIFOs) are not built
# for Windows, which has its own (named pipes, XInput).
if (cd "$win" && timeout 600 "$root/scripts/wine-run.sh" tests/unit_tests.exe --gtest_brief=1 >"$work/unit.out" 2>&1); then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAILED: the unit tests under Wine" >&2
fi
tail -n 3 "$work/unit.out"

# runs brinewings.exe (windows) or the Linux program (linux) in its build folder; stdout and
# stderr to $work/NAME.out and .err, the status to $work/NAME.status.
run() {
    local system=$1 name=$2
    shift 2
    local status=0
    if [[ $system == windows ]]; then
        (cd "$win" && "$root/scripts/wine-run.sh" ./brinewings.exe "$@" >"$work/$name.out" 2>"$work/$name.err") || status=$?
    else
        (cd "$linux" && timeout 300 ./brinewings "$@" >"$work/$name.out" 2>"$work/$name.err") || status=$?
    fi
    echo "$status" >"$work/$name.status"
}
endLine() { grep -h '^brinewings: tick' "$work/$1.out" "$work/$1.err" 2>/dev/null | tail -n 1; }
sameEnd() { [[ -n $(endLine "$1") && $(endLine "$1") == "$(endLine "$2")" ]]; }

echo "== replays, windowed and off-screen, against Linux =="
for size in 320x240 256x256; do
    for mode in window offscreen; do
        extra=()
        [[ $mode == offscreen ]] && extra=(--offscreen)
        for system in windows linux; do
            run "$system" "$system-$mode-$size" "${extra[@]}" --size "$size" --replay benchmark.flight \
                --screenshot "60:$work/$system-$mode-$size-60.png" --screenshot "2400:$work/$system-$mode-$size-2400.png"
        done
        check "$mode $size: the same end line" sameEnd "windows-$mode-$size" "linux-$mode-$size"
        for tick in 60 2400; do
            check "$mode $size: tick $tick's screenshot byte for byte" \
                cmp -s "$work/windows-$mode-$size-$tick.png" "$work/linux-$mode-$size-$tick.png"
        done
    done
done

echo "== a benchmark with --results =="
run windows bench --offscreen --size 200x150 --benchmark --results "$work/results.json"
run linux bench-linux --offscreen --size 200x150 --benchmark --results "$work/results-linux.json"
check "the benchmark's results are JSON with the Linux program's fields" python3 -c '
import json, sys
a, b = (json.load(open(f)) for f in sys.argv[1:3])
sys.exit(0 if sorted(a) == sorted(b) and a else 1)' "$work/results.json" "$work/results-linux.json"

# A windowed flight recorded with keys typed into it through the X server, ended by Q.
record() {
    local system=$1 file=$2 pid window
    if [[ $system == windows ]]; then
        (cd "$win" && "$root/scripts/wine-run.sh" ./brinewings.exe --size 240x240 --record "$file" >"$work/rec-$system.out" 2>&1) &
    else
        (cd "$linux" && timeout 300 ./brinewings --size 240x240 --record "$file" >"$work/rec-$system.out" 2>&1) &
    fi
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^brinewings$' | head -n 1) || true
    if [[ -n $window ]]; then
        sleep 1
        timeout 30 xdotool mousemove --window "$window" 200 120 key --window "$window" Up Up Page_Up w \
            2>/dev/null || true
        sleep 1
        timeout 30 xdotool key --window "$window" q 2>/dev/null || true
    fi
    wait "$pid" || true
}
echo "== recordings replayed on the other system =="
record windows "$work/from-windows.flight"
run linux replay-from-windows --offscreen --replay "$work/from-windows.flight"
check "a recording made on Windows replays on Linux to its end line" sameEnd rec-windows replay-from-windows
record linux "$work/from-linux.flight"
run windows replay-from-linux --offscreen --replay "$work/from-linux.flight"
check "a recording made on Linux replays on Windows to its end line" sameEnd rec-linux replay-from-linux

echo "== off-screen on a memory bitmap: with no X server, and asked for =="
# No display means no pbuffer: the run draws on a memory bitmap, as --gpu surfaceless asks.
(cd "$win" && env -u DISPLAY "$root/scripts/wine-run.sh" ./brinewings.exe --offscreen --size 320x240 \
    --replay benchmark.flight --screenshot "60:$work/bitmap-60.png" >"$work/bitmap.out" 2>&1) || true
run windows bitmap-asked --offscreen --size 320x240 --gpu surfaceless --replay benchmark.flight \
    --screenshot "60:$work/bitmap-asked-60.png"
check "no X server: the memory bitmap's end line" sameEnd bitmap linux-offscreen-320x240
check "no X server: tick 60's screenshot byte for byte" cmp -s "$work/bitmap-60.png" "$work/linux-offscreen-320x240-60.png"
check "--gpu surfaceless: tick 60's screenshot byte for byte" \
    cmp -s "$work/bitmap-asked-60.png" "$work/linux-offscreen-320x240-60.png"

echo "== full screen and back, Ctrl-C, --tick-rate =="
printf '5 key f\n15 key f\n25 quit\n' >"$work/toggle.flight"
run windows toggle --size 320x240 --replay "$work/toggle.flight" --screenshot "10:$work/full.png" \
    --screenshot "20:$work/back.png"
pngSize() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1"; }
check "full screen fills the 1280 x 1024 screen, and back gives 320 x 240" \
    test "$(pngSize "$work/full.png") $(pngSize "$work/back.png") $(cat "$work/toggle.status")" == "1280x1024 320x240 0"
# 120 ticks at 60 a second take two seconds at least; Ctrl-C (SIGINT to Wine's process) ends
# the run through its one end with its report.
printf '1000000 quit\n' >"$work/long.flight"
start=$(date +%s%N)
(cd "$win" && "$root/scripts/wine-run.sh" ./brinewings.exe --size 200x150 --tick-rate 60 --replay "$work/long.flight" \
    --screenshot "120:$work/rate.png" --screenshot "1000000:$work/never.png" >"$work/ctrl-c.out" 2>&1) &
runner=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^brinewings$' | head -n 1) || true
for _ in $(seq 300); do [[ -s $work/rate.png ]] && break; sleep 0.1; done
elapsed=$((($(date +%s%N) - start) / 1000000))
[[ -n $window ]] && kill -INT "$(xdotool getwindowpid "$window")" 2>/dev/null
status=0
wait "$runner" || status=$?
check "--tick-rate 60: tick 120 drawn no sooner than 2 s after the start ($elapsed ms)" test "$elapsed" -ge 2000
ctrlCReport() {
    grep -qx "brinewings: stopped by SIGINT" "$work/ctrl-c.out" && grep -q "^brinewings: tick " "$work/ctrl-c.out" &&
        grep -q "never.png: not written" "$work/ctrl-c.out" && [[ $status == 130 ]]
}
check "Ctrl-C: stopped by SIGINT, the end line, never.png not written, status 130" ctrlCReport

echo "== refusals and a missing data file =="
sameRefusal() {
    [[ $(cat "$work/$1.status") == "$3" && $(cat "$work/$2.status") == "$3" ]] &&
        cmp -s "$work/$1.err" "$work/$2.err" && [[ -s $work/$1.err ]]
}
for system in windows linux; do
    run "$system" "$system-unknown" --no-such-option
    run "$system" "$system-same" --replay benchmark.flight --record benchmark.flight
done
check "an unknown option: the same line, status 2" sameRefusal windows-unknown linux-unknown 2
check "an output equal to an input: the same line, status 2" sameRefusal windows-same linux-same 2
mkdir -p "$work/bare-windows" "$work/bare-linux"
cp "$win"/{brinewings.exe,cessna.txt,sea02.jpg,sky08.jpg} "$work/bare-windows/"
cp "$linux"/{brinewings,cessna.txt,sea02.jpg,sky08.jpg} "$work/bare-linux/"
status=0
(cd "$work/bare-windows" && "$root/scripts/wine-run.sh" ./brinewings.exe --offscreen --replay "$linux/benchmark.flight" \
    >"$work/windows-missing.out" 2>&1) || status=$?
echo "$status" >"$work/windows-missing.status"
status=0
(cd "$work/bare-linux" && timeout 120 ./brinewings --offscreen --replay "$linux/benchmark.flight" \
    >"$work/linux-missing.out" 2>&1) || status=$?
echo "$status" >"$work/linux-missing.status"
missingAlike() {
    [[ $(cat "$work/windows-missing.status") == 1 && $(cat "$work/linux-missing.status") == 1 ]] &&
        cmp -s "$work/windows-missing.out" "$work/linux-missing.out"
}
check "a missing propeller.txt: the same output, status 1" missingAlike

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
