#!/usr/bin/env bash
# Builds every tree and runs every test: native (ASan/UBSan), the 64-bit Windows programs under
# 64-bit Wine, the shipped 32-bit build's Windows programs under 32-bit Wine where this machine
# starts 32-bit programs, the ARM64 build's under arm64 Wine (an arm64 chroot, qemu-user) where
# ARM64 programs can run, then each fuzz target for 30 seconds. Each tree also runs Hunspell's and
# MyThes's own test data against the libraries it links and prints how many upstream cases pass.
set -euo pipefail
# shellcheck source=tools/arm64-lib.sh
. "$(dirname "$0")/arm64-lib.sh"  # loads tools/lib.sh too
use_build_root

# The result lines of the dependencies' own test suites in a ctest log (what the upstream
# programs print last).
upstream_results() { # log
  grep -h -e '^hunspell upstream (' -e '^mythes samples (' "$1" 2>/dev/null || true
}

# Runs the test programs of the tree (win64, win32 or arm64) and sets wine_passed and wine_failed to
# their GoogleTest case counts; a program that failed without reporting a case (a crash, a
# timeout) counts as one failure. Returns non-zero when anything failed.
run_wine_tests() { # tree [extra ctest arguments...]
  local tree=$1
  shift
  local out=$root/$tree-ctest.txt log=$root/$tree/Testing/Temporary/LastTest.log status=0
  start_tree_wine_server "$tree" || return 1
  # shellcheck disable=SC2086  # CTEST_ARGS is a list of arguments
  ctest --test-dir "$root/$tree" -j "$(nproc)" --output-on-failure ${CTEST_ARGS:-} "$@" | tee "$out" || status=1
  wine_passed=$( { grep -ho '^\[  PASSED  \] [0-9]* test' "$log" 2>/dev/null || true; } | awk '{s+=$4} END {print s+0}')
  wine_failed=$( { grep -ho '^\[  FAILED  \] [0-9]* test' "$log" 2>/dev/null || true; } | awk '{s+=$4} END {print s+0}')
  local programs_failed
  programs_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$out")
  programs_failed=${programs_failed:-1}
  # A program that failed but reported no failed case still counts once.
  if [ "$wine_failed" -lt "$programs_failed" ]; then wine_failed=$programs_failed; fi
  echo "$tree under Wine: ${wine_passed} passed, ${wine_failed} failed (programs failed: ${programs_failed})"
  upstream_results "$log"
  [ "$status" -eq 0 ] && [ "$programs_failed" -eq 0 ]
}

# Everything the tests use (the demo's own setup installs less).
bash "$here/tools/setup.sh"
"$here/tools/build.sh" all

start_display
trap stop_tree_wine EXIT

status=0
echo "== native tests (AddressSanitizer, UBSan) =="
# shellcheck disable=SC2086  # CTEST_ARGS is a list of arguments
ctest --test-dir "$root/native" -j "$(nproc)" --output-on-failure ${CTEST_ARGS:-} | tee "$root/native-ctest.txt" || status=1
native_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$root/native-ctest.txt")
native_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$root/native-ctest.txt")
# Without ctest's summary line (no test found, ctest cut short) the run counts as one failure, as
# a Windows tree's does.
if [ -z "$native_failed" ]; then native_failed=1 native_total=1 status=1; fi
native_passed=$(( native_total - native_failed ))
echo "native: ${native_passed} passed, ${native_failed} failed"
upstream_results "$root/native/Testing/Temporary/LastTest.log"

# Runs a Windows tree's programs (run_wine_tests) and adds their counts to the totals.
add_wine_tests() { # tree heading
  echo "== $2 =="
  run_wine_tests "$1" || status=1
  passed=$(( passed + wine_passed ))
  failed=$(( failed + wine_failed ))
}
passed=$native_passed failed=$native_failed
add_wine_tests win64 "64-bit Windows tests under 64-bit Wine"
if can_run_32bit "$root/probe32"; then
  add_wine_tests win32 "the shipped 32-bit build's Windows tests under 32-bit Wine"
else
  echo "32-bit Windows tests skipped: $arch32_reason."
fi
if can_run_arm64 "$root/arm64-probe"; then
  add_wine_tests arm64 "the ARM64 build's Windows tests under arm64 Wine (qemu-user)"
else
  echo "ARM64 Windows tests skipped: $arm64_reason."
fi
echo "Total: ${passed} passed, ${failed} failed"

# Last, every fuzz target for a short while (a clang tree of its own, built by the script).
echo "== fuzz targets (libFuzzer, ASan, UBSan) =="
"$here/tools/fuzz.sh" 30 || status=1
exit $status
