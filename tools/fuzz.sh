#!/usr/bin/env bash
# Builds the fuzz tree and runs each fuzz target for a while: tools/fuzz.sh [SECONDS] [TARGET...]
#   SECONDS per target (default 30); TARGETs by name (keyword_text, install_script, ...), all by default.
# Each target starts from a copy of its seed corpus (fuzz/corpus/TARGET) kept in the build tree, so
# what a run finds stays there for the next run and the repository is never written. A crashing
# input is saved next to that copy and named in the output; the script then exits non-zero.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/lib.sh"
use_build_root

seconds=${1:-30}
shift || true
case "$seconds" in '' | *[!0-9]*) echo "fuzz: SECONDS must be a number" >&2; exit 2 ;; esac
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$here"/fuzz/*_fuzzer.cpp; do
    name=$(basename "$source" _fuzzer.cpp)
    targets+=("$name")
  done
fi

mkdir -p "$root"
if ! "$here/tools/build.sh" fuzz >"$root/fuzz-build.log" 2>&1; then
  tail -n 40 "$root/fuzz-build.log"
  echo "fuzz: build failed (log $root/fuzz-build.log)"
  exit 1
fi

# Sanitizer findings stop the run and leave a stack; libFuzzer saves the input.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}

failed=0
for name in "${targets[@]}"; do
  exe=$root/fuzz/fuzz/${name}_fuzzer
  work=$root/fuzz/runs/$name
  if [ ! -x "$exe" ]; then
    echo "fuzz $name: no such target" >&2
    failed=$((failed + 1))
    continue
  fi
  mkdir -p "$work/corpus" "$work/crashes"
  # The targets that read files write one per input: a memory file system keeps that fast.
  scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "$work")/fuzz_$name.XXXXXX")
  if [ -d "$here/fuzz/corpus/$name" ]; then cp -n "$here/fuzz/corpus/$name"/* "$work/corpus/" 2>/dev/null || true; fi
  args=(-max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$work/crashes/")
  [ -f "$here/fuzz/$name.dict" ] && args+=(-dict="$here/fuzz/$name.dict")

  status=0
  # (the braces keep the shell's own note on an aborted program out of the summary)
  { TMPDIR=$scratch "$exe" "${args[@]}" "$work/corpus" >"$work/log" 2>&1; } 2>/dev/null || status=$?
  rm -rf "$scratch"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log" | tail -1)
  entries=$(find "$work/corpus" -type f | wc -l)
  if [ "$status" -eq 0 ]; then
    result="ok, corpus $entries"
  else
    failed=$((failed + 1))
    input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$work/log" | tail -1)
    result="FAILED (exit $status): ${input:-no input saved}, log $work/log"
  fi
  printf 'fuzz %-15s %10s runs %8s exec/s  %s\n' "$name" "${runs:-?}" "${speed:-?}" "$result"
done

echo "fuzz: ${#targets[@]} targets, $failed failed"
[ "$failed" -eq 0 ]
