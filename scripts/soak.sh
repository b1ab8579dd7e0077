#!/bin/bash
# soak.sh -- the long soak: 50,000 ticks and frames with random input under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan). Prints the resident-memory growth after warm-up.
set -euo pipefail
cd "$(dirname "$0")/.."
ticks="${1:-50000}"
./scripts/setup.sh test
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)" --target gl_tests >/dev/null
BRINEWINGS_SOAK_TICKS="$ticks" tests/support/with_xvfb.sh build-asan/tests/gl_tests --gtest_filter='Soak.*'
