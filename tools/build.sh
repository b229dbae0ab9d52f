#!/usr/bin/env bash
# Configures and builds the trees: tools/build.sh [native|win32|win64|all|fuzz]
#   native: Linux, tests under ASan/UBSan; win32: the shipped 32-bit deliverables;
#   win64: the same code for 64-bit Windows, whose test programs run under Wine;
#   fuzz: clang, the libFuzzer targets only (not part of all; tools/fuzz.sh runs them).
# BUILD_ROOT (default: build) lets several people build side by side without sharing trees;
# TARGETS (names separated by blanks) builds only those targets.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
root=${BUILD_ROOT:-$here/build}
case "$root" in /*) ;; *) root=$here/$root ;; esac
deps=$here/build/deps
jobs=${JOBS:-$(nproc)}
# ccache, where the machine has it, shares object files between trees of several checkouts.
launch=()
if command -v ccache >/dev/null; then
  launch=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build() { # name extra-cmake-args...
  local name=$1; shift
  local dir=$root/$name
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$dir" -DDEPS_DIR="$deps" "${launch[@]}" "$@" >/dev/null
  fi
  # shellcheck disable=SC2086  # TARGETS is a list of names
  cmake --build "$dir" -j "$jobs" ${TARGETS:+--target $TARGETS}
}

what=${1:-all}
if [ "$what" = native ] || [ "$what" = all ]; then build native; fi
if [ "$what" = win32 ] || [ "$what" = all ]; then
  build win32 -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake"
fi
if [ "$what" = win64 ] || [ "$what" = all ]; then
  build win64 -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-x86_64.cmake"
fi
if [ "$what" = fuzz ]; then
  CC=clang CXX=clang++ TARGETS=fuzzers build fuzz -DTAVIMOR_FUZZ=ON -DTAVIMOR_TESTS=OFF
fi
