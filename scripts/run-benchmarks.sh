#!/usr/bin/env bash
# Runs every benchmark program of a build and prints each benchmark's ratio to its baseline,
# both measured in the same run.
set -euo pipefail
build=${1:-build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
for program in "$build"/bin/bench_*; do
  name=$(basename "$program")
  case "$name" in bench_startup_*) continue ;; esac
  [ -x "$program" ] || continue
  echo "== $name"
  if ! "$program" --benchmark_out="$out/$name.json" --benchmark_out_format=json; then
    echo "$name failed" >&2
    status=1
    continue
  fi
  python3 "$(dirname "$0")/bench-ratios.py" "$out/$name.json" || status=1
done
exit $status
