#!/usr/bin/env bash
# Runs the simulator benchmark of an earlier commit and of the working tree side by side, in
# turns, so that both see the same machine load (the machine is shared and noisy):
#
#     bash tools/bench-against.sh dad3674 [rounds]
#
# The earlier commit is built in a scratch worktree under build/bench-against. Each round runs
# both benchmarks once; compare the best of each column.
set -euo pipefail
cd "$(dirname "$0")/.."
ref=${1:?usage: bash tools/bench-against.sh REF [rounds]}
rounds=${2:-3}
scratch=build/bench-against
rm -rf "$scratch/tree"
mkdir -p "$scratch"
git worktree add --force --detach "$scratch/tree" "$ref" >/dev/null
trap 'git worktree remove --force "$scratch/tree" >/dev/null 2>&1 || true' EXIT
cmake -S "$scratch/tree" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUIVERMARK_GUI=OFF >/dev/null
cmake --build "$scratch/build" --target sim_bench >/dev/null
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/test --target sim_bench >/dev/null
for ((i = 1; i <= rounds; i++)); do
    "$scratch/build/bench/sim_bench" | sed -n '3,4p' | sed "s/^/$ref  /"
    build/test/bench/sim_bench | sed -n '3,4p' | sed 's/^/now      /'
done | sort -s -k1,1
