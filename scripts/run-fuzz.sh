#!/usr/bin/env bash
# Runs every fuzz program of a fuzzing build (fuzz_<name> in BUILD/bin) for SECONDS each, on its
# committed seeds and regression inputs and on the corpus it grew in earlier runs:
#   run-fuzz.sh BUILD [SECONDS]
# FUZZ_TARGETS (names, blank-separated) runs those targets only, e.g. half of them beside a run
# of the other half.
# A crash, a failed property, a leak of ours, a sanitizer report or an input that takes longer
# than FUZZ_TIMEOUT seconds fails the run; the input is kept in BUILD/fuzz-artifacts/<name>/.
set -uo pipefail
shopt -s nullglob
build=$(cd "$1" && pwd)
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

export LSAN_OPTIONS="suppressions=$source_dir/fuzz/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
# The stores write each input's files through QSaveFile, which syncs them to disk; in memory that
# costs nothing, on a shared disk it is most of the run.
if [ -z "${FUZZ_TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  FUZZ_TMPDIR=/dev/shm
fi
export TMPDIR=${FUZZ_TMPDIR:-${TMPDIR:-/tmp}}

# Qt is built without frame pointers, so the fast unwinder that keeps fuzzing quick stops at the
# first Qt frame and the suppressions cannot see whose leak it is. A reported leak is therefore
# run once more with full stacks: if every leak it shows is suppressed as Qt's, it is set aside
# and fuzzing goes on. Full stacks from the start would let the suppressions work inside the
# fuzzer, but they slow every allocation: even the targets that restart most often ran fewer
# inputs a minute with them than with these restarts.
only_qt_leaks() {
  ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0" LSAN_OPTIONS="$LSAN_OPTIONS:print_suppressions=1" \
    "$source_dir/scripts/run-isolated.sh" "$1" "$2" > "$2.full-stacks.log" 2>&1 \
    && grep -q 'Suppressions used' "$2.full-stacks.log"
}

# Removes every file with the same content as $1 from the folders after it.
forget_input() {
  local input=$1 folder file
  for folder in "${@:2}"; do
    for file in "$folder"/*; do
      cmp -s "$file" "$input" && rm -f "$file"
    done
  done
}

fuzz() {
  local program=$1 log=$2 corpus=$3 artifacts=$4 committed=$5
  local deadline=$((SECONDS + seconds)) left status leak round=$log.round taken_out=" "
  : > "$log"
  # Worked out once a round: 0 would read as no limit at all.
  while left=$((deadline - SECONDS)); [ "$left" -gt 0 ]; do
    "$source_dir/scripts/run-isolated.sh" "$program" -max_total_time="$left" \
      -timeout="${FUZZ_TIMEOUT:-10}" -max_len=8192 -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$corpus" "$committed" > "$round" 2>&1
    status=$?
    cat "$round" >> "$log"
    [ $status -eq 0 ] && break
    # Only a leak that this round reported, with the input it wrote, may be Qt's alone; a leak
    # set aside once and reported again means the input could not be taken out.
    leak=
    if grep -q 'ERROR: LeakSanitizer: detected memory leaks' "$round"; then
      leak=$(sed -n 's/.*Test unit written to \(.*\/leak-[0-9a-f]*\)$/\1/p' "$round" | tail -1)
    fi
    if [ -z "$leak" ] || [ ! -f "$leak" ] || [[ $taken_out == *" ${leak##*/} "* ]] \
      || ! only_qt_leaks "$program" "$leak"; then
      rm -f "$round"
      return $status
    fi
    # Taken out of the corpus and of the committed inputs' copy, so that the next round does not
    # stop on it at once.
    taken_out+="${leak##*/} "
    mkdir -p "$artifacts/qt"
    mv "$leak" "$leak.full-stacks.log" "$artifacts/qt/"
    forget_input "$artifacts/qt/${leak##*/}" "$corpus" "$committed"
    echo "== a leak of Qt's alone, kept in $artifacts/qt/; fuzzing goes on" >> "$log"
  done
  rm -f "$round"
  return 0
}

programs=()
for program in "$build"/bin/fuzz_*; do
  name=${program##*/fuzz_}
  # The programs that replay the committed inputs once, in a build with tests.
  [[ $name == *_inputs ]] && continue
  if [ -z "${FUZZ_TARGETS:-}" ] || [[ " $FUZZ_TARGETS " == *" $name "* ]]; then
    programs+=("$program")
  fi
done
if [ ${#programs[@]} -eq 0 ]; then
  echo "No fuzz programs in $build/bin" >&2
  exit 1
fi

failed=()
printf '%-14s %10s %8s %8s %8s  %s\n' target runs cov ft corpus result
for program in "${programs[@]}"; do
  name=${program##*/fuzz_}
  corpus=$build/fuzz-corpus/$name
  artifacts=$build/fuzz-artifacts/$name
  log=$build/fuzz-$name.log
  # A fresh copy of the committed inputs, from which an input that leaks in Qt alone can go.
  committed=$build/fuzz-inputs/$name
  rm -rf "$committed"
  mkdir -p "$corpus" "$artifacts" "$committed"
  for folder in seeds regressions; do
    for input in "$source_dir/fuzz/$name/$folder"/*; do
      cp -- "$input" "$committed/$folder-${input##*/}"
    done
  done
  fuzz "$program" "$log" "$corpus" "$artifacts" "$committed"
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | awk '{s += $1} END {print s}')
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<< "$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<< "$last")
  result=ok
  if [ $status -ne 0 ]; then
    result="FAILED (exit $status, log $log)"
    failed+=("$name")
  elif set_aside=$(grep -c '^== a leak of Qt' "$log"); then
    result="ok ($set_aside inputs with Qt's own leaks set aside)"
  fi
  printf '%-14s %10s %8s %8s %8s  %s\n' "$name" "${runs:--}" "${cov:--}" "${ft:--}" \
    "$(ls "$corpus" | wc -l)" "$result"
done

for name in "${failed[@]}"; do
  echo
  echo "== $name: the end of $build/fuzz-$name.log"
  tail -40 "$build/fuzz-$name.log"
done
[ ${#failed[@]} -eq 0 ]
