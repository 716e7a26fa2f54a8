#!/usr/bin/env bash
# Runs every fuzz target for a while: run.sh <fuzz build folder> <seconds each> [target...]
# Corpora grow in <build>/fuzz-corpus/<target>; anything that fails lands in
# <build>/fuzz-artifacts/<target>/ and makes the run fail. Copy such an input
# into fuzz/regressions/<target>/ once the reader is mended.
set -uo pipefail
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(pak pak_lookup wad2 pcx lump tga zip picture settings names check)
fi

seeds=$build/fuzz-seeds
oa=${VTL_TESTDATA_CACHE:-$HOME/.cache/vantorel-testdata}/openarena-data/usr/share/games/openarena/baseoa/pak0.pk3
if [ -f "$oa" ]; then
    "$build/fuzz/fuzz_make_seeds" "$seeds" "$oa"
else
    "$build/fuzz/fuzz_make_seeds" "$seeds"
fi

# ASan's default 256 MB quarantine of freed memory would count against the
# 512 MB cap: a name line of 40 KB checked for every engine frees tens of MB.
failed=()
for t in "${targets[@]}"; do
    corpus=$build/fuzz-corpus/$t
    artifacts=$build/fuzz-artifacts/$t
    mkdir -p "$corpus" "$artifacts" "$here/regressions/$t"
    log=$build/fuzz-$t.log
    QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:quarantine_size_mb=64 \
    LSAN_OPTIONS=suppressions=$here/../tests/support/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=10 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$corpus" "$seeds/$t" "$here/regressions/$t" >"$log" 2>&1
    status=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    if [ $status -eq 0 ]; then
        echo "fuzz $t: ok, ${runs:-?} inputs in ${seconds} s"
    else
        echo "fuzz $t: FAILED (status $status), see $log and $artifacts"
        failed+=("$t")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]}"
    exit 1
fi
