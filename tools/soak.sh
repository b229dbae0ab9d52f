#!/usr/bin/env bash
# Runs every Windows test program under Wine N times (default 20) while every core is kept busy,
# to find tests that fail by chance: tools/soak.sh [N]
# PROGRAMS (an extended regular expression) limits the soak to the test programs whose names match.
# The Windows trees are built first; the 32-bit tree's programs run only where this machine starts
# 32-bit programs, the arm64 tree's only where it runs ARM64 programs (arm64 Wine under qemu-user).
# Beside the runs, one busy loop per core competes for the processors. At the end
# it prints, per program, how many runs failed and which cases failed how often; the report is
# also kept in build/soak/report.txt, each failed run's output in build/soak/.
set -euo pipefail
# shellcheck source=tools/arm64-lib.sh
. "$(dirname "$0")/arm64-lib.sh"  # loads tools/lib.sh too
use_build_root
runs=${1:-20}
case "$runs" in '' | *[!0-9]*) echo "usage: $0 [N]" >&2; exit 2 ;; esac

trees=(win64)
if can_run_32bit "$root/probe32"; then trees+=(win32); else echo "32-bit trees skipped: $arch32_reason."; fi
if can_run_arm64 "$root/arm64-probe"; then trees+=(arm64); else echo "arm64 tree skipped: $arm64_reason."; fi
for tree in "${trees[@]}"; do "$here/tools/build.sh" "$tree"; done

out=$root/soak
rm -rf "$out"
mkdir -p "$out"
load=()
finish() {
  for pid in "${load[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_tree_wine
}
trap finish EXIT
start_display
for tree in "${trees[@]}"; do start_tree_wine_server "$tree"; done
for _ in $(seq "$(nproc)"); do
  (while :; do :; done) &
  load+=($!)
done
echo "soak: $runs runs of every Windows test program, ${#load[@]} busy loops beside them"

report=$out/report.txt
: >"$report"
started=$(date +%s)
total_failed=0
for tree in "${trees[@]}"; do
  mapfile -t programs < <(ctest --test-dir "$root/$tree" -N | sed -n 's/^ *Test *#[0-9]*: //p' |
    grep -E "${PROGRAMS:-.}")
  for program in "${programs[@]}"; do
    failed=0
    cases=$out/$tree-$program.cases
    : >"$cases"
    for run in $(seq "$runs"); do
      log=$out/$tree-$program-$run.txt
      if ctest --test-dir "$root/$tree" -R "^${program}\$" --output-on-failure >"$log" 2>&1; then
        rm -f "$log"
      else
        failed=$((failed + 1))
        # GoogleTest's closing list names each failed case once; a crash or timeout names none.
        if ! grep -E '^\[  FAILED  \] [A-Za-z_0-9/]+\.[A-Za-z_0-9/]+(, where .*)?$' "$log" |
          sed 's/^\[  FAILED  \] //; s/, where .*//' >>"$cases"; then
          echo "(no case named: $(grep -Eo 'Timeout|Exception: [A-Za-z]*|\*\*\*[A-Za-z ]*' "$log" | head -1))" >>"$cases"
        fi
      fi
    done
    total_failed=$((total_failed + failed))
    line=$(printf '%-6s %-28s %2d of %d runs failed' "$tree" "$program" "$failed" "$runs")
    echo "$line" | tee -a "$report"
    sort "$cases" | uniq -c | sed 's/^ */         /' | tee -a "$report"
  done
done
minutes=$((($(date +%s) - started) / 60))
echo "soak: $total_failed failed runs in all, $runs runs per program, $minutes minutes, cores busy: $(nproc)" | tee -a "$report"
[ "$total_failed" -eq 0 ]
