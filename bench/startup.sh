#!/usr/bin/env bash
# Start-up to the main window's first paint, against a bare QMainWindow with
# the same menu bar (same menus and items, nothing wired) and an empty
# central widget of the main window's size (bench/StartupBaseline.cpp): wall
# time, CPU time (user + system) and peak memory. The two programs run in
# turns, VTL_BENCH_RUNS pairs (default 15), so a busy machine slows both
# alike; each ratio is the median of the pairs' ratios. Offscreen, and under
# Xvfb when xvfb-run is installed. Both programs end on their first paint
# (VTL_QUIT_AFTER_SHOW).
# Usage: bash bench/startup.sh <build dir>   (--xcb: only the X11 part, run
# inside the X server the script starts)
set -euo pipefail
build=$(cd "${1:?usage: startup.sh <build dir>}" && pwd)
runs=${VTL_BENCH_RUNS:-15}
baseline=$build/bench/startup_baseline
measure_run=$build/bench/measure_run
[[ -x $build/app/vantorel && -x $baseline && -x $measure_run ]] || {
    echo "startup.sh: build $build with -DVTL_BENCHMARKS=ON first" >&2
    exit 1
}

# A copy of the program's folder, past its first run, so that no greeting
# or dialog stands between start and the main window.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/app" "$work/app"
printf '[Vantorel]\r\nfirst=no\r\n' >"$work/app/vtl.ini"
if [[ ! -f $work/app/q3a/q3-white.gif ]]; then
    # Without its sheet the program would stop at a message box.
    echo "(no built-in sheets in this build: a blank stand-in sheet is used)"
    mkdir -p "$work/app/q3a"
    convert -size 256x256 xc:black "$work/app/q3a/q3-white.gif"
fi

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run: prints "<wall ms> <CPU ms> <peak RSS kB>" (bench/MeasureRun.cpp).
measure() {
    VTL_QUIT_AFTER_SHOW=1 timeout 60 "$measure_run" "$@" 2>/dev/null || {
        echo "startup.sh: '$*' failed or hung" >&2
        return 1
    }
}

bench() {
    local platform=$1 i a b
    export QT_QPA_PLATFORM=$platform
    measure "$work/app/vantorel" >/dev/null  # warm the disk cache once
    measure "$baseline" >/dev/null
    : >"$work/pairs"
    for ((i = 0; i < runs; i++)); do
        a=$(measure "$work/app/vantorel")
        b=$(measure "$baseline")
        echo "$a $b" >>"$work/pairs"
    done
    # Columns: program wall, CPU, memory; baseline wall, CPU, memory.
    col() { awk -v c="$1" '{ print $c }' "$work/pairs" | median; }
    ratio() { awk -v a="$1" -v b="$2" '{ print ($b > 0 ? $a / $b : 1) }' "$work/pairs" | median; }
    printf '%-9s median of %d pairs: vantorel %s ms wall, %s ms CPU, %s kB | baseline %s ms wall, %s ms CPU, %s kB\n' \
        "$platform" "$runs" "$(col 1)" "$(col 2)" "$(col 3)" "$(col 4)" "$(col 5)" "$(col 6)"
    printf '%-9s start-up ratio: wall %.3fx  CPU %.3fx  memory %.3fx\n' \
        "$platform" "$(ratio 1 4)" "$(ratio 2 5)" "$(ratio 3 6)"
}

if [[ ${2:-} == --xcb ]]; then
    bench xcb
    exit
fi
bench offscreen
if command -v xvfb-run >/dev/null; then
    # One X server for all runs; its start is not part of any measurement.
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build" --xcb
else
    echo "xcb       skipped: xvfb-run is not installed"
fi
