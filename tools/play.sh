#!/usr/bin/env bash
# Builds Quivermark and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIVERMARK_BENCHMARKS=OFF
cmake --build build/release --target quivermark
exec build/release/app/quivermark "$@"
