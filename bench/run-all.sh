#!/usr/bin/env bash
# Runs every benchmark of a build made with -DVTL_BENCHMARKS=ON.
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)

echo "== pick and hover (medians of 10 repetitions)"
"$build/bench/name_bench" --benchmark_report_aggregates_only=true 2>&1 | grep -E 'Benchmark|median'
