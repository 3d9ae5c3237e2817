#!/usr/bin/env python3
"""Prints, for each benchmark of a Google Benchmark JSON report, its ratio to the benchmark of the
same name with "_Baseline" appended, both from the same run."""
import json
import sys


def main(path):
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    times = {}
    units = {}
    for run in report.get("benchmarks", []):
        if run.get("run_type", "iteration") != "iteration" or run.get("error_occurred"):
            continue
        times[run["name"]] = float(run["real_time"])
        units[run["name"]] = run.get("time_unit", "ns")
    missing = 0
    for name, time in times.items():
        # A benchmark with arguments ("BM_X/20") pairs with "BM_X_Baseline/20".
        base, _, args = name.partition("/")
        if base.endswith("_Baseline"):
            continue
        baseline = base + "_Baseline" + ("/" + args if args else "")
        if baseline not in times:
            print(f"{name}: no baseline")
            missing += 1
            continue
        ratio = time / times[baseline] if times[baseline] > 0 else float("inf")
        print(f"{name}: {time:.3f} {units[name]} vs {times[baseline]:.3f} {units[baseline]} "
              f"baseline = {ratio:.2f}x")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
