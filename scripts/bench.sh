#!/usr/bin/env bash
# Builds the bench preset, runs every suite in one process (five repetitions, interleaved at
# random so that a busy neighbour slows every library alike; the best of the five counts) and
# prints one table: per symbol and stage our rate, each peer's rate and the ratio ours/peer, and
# our nanoseconds per output pixel (all of the draw stage, and its drawing share: draw less
# encode) against a plain memset of the same image. Arguments go to the benchmark binary (e.g.
# --benchmark_filter=pdf417). Rates are from CPU time, which a loaded machine disturbs less.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${QV_BENCH_JOBS:-2}
cmake --preset bench >&2
cmake --build --preset bench -j "$jobs" --target qv_bench >&2
out=build/bench/results.json
build/bench/bench/qv_bench --benchmark_format=console --benchmark_out="$out" \
    --benchmark_out_format=json --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    "$@" >&2
python3 - "$out" <<'PY'
import json, os, sys

with open(sys.argv[1]) as f:
    doc = json.load(f)
scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
runs = {}
# Symbols in the order the suites register them (repetitions run interleaved).
order = {}
# The best of the repetitions: a busy neighbour only ever adds time, to every library alike.
for b in doc["benchmarks"]:
    if b.get("error_occurred") or b.get("run_type") == "aggregate":
        continue
    symbol, stage, lib = b["run_name"].split("/")[:3]
    order[symbol] = min(order.get(symbol, b.get("family_index", 0)), b.get("family_index", 0))
    key = (symbol, stage, lib)
    ns = b["cpu_time"] * scale[b["time_unit"]]
    if key not in runs or ns < runs[key][0]:
        runs[key] = (ns, b.get("pixels"))

symbols = sorted(dict.fromkeys(k[0] for k in runs), key=lambda s: order[s])
peers = ["zint", "zxing"]

def rate(ns):
    if ns >= 1e9 / 1e4:
        return f"{1e9 / ns:,.0f}"
    return f"{1e9 / ns / 1e3:,.0f} k"

head = ["symbol", "stage", "quorvantix /s"]
for p in peers:
    head += [f"{p} /s", f"ours/{p}"]
head += ["ns/px", "drawing ns/px", "memset ns/px", "drawing x floor"]
rows = []
for s in symbols:
    floor = runs.get((s, "floor", "memset"))
    for stage in ("encode", "draw", "draw8", "png", "pngmem"):
        ours = runs.get((s, stage, "quorvantix"))
        if ours is None:
            continue
        row = [s, stage, rate(ours[0])]
        for p in peers:
            # The 8-bit raster and the PNG in memory stand beside the peers' bitmap and PNG.
            theirs = runs.get((s, {"draw8": "draw", "pngmem": "png"}.get(stage, stage), p))
            if theirs is None:
                row += ["-", "-"]
            else:
                row += [rate(theirs[0]), f"{theirs[0] / ours[0]:.2f}"]
        encoded = runs.get((s, "encode", "quorvantix"))
        if stage in ("draw", "draw8") and ours[1] and floor and encoded:
            # The drawing's share: the draw stage less encoding alone.
            px = ours[0] / ours[1]
            drawing = max(ours[0] - encoded[0], 0.0) / ours[1]
            fpx = floor[0] / floor[1]
            row += [f"{px:.3f}", f"{drawing:.3f}", f"{fpx:.3f}", f"{drawing / fpx:.1f}"]
        else:
            row += ["", "", "", ""]
        rows.append(row)

ctx = doc.get("context", {})
load = os.getloadavg()
print(f"Machine: {ctx.get('num_cpus', '?')} CPUs at {ctx.get('mhz_per_cpu', '?')} MHz, "
      f"load average {load[0]:.1f} at the end of the run, {ctx.get('date', '')}")
print()
print("| " + " | ".join(head) + " |")
print("|" + "|".join("---" if i < 2 else "---:" for i in range(len(head))) + "|")
for r in rows:
    print("| " + " | ".join(r) + " |")
PY
