#!/usr/bin/env bash
# The keyword-list import and export and the tools menu of 1,000 groups, under Wine (x64):
#   bash tools/bench.sh keyword_list [ROUNDS]
# Builds bench/keyword_list_bench.cpp in the 64-bit tree and prints its medians in milliseconds
# (targets: import 2000, export 1000, menu 100).
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/../tools/lib.sh"
use_build_root
start_display
trap stop_display EXIT
TARGETS=keyword_list_bench bash "$here/tools/build.sh" win64 >/dev/null
dir=$root/win64
prefix=$dir/bench-prefix
"$here/cmake/wine-run.sh" "$prefix" "$dir/bench/keyword_list_bench.exe" "${1:-5}"
PATH=/usr/lib/wine:$PATH WINEPREFIX=$prefix wineserver -w || true
