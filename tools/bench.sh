#!/usr/bin/env bash
# Benchmarks: tools/bench.sh [name-filter] builds the native benchmarks without sanitizers and runs
# those whose name holds the filter; tools/bench.sh NAME runs bench/NAME.sh where that script exists
# (the measurements that need Wine).
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/lib.sh"
use_build_root
if [ -n "${1:-}" ] && [ -f "$here/bench/$1.sh" ]; then
  name=$1; shift
  exec bash "$here/bench/$name.sh" "$@"
fi
dir=$root/bench
configure_tree bench -DCMAKE_BUILD_TYPE=Release -DTAVIMOR_SANITIZE=OFF -DTAVIMOR_TESTS=OFF
cmake --build "$dir" -j "${JOBS:-$(nproc)}" >/dev/null
for b in "$dir"/bench/*_bench; do
  [ -x "$b" ] || continue
  case "$(basename "$b")" in *${1:-}*) echo "== $(basename "$b") =="; "$b" ;; esac
done
