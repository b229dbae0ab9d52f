#!/usr/bin/env bash
# Builds the benchmarks without sanitizers and runs them: tools/bench.sh [name-filter]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${BUILD_ROOT:-$here/build}/bench
case "$dir" in /*) ;; *) dir=$here/$dir ;; esac
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTAVIMOR_SANITIZE=OFF -DTAVIMOR_TESTS=OFF \
    -DDEPS_DIR="$here/build/deps" >/dev/null
fi
cmake --build "$dir" -j "${JOBS:-$(nproc)}" >/dev/null
for b in "$dir"/bench/*_bench; do
  [ -x "$b" ] || continue
  case "$(basename "$b")" in *${1:-}*) echo "== $(basename "$b") =="; "$b" ;; esac
done
