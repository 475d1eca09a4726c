#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a short while over its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUIVERMARK_FUZZ=ON -DQUIVERMARK_GUI=OFF -DQUIVERMARK_BENCHMARKS=OFF \
    -DQUIVERMARK_SANITIZE=ON
cmake --build build/fuzz --target profile_fuzz stats_fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The targets' scratch files (an INI, a statistics file, their lock files) stay in the
# scratch folder and go with it.
mkdir -p "$work/tmp"
export TMPDIR="$work/tmp"

# Each target runs over a scratch copy of its corpus, so what it learns stays out of the tree.
run() {
    local target=$1 corpus=$2 what=$3
    mkdir -p "$work/$corpus"
    cp "fuzz/corpus/$corpus"/* "$work/$corpus/"
    "build/fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=4096 "$work/$corpus"
    echo "fuzz: $what ran ${seconds}s without a failure"
}
run profile_fuzz profile "profile reader"
run stats_fuzz stats "statistics readers"
