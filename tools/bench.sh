#!/usr/bin/env bash
# Benchmarks: tools/bench.sh [name-filter] builds the native benchmarks without sanitizers and runs
# those whose name holds the filter; tools/bench.sh NAME runs bench/NAME.sh where that script exists
# (the measurements that need Wine).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${1:-}" ] && [ -f "$here/bench/$1.sh" ]; then
  name=$1; shift
  exec bash "$here/bench/$name.sh" "$@"
fi
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
