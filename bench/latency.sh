#!/usr/bin/env bash
# What the photographer waits for, under Wine with the real module and the stand-in host:
#   bash tools/bench.sh latency [RUNS]
# Builds the module and bench/latency_bench.cpp in the 64-bit tree, then runs RUNS times (9 unless
# given) the editor ("Do It" on a document whose keywords hold a misspelt word) and the floor (the
# editor's dialog resource run by a procedure that does nothing but fill the keyword box and open
# a one-item menu on a right click), one after the other; the first right click comes once the
# dialog's thread has done no work for 200 ms, each run a process of its own, so that every run's first word menu is the first of a
# module load. Prints the medians in milliseconds, one line per figure, with the ratios to the
# floor. The 64-bit tree is measured a second time with English, German and Polish chosen (the
# packages tools/setup.sh unpacks). The 32-bit tree is measured the same way where this machine
# runs 32-bit programs.
set -euo pipefail
runs=${1:-9}
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/../tools/lib.sh"
use_build_root
start_display
trap stop_display EXIT

languages=()  # with SHARE TAG...: the languages chosen beside en_US
measure() { # tree [--win32]
  local tree=$1 dir=$root/$1
  shift
  TARGETS="Tavimor latency_bench" BUILD_ROOT=$root bash "$here/tools/build.sh" "$tree" >/dev/null
  # A prefix of its own: the runs put the en_US files into the module's library.
  local prefix=$dir/bench-prefix${languages:+-languages} out=$dir/bench/latency-runs${languages:+-languages}.txt
  : >"$out"
  local load
  load=$(cut -d' ' -f1 /proc/loadavg)
  for run in $(seq "$runs"); do
    for what in editor floor; do
      "$here/cmake/wine-run.sh" "$@" "$prefix" "$dir/bench/latency_bench.exe" "$what" "Z:$dir/plugin/Tavimor.8li" 6 "${languages[@]}" |
        sed "s/^/$what $run /" >>"$out"
    done
  done
  # The prefix's Wine processes end before the display does.
  PATH=/usr/lib/wine:$PATH WINEPREFIX=$prefix wineserver -w || true
  summarise "$out" "$tree" "$load"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The values of one figure of editor or floor; "first" and "later" split each run's menus.
values() { # file what figure
  case "$3" in
    first) awk -v w="$2" '$1 == w && $3 == "menu" && !seen[$2]++ { print $4 }' "$1" ;;
    later) awk -v w="$2" '$1 == w && $3 == "menu" && seen[$2]++ { print $4 }' "$1" ;;
    *) awk -v w="$2" -v f="$3" '$1 == w && $3 == f { print $4 }' "$1" ;;
  esac
}

# One line: the editor's median of a figure, the floor's, and their ratio.
row() { # file label figure note [no: without the ratio]
  local mine floor
  mine=$(values "$1" editor "$3" | median)
  floor=$(values "$1" floor "$3" | median)
  awk -v l="$2" -v m="$mine" -v f="$floor" -v n="$4" -v r="${5:-}" 'BEGIN {
    printf "  %-26s%8.1f   floor %6.1f   ", l, m, f
    if (r != "no") printf "ratio %5.2f   ", m / f
    print n
  }'
}

summarise() { # file tree load-average
  local bits=64
  if [ "$2" = win32 ]; then bits=32; fi
  echo "latency, $bits-bit build under Wine${languages:+, English, German and Polish chosen}, medians of $runs runs, milliseconds" \
    "(load average $3 on $(nproc) cores when they began)"
  row "$1" "Do It to editor shown" shown "(target: ratio <= 1.10)"
  row "$1" "editor busy after shown" idle "(the language load, with the editor on screen)" no
  row "$1" "editor settled after shown" settled "(and the suggestions worked out ahead)" no
  row "$1" "first word menu shown" first "(target: <= 50 ms)"
  row "$1" "later word menus shown" later "(target: <= 50 ms)"
}

measure win64
languages=("Z:$here/build/deps/dictionaries/usr/share" de_DE pl_PL)
measure win64
languages=()
if can_run_32bit "$root/arch32-probe"; then
  measure win32 --win32
else
  echo "32-bit build not measured: $arch32_reason"
fi
