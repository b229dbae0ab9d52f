#!/usr/bin/env bash
# Builds every tree and runs every test: native (ASan/UBSan) and Windows programs under Wine,
# then each fuzz target for 30 seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
root=${BUILD_ROOT:-$here/build}
case "$root" in /*) ;; *) root=$here/$root ;; esac
export BUILD_ROOT=$root

"$here/tools/build.sh" all

# One X server for every window the Wine tests open.
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 130); do [ -e /tmp/.X$n-lock ] || break; done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$n
  sleep 1
fi
cleanup() {
  WINEPREFIX=$root/win64/wineprefix /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

status=0
echo "== native tests (AddressSanitizer, UBSan) =="
ctest --test-dir "$root/native" -j "$(nproc)" --output-on-failure ${CTEST_ARGS:-} | tee "$root/native-ctest.txt" || status=1
echo "== Windows tests under Wine =="
ctest --test-dir "$root/win64" -j "$(nproc)" --output-on-failure ${CTEST_ARGS:-} | tee "$root/win64-ctest.txt" || status=1

# Native cases are ctest entries; a Wine entry is a whole program, so count its GoogleTest cases.
native_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$root/native-ctest.txt")
native_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$root/native-ctest.txt")
log=$root/win64/Testing/Temporary/LastTest.log
wine_passed=$( { grep -ho '^\[  PASSED  \] [0-9]* test' "$log" 2>/dev/null || true; } | awk '{s+=$4} END {print s+0}')
wine_failed=$( { grep -ho '^\[  FAILED  \] [0-9]* test' "$log" 2>/dev/null || true; } | awk '{s+=$4} END {print s+0}')
wine_programs_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$root/win64-ctest.txt")
native_passed=$(( ${native_total:-0} - ${native_failed:-0} ))
echo "native: ${native_passed} passed, ${native_failed:-0} failed"
echo "wine: ${wine_passed} passed, ${wine_failed} failed (programs failed: ${wine_programs_failed:-?})"
echo "Total: $(( native_passed + wine_passed )) passed, $(( ${native_failed:-0} + wine_failed + ${wine_programs_failed:-0} )) failed"

# Last, every fuzz target for a short while (a clang tree of its own, built by the script).
echo "== fuzz targets (libFuzzer, ASan, UBSan) =="
"$here/tools/fuzz.sh" 30 || status=1
exit $status
