#!/usr/bin/env bash
# Builds everything twice, plainly and with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test in both builds, then the fuzz targets for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIVERMARK_SANITIZE=ON \
    -DQUIVERMARK_BENCHMARKS=OFF
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"

if [[ -f tools/fuzz.sh ]]; then
    bash tools/fuzz.sh
fi
