#!/usr/bin/env bash
# Builds every tree and runs every test: native (ASan/UBSan), the 64-bit Windows programs under
# 64-bit Wine, the shipped 32-bit build's Windows programs under 32-bit Wine where this machine
# starts 32-bit programs, then each fuzz target for 30 seconds. Each tree also runs Hunspell's and
# MyThes's own test data against the libraries it links and prints how many upstream cases pass.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
root=${BUILD_ROOT:-$here/build}
case "$root" in /*) ;; *) root=$here/$root ;; esac
export BUILD_ROOT=$root
. "$here/tools/arch32.sh"
. "$here/tools/wine_tests.sh"

"$here/tools/build.sh" all

start_display
trap stop_wine_tests EXIT

status=0
echo "== native tests (AddressSanitizer, UBSan) =="
# shellcheck disable=SC2086  # CTEST_ARGS is a list of arguments
ctest --test-dir "$root/native" -j "$(nproc)" --output-on-failure ${CTEST_ARGS:-} | tee "$root/native-ctest.txt" || status=1
native_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$root/native-ctest.txt")
native_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$root/native-ctest.txt")
native_failed=${native_failed:-0}
native_passed=$(( ${native_total:-0} - native_failed ))
echo "native: ${native_passed} passed, ${native_failed} failed"
upstream_results "$root/native/Testing/Temporary/LastTest.log"

echo "== 64-bit Windows tests under 64-bit Wine =="
run_wine_tests win64 || status=1
passed=$(( native_passed + wine_passed ))
failed=$(( native_failed + wine_failed ))

if can_run_32bit "$root/probe32"; then
  echo "== the shipped 32-bit build's Windows tests under 32-bit Wine =="
  run_wine_tests win32 || status=1
  passed=$(( passed + wine_passed ))
  failed=$(( failed + wine_failed ))
else
  echo "32-bit Windows tests skipped: $arch32_reason."
fi
echo "Total: ${passed} passed, ${failed} failed"

# Last, every fuzz target for a short while (a clang tree of its own, built by the script).
echo "== fuzz targets (libFuzzer, ASan, UBSan) =="
"$here/tools/fuzz.sh" 30 || status=1
exit $status
