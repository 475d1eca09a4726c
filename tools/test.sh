#!/usr/bin/env bash
# Builds everything twice, plainly and with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test in both builds, then the fuzz targets for a short while. The plain build
# uses the same optimisation as the game itself (tools/play.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build/test build/asan
bash tools/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# The code as clang-format writes it, before anything is built.
bash tools/format-check.sh

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs" | tee build/test/ctest.log

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIVERMARK_SANITIZE=ON \
    -DQUIVERMARK_BENCHMARKS=OFF
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs" | tee build/asan/ctest.log

bash tools/fuzz.sh

# One closing line over both builds.
count() { grep -ohE "tests passed, [0-9]+ tests failed out of [0-9]+" build/test/ctest.log build/asan/ctest.log | awk -v what="$1" '{ failed += $3; total += $8 } END { print (what == "failed") ? failed : total - failed }'; }
echo "$(count passed) passed, $(count failed) failed"
