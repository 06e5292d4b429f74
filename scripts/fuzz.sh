#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset: ASan + UBSan) and runs each for a bounded time,
# starting from the seed corpus in fuzz/corpus/<target>. Fails on the first crash, leak or
# sanitizer report, naming the input that caused it.
# Usage: scripts/fuzz.sh [seconds per target, default 40] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-40}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(barcode1d datamatrix pdf417 maxicode cli escapes)

cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j2 --target qv_fuzzers

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in "${targets[@]}"; do
    # The grown corpus lives in the build tree; the committed seeds stay as they are.
    work=build/fuzz/work/$t
    mkdir -p "$work" build/fuzz/artifacts
    log=build/fuzz/work/$t.log
    if build/fuzz/fuzz/fuzz_"$t" -max_total_time="$seconds" -print_final_stats=1 \
        -timeout=25 -rss_limit_mb=2560 -max_len=4096 -artifact_prefix=build/fuzz/artifacts/"$t"- \
        "$work" fuzz/corpus/"$t" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        echo "fuzz_$t: ${seconds}s, ${runs:-?} executions, no failure"
    else
        echo "fuzz_$t: FAILED" >&2
        grep -E "ERROR|SUMMARY|runtime error|Test unit written|artifact" "$log" >&2 || tail -40 "$log" >&2
        status=1
    fi
done
exit $status
