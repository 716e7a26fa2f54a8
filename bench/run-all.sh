#!/usr/bin/env bash
# Runs every benchmark of a build made with -DVTL_BENCHMARKS=ON.
# Usage: bash bench/run-all.sh <build dir>
set -euo pipefail
build=${1:?usage: run-all.sh <build dir>}
here=$(cd "$(dirname "$0")" && pwd)
bench_bin=$build/bench
# Data files go beside the build, on the disk the program would write to.
export VTL_BENCH_DIR=${VTL_BENCH_DIR:-$build/bench-data}
mkdir -p "$VTL_BENCH_DIR"

echo "== name: one pick, one hover and one typed glyph (medians of 10 repetitions)"
"$bench_bin/bench_name" 2>&1 | grep -E 'Benchmark|median'

echo "== check: a full 25-glyph name (medians of 10 repetitions; target <= 50 us)"
"$bench_bin/bench_check" 2>&1 | grep -E 'Benchmark|median'

echo "== colour: a gradient over a full 25-glyph name (medians of 10 repetitions; target <= 1 ms)"
"$bench_bin/bench_colour" 2>&1 | grep -E 'Benchmark|median'
echo "== Quake III family: check (target <= 50 us) and a switch's drawing (target <= 50 ms)"
"$bench_bin/bench_quake3_family" 2>&1 | grep -E 'Benchmark|median'

echo "== switch: a whole Game/Mode switch into each game of today, drawn (target <= 50 ms)"
"$bench_bin/bench_switch" 2>&1 | grep -E 'Benchmark|median'

echo "== output: AppendScriptLine vs cp + sync"
"$bench_bin/bench_output"

echo "== output: peak memory of one AppendScriptLine"
"$bench_bin/append_peak_memory"

echo "== charset: find and show the OpenArena charset (medians of 11 runs)"
bash "$here/../scripts/fetch-test-data.sh"
"$bench_bin/bench_charset" 2>&1 | grep -E 'Benchmark|median'

echo "== start-up: to the main window's first paint, against a bare QMainWindow with the same menu bar"
bash "$here/startup.sh" "$build"
