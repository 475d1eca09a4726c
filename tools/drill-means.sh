#!/usr/bin/env bash
# Makes data/drill-means.jsonl, the practice view's table of what each drill scores at each
# strength: every drill and variant (Doubles and Scoring by target, Doubles at 30 darts: the
# hit rate does not depend on the count), strengths 1 to 60, 2000 sessions each, seeded.
#
#     bash tools/drill-means.sh [build/test/sim/quivermark-sim]
set -euo pipefail
cd "$(dirname "$0")/.."
sim=${1:-build/test/sim/quivermark-sim}
runs=()
for v in any doubles trebles; do runs+=("--drill around-the-clock --variant $v"); done
runs+=("--drill bobs-27" "--drill checkout-121")
for n in $(seq 1 20) Bull round; do
    t=$n
    [[ $n =~ ^[0-9]+$ ]] && t="D$n"
    runs+=("--drill doubles --target $t --darts 30")
done
for t in T20 T19 T18 Bull; do runs+=("--drill scoring --target $t"); done
for v in 2-40 41-100 101-170; do runs+=("--drill finishes --variant $v"); done
out=data/drill-means.jsonl.new
: >"$out"
for run in "${runs[@]}"; do
    for strength in $(seq 1 60); do
        # shellcheck disable=SC2086
        "$sim" practice $run --strength "$strength" --sessions 2000 --seed 1 >>"$out"
    done
done
mv "$out" data/drill-means.jsonl
