#!/usr/bin/env bash
# Load test of `quorvantix serve` with wrk: REQUESTS requests over CONCURRENCY connections, a mix
# of the four controls, repeated RUNS times against one service; prints throughput, latency and the
# service's resident memory before and after each run. --check exits 1 on any error (CI).
#
#   bench/service-load.sh [--binary PATH] [--requests N] [--concurrency N] [--runs N] [--check]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
binary="$here/../build/release/quorvantix"
requests=20000
concurrency=64
runs=2
check=0
while [ $# -gt 0 ]; do
    case "$1" in
        --binary) binary="$2"; shift 2 ;;
        --requests) requests="$2"; shift 2 ;;
        --concurrency) concurrency="$2"; shift 2 ;;
        --runs) runs="$2"; shift 2 ;;
        --check) check=1; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
command -v wrk >/dev/null || { echo "wrk is not installed (scripts/install-deps.sh)" >&2; exit 2; }

scratch="$(mktemp -d)"
"$binary" serve --listen 127.0.0.1:0 2>"$scratch/log" &
pid=$!
trap 'kill -TERM $pid 2>/dev/null || true; wait $pid 2>/dev/null || true; rm -rf "$scratch"' EXIT
port=""
for _ in $(seq 1 600); do
    port="$(sed -n 's|.*listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$scratch/log")"
    [ -n "$port" ] && break
    kill -0 $pid 2>/dev/null || { cat "$scratch/log" >&2; exit 1; }
    sleep 0.05
done
[ -n "$port" ] || { echo "the service did not start" >&2; exit 1; }

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }
threads=2
[ "$concurrency" -lt "$threads" ] && threads="$concurrency"

printf 'service %s, %d requests a run at concurrency %d, %d runs, %s\n' \
    "$(basename "$binary") serve" "$requests" "$concurrency" "$runs" "$(nproc) CPUs"
printf 'resident memory before: %d KiB\n' "$(rss_kib)"
printf '| run | requests | errors | requests/s | p50 ms | p99 ms | RSS after KiB |\n|---|---|---|---|---|---|---|\n'
errors_total=0
served() { grep -c ' GET /v1/' "$scratch/log" || true; }
for run in $(seq 1 "$runs"); do
    before="$(served)"
    QV_REQUESTS="$requests" QV_THREADS="$threads" wrk -t "$threads" -c "$concurrency" -d 3600s \
        --timeout 30s -s "$here/service-load.lua" "http://127.0.0.1:$port/" >"$scratch/wrk" 2>&1 &
    wrk_pid=$!
    # wrk runs for its whole duration even when every thread has stopped; SIGINT ends it and
    # makes it report the time actually taken.
    while kill -0 $wrk_pid 2>/dev/null && [ $(($(served) - before)) -lt "$requests" ]; do
        sleep 0.02
    done
    kill -INT $wrk_pid 2>/dev/null || true
    wait $wrk_pid || true
    value() { awk -v k="$1" '$1 == k { print $2 }' "$scratch/wrk"; }
    answered="$(value answered)"
    if [ -z "$answered" ]; then cat "$scratch/wrk" >&2; exit 1; fi
    errors=$(($(value not_200) + $(value socket_errors)))
    errors_total=$((errors_total + errors))
    awk -v run="$run" -v n="$answered" -v e="$errors" -v s="$(value seconds)" \
        -v p50="$(value p50_us)" -v p99="$(value p99_us)" -v rss="$(rss_kib)" \
        'BEGIN { printf "| %d | %d | %d | %.0f | %.2f | %.2f | %d |\n", run, n, e, n / s, p50 / 1000, p99 / 1000, rss }'
done
printf 'access log lines of symbols: %d\n' "$(served)"
if [ "$check" -eq 1 ] && [ "$errors_total" -ne 0 ]; then
    echo "FAILED: $errors_total errors" >&2
    tail -5 "$scratch/wrk" >&2
    exit 1
fi
