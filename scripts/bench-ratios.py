#!/usr/bin/env python3
"""Prints, for each benchmark of a Google Benchmark JSON report, its ratio to the benchmark of the
same name with "_Baseline" appended, both from the same run, and its counters. A benchmark run in
repetitions is represented by its median. A benchmark whose name ends in "_Measure" reports
counters only and has no baseline."""
import json
import sys


def main(path):
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    missing = 0
    standard = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
                "iterations", "real_time", "cpu_time", "time_unit", "family_index",
                "per_family_instance_index", "aggregate_name", "aggregate_unit", "label",
                "error_occurred", "error_message"}
    times = {}
    units = {}
    counters = {}
    for run in report.get("benchmarks", []):
        median = run.get("run_type") == "aggregate" and run.get("aggregate_name") == "median"
        if run.get("run_type", "iteration") != "iteration" and not median:
            continue
        if run.get("error_occurred"):
            print(f"{run['name']}: failed: {run.get('error_message', '')}")
            missing += 1
            continue
        name = run["run_name"] if median else run["name"]
        times[name] = float(run["real_time"])
        units[name] = run.get("time_unit", "ns")
        counters[name] = {k: v for k, v in run.items() if k not in standard}
    for name, time in times.items():
        # A benchmark with arguments ("BM_X/20") pairs with "BM_X_Baseline/20".
        base, _, args = name.partition("/")
        extra = "".join(f", {k} = {v:g}" for k, v in counters[name].items())
        if base.endswith("_Measure"):
            print(f"{name}: {time:.3f} {units[name]}{extra}")
            continue
        if base.endswith("_Baseline"):
            continue
        baseline = base + "_Baseline" + ("/" + args if args else "")
        if baseline not in times:
            print(f"{name}: no baseline")
            missing += 1
            continue
        ratio = time / times[baseline] if times[baseline] > 0 else float("inf")
        print(f"{name}: {time:.3f} {units[name]} vs {times[baseline]:.3f} {units[baseline]} "
              f"baseline = {ratio:.2f}x{extra}")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
