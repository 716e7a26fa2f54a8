#!/usr/bin/env bash
# Runs every benchmark of a build made with -DVTL_BENCHMARKS=ON: each script
# beside this one, and each bench_* program the build made.
# Usage: bash bench/run-all.sh <build dir>
set -euo pipefail
build=${1:?usage: run-all.sh <build dir>}
here=$(cd "$(dirname "$0")" && pwd)

for script in "$here"/*.sh; do
    [[ $(basename "$script") == run-all.sh ]] && continue
    echo "== $(basename "$script")"
    bash "$script" "$build"
done
for program in "$build"/bench/bench_*; do
    [[ -x $program && -f $program ]] || continue
    echo "== $(basename "$program")"
    "$program"
done
