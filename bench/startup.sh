#!/usr/bin/env bash
# Start-up to the main window shown, against a Qt program that shows one
# empty window of the same size: wall time and peak memory, medians of
# VTL_BENCH_RUNS runs (default 15) each, runs interleaved, offscreen and
# under Xvfb. Both programs end on their first paint (VTL_QUIT_AFTER_SHOW).
# Usage: bash bench/startup.sh <build dir>   (--xcb: only the X11 part, run
# inside the X server the script starts)
set -euo pipefail
build=$(cd "${1:?usage: startup.sh <build dir>}" && pwd)
runs=${VTL_BENCH_RUNS:-15}
baseline=$build/bench/startup_baseline
[[ -x $build/app/vantorel && -x $baseline ]] || {
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

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run: prints "<wall ms> <peak RSS kB>". The wall time is taken around
# the process at nanosecond resolution; /usr/bin/time -v gives the peak RSS.
measure() {
    local out start end
    out=$(mktemp -p "$work")
    start=$(date +%s%N)
    VTL_QUIT_AFTER_SHOW=1 timeout 60 /usr/bin/time -v -o "$out" "$@" >/dev/null 2>&1 || {
        echo "startup.sh: '$*' failed or hung" >&2
        return 1
    }
    end=$(date +%s%N)
    echo "$(((end - start) / 1000)) $(awk -F': ' '/Maximum resident set size/ { print $2 }' "$out")"
}

bench() {
    local platform=$1 app_t=() app_m=() base_t=() base_m=() i t m
    export QT_QPA_PLATFORM=$platform
    measure "$work/app/vantorel" >/dev/null  # warm the disk cache once
    measure "$baseline" >/dev/null
    for ((i = 0; i < runs; i++)); do
        read -r t m < <(measure "$work/app/vantorel")
        app_t+=("$t") app_m+=("$m")
        read -r t m < <(measure "$baseline")
        base_t+=("$t") base_m+=("$m")
    done
    local at am bt bm
    at=$(printf '%s\n' "${app_t[@]}" | median)
    am=$(printf '%s\n' "${app_m[@]}" | median)
    bt=$(printf '%s\n' "${base_t[@]}" | median)
    bm=$(printf '%s\n' "${base_m[@]}" | median)
    awk -v p="$platform" -v n="$runs" -v at="$at" -v am="$am" -v bt="$bt" -v bm="$bm" 'BEGIN {
        printf "%-9s median of %d: vantorel %.1f ms %.0f kB | baseline %.1f ms %.0f kB | time %.2fx  memory %.2fx\n",
               p, n, at / 1000, am, bt / 1000, bm, at / bt, am / bm }'
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
