#!/usr/bin/env bash
# What the photographer waits for, under Wine with the real module and the stand-in host:
#   bash tools/bench.sh latency [RUNS]
# Builds the module and bench/latency_bench.cpp in the 64-bit tree, then runs RUNS times (7 unless
# given) the editor ("Do It" on a document whose keywords hold a misspelt word) and the floor (the
# editor's dialog resource run by a procedure that does nothing but fill the keyword box and open
# a one-item menu on a right click), one after the other, each run a process of its own, so that every run's first word menu is the first of a
# module load. Prints the medians in milliseconds, one line per figure, with the ratios to the
# floor. The 32-bit tree is measured the same way where this machine runs 32-bit programs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
root=${BUILD_ROOT:-$here/build}
case "$root" in /*) ;; *) root=$here/$root ;; esac
# shellcheck source=../tools/display.sh
. "$here/tools/display.sh"
# shellcheck source=../tools/arch32.sh
. "$here/tools/arch32.sh"
start_display
trap stop_display EXIT

measure() { # tree [--win32]
  local tree=$1 dir=$root/$1
  shift
  TARGETS="Tavimor latency_bench" BUILD_ROOT=$root bash "$here/tools/build.sh" "$tree" >/dev/null
  # A prefix of its own: the runs put the en_US files into the module's library.
  local prefix=$dir/bench-prefix out=$dir/bench/latency-runs.txt
  : >"$out"
  for run in $(seq "$runs"); do
    for what in editor floor; do
      "$here/cmake/wine-run.sh" "$@" "$prefix" "$dir/bench/latency_bench.exe" "$what" "Z:$dir/plugin/Tavimor.8li" 6 |
        sed "s/^/$what $run /" >>"$out"
    done
  done
  python3 - "$out" "$tree" "$runs" <<'EOF'
import statistics, sys
from collections import defaultdict

path, tree, runs = sys.argv[1], sys.argv[2], sys.argv[3]
figures = defaultdict(list)  # (what, figure) -> values
menus = defaultdict(list)    # (what, run) -> menu times in order
for line in open(path):
    what, run, figure, value = line.split()
    if figure == "menu":
        menus[(what, run)].append(float(value))
    else:
        figures[(what, figure)].append(float(value))
for (what, run), times in menus.items():
    figures[(what, "first")].append(times[0])
    figures[(what, "later")].extend(times[1:])
m = {key: statistics.median(values) for key, values in figures.items() if values}
bits = "32" if tree == "win32" else "64"
print(f"latency, {bits}-bit build under Wine, medians of {runs} runs, milliseconds")
def row(label, figure, target):
    mine, floor = m[("editor", figure)], m[("floor", figure)]
    print(f"  {label:<30}{mine:8.1f}   floor {floor:6.1f}   ratio {mine / floor:5.2f}   {target}")
row("Do It to editor shown", "shown", "(target: ratio <= 1.10)")
print(f"  {'editor busy after shown':<30}{m[('editor', 'idle')]:8.1f}   floor {m[('floor', 'idle')]:6.1f}"
      "   (the language load, while the editor is on screen)")
row("first word menu shown", "first", "(target: <= 50 ms)")
row("later word menus shown", "later", "(target: <= 50 ms)")
EOF
}

measure win64
if can_run_32bit "$root/arch32-probe"; then
  measure win32 --win32
else
  echo "32-bit build not measured: $arch32_reason"
fi
