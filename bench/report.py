#!/usr/bin/env python3
"""Turns Google Benchmark JSON into the BENCHMARKS.md table.

Benchmarks named Zol/<case> are paired with Floor/<case> (same arguments); the
ratio is the library's time over the floor's. Medians of the repetitions are
used, so one noisy run does not decide a row.
"""
import json
import os
import platform
import subprocess
import sys
from datetime import datetime, timezone


def medians(paths):
    rows = {}
    context = None
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        context = context or data.get("context", {})
        for b in data["benchmarks"]:
            if b.get("aggregate_name", "median") != "median":
                continue
            name = b["run_name"] if "run_name" in b else b["name"]
            rows[name] = b
    return rows, context


def ns(b):
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
    return b["real_time"] * scale


def fmt_time(t):
    if t >= 1e6:
        return f"{t / 1e6:.2f} ms"
    if t >= 1e3:
        return f"{t / 1e3:.2f} µs"
    return f"{t:.1f} ns"


def cpu_model():
    try:
        out = subprocess.run(["lscpu"], capture_output=True, text=True).stdout
        for line in out.splitlines():
            if line.startswith("Model name:"):
                return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown"


def main(paths):
    rows, context = medians(paths)
    print("# Benchmarks\n")
    print("Written by `bench/run-benchmarks.sh`; every row is the median of three runs.")
    print(f"Machine: {cpu_model()}, {context.get('num_cpus', '?')} CPUs, "
          f"{platform.system()} {platform.release()}. "
          f"Date: {datetime.now(timezone.utc).strftime('%Y-%m-%d %H:%M UTC')}.\n")
    print("| case | through DoZolFunction | floor | ratio | extra per call |")
    print("|---|---|---|---|---|")
    for name, b in rows.items():
        if not name.startswith("Zol/"):
            continue
        case = name[len("Zol/"):]
        zol = ns(b)
        floor = rows.get("Floor/" + case)
        label = f" ({b['label']})" if b.get("label") else ""
        counters = ""
        if "sdl_mapped" in b:
            counters = f"; SDL mapped by loading: {'yes' if b['sdl_mapped'] else 'no'}"
        if floor:
            f = ns(floor)
            print(f"| {case}{label} | {fmt_time(zol)} | {fmt_time(f)} | {zol / f:.2f}x | "
                  f"{fmt_time(zol - f)} |")
        else:
            print(f"| {case}{label}{counters} | {fmt_time(zol)} | — | — | — |")
    loops = [n for n in rows if n.startswith("Floor/SumArrayLoop")]
    if loops:
        print("\nIn-order loop over the same doubles in memory (the physical floor of a sum):\n")
        print("| case | time |")
        print("|---|---|")
        for n in loops:
            print(f"| {n[len('Floor/'):]} | {fmt_time(ns(rows[n]))} |")


def notes():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "NOTES.md")
    if os.path.exists(path):
        with open(path) as f:
            print("\n" + f.read().rstrip())


if __name__ == "__main__":
    main(sys.argv[1:])
    notes()
