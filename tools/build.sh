#!/usr/bin/env bash
# Configures and builds the trees: tools/build.sh [native|win32|win64|arm64|all|fuzz]
#   native: Linux, tests under ASan/UBSan; win32: the shipped 32-bit deliverables;
#   win64: the same code for 64-bit Windows, whose test programs run under Wine;
#   arm64: the same code for Windows on ARM64 (clang; tools/arm64-toolchain.sh makes the toolchain);
#   fuzz: clang, the libFuzzer targets only (not part of all; tools/fuzz.sh runs them).
# BUILD_ROOT (default: build) lets several people build side by side without sharing trees;
# TARGETS (names separated by blanks) builds only those targets.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/lib.sh"
use_build_root
jobs=${JOBS:-$(nproc)}

build() { # name extra-cmake-args...
  configure_tree "$@"
  # shellcheck disable=SC2086  # TARGETS is a list of names
  cmake --build "$root/$1" -j "$jobs" ${TARGETS:+--target $TARGETS}
}

what=${1:-all}
if [ "$what" = native ] || [ "$what" = all ]; then build native; fi
if [ "$what" = win32 ] || [ "$what" = all ]; then build win32; fi
if [ "$what" = win64 ] || [ "$what" = all ]; then build win64; fi
if [ "$what" = arm64 ] || [ "$what" = all ]; then build arm64; fi
if [ "$what" = fuzz ]; then
  CC=clang CXX=clang++ TARGETS=fuzzers build fuzz -DTAVIMOR_FUZZ=ON -DTAVIMOR_TESTS=OFF
fi
