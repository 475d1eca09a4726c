#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a short while over its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUIVERMARK_FUZZ=ON -DQUIVERMARK_GUI=OFF -DQUIVERMARK_BENCHMARKS=OFF \
    -DQUIVERMARK_SANITIZE=ON
cmake --build build/fuzz --target profile_fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/profile/* "$work/"
build/fuzz/fuzz/profile_fuzz -max_total_time="$seconds" -max_len=4096 "$work"
echo "fuzz: profile reader ran ${seconds}s without a failure"
