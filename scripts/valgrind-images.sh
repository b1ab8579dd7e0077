#!/bin/bash
# valgrind-images.sh -- decodes every image input we keep under valgrind: the texture
# decoder's own code and Debian's prebuilt libjpeg-turbo together, which the sanitizer and
# fuzzer builds cannot see inside. Inputs: the fuzz seeds, the regression corpus, every input
# a fuzzer has flagged (crash-*, leak-*, oom-*, timeout-*, slow-unit-* anywhere in
# build-fuzz), and the generated textures. Exit status 0 only when valgrind reports no error and every result is consistent.
# Usage: scripts/valgrind-images.sh [BUILD_FOLDER]   (default: build, configured by build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

log=$(mktemp "${TMPDIR:-/tmp}/brinewings-valgrind.XXXXXX")
cleanup() { rm -f "$log"; }
trap cleanup EXIT

if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "valgrind-images.sh: $build is not a configured build folder (run scripts/build.sh)" >&2
    exit 1
fi
cmake --build "$build" --target image_replay textures -j2 >/dev/null

inputs=()
for folder in fuzz/corpus/image_loader_fuzz fuzz/regression/image_loader_fuzz; do
    for file in "$folder"/*; do
        [ -f "$file" ] && inputs+=("$file")
    done
done
if [ -d build-fuzz ]; then
    while IFS= read -r -d '' file; do
        inputs+=("$file")
    done < <(find build-fuzz -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' \
        -o -name 'timeout-*' -o -name 'slow-unit-*' \) -print0)
fi
inputs+=("$build/sea02.jpg" "$build/sky08.jpg")

echo "== valgrind over the image decoder: ${#inputs[@]} inputs =="
status=0
timeout 900 valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    "$build/tests/image_replay" "${inputs[@]}" >"$log" 2>&1 || status=$?
tail -n 1 "$log"
if [ "$status" -ne 0 ]; then
    echo "valgrind-images.sh: failed (status $status):" >&2
    grep -v "^couldn't load texture\|: [0-9]* x [0-9]*, " "$log" >&2 || true
    exit 1
fi
echo "valgrind-images.sh: no errors"
