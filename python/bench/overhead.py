"""Per-call cost of the Python layer over the C++ render API, for an EAN-13 PNG.

Runs each way in short rounds, interleaved, and keeps the best round of each in CPU time of the
calling thread, as interference from other work only ever adds time. Usage: python overhead.py [ROUNDS] [CALLS_PER_ROUND]
"""

import os
import sys
import time
from concurrent.futures import ThreadPoolExecutor

import quorvantix as qv
from quorvantix import _core


def python_control(calls):
    control = qv.Barcode1D(barType=qv.Symbology.EAN13, Code="590123412345")
    start = time.thread_time()
    for _ in range(calls):
        control.render()
    return time.thread_time() - start


def python_one_liner(calls):
    start = time.thread_time()
    for _ in range(calls):
        qv.render("ean13", "590123412345")
    return time.thread_time() - start


def threads_speedup(count=200):
    """Wall time of separate Data Matrix renders on one thread over that on every core."""
    clock = time.perf_counter
    controls = [qv.DataMatrix(Code=f"label {i:04d} " * 8) for i in range(count)]
    start = clock()
    for control in controls:
        control.render()
    alone = clock() - start
    with ThreadPoolExecutor(os.cpu_count()) as pool:
        start = clock()
        list(pool.map(lambda c: c.render(), controls))
        threaded = clock() - start
    return alone / threaded


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 15
    calls = int(sys.argv[2]) if len(sys.argv) > 2 else 500
    ways = {"C++ renderImage": _core._native_ean13_png,
            "C++ makeSymbol": lambda calls: _core._native_ean13_png(calls, through_host=True),
            "Python control.render()": python_control,
            "Python quorvantix.render()": python_one_liner}
    best = {name: float("inf") for name in ways}
    for _ in range(rounds):
        for name, way in ways.items():
            best[name] = min(best[name], way(calls) / calls)
    native = best["C++ renderImage"]
    print(f"EAN-13 PNG, best of {rounds} rounds of {calls} calls")
    for name, seconds in best.items():
        print(f"{name:28} {seconds * 1e6:8.1f} us/call  {seconds / native - 1:+7.1%}")
    speedup = max(threads_speedup() for _ in range(5))
    print(f"Data Matrix on {os.cpu_count()} threads: {speedup:.2f} times one thread")


if __name__ == "__main__":
    main()
