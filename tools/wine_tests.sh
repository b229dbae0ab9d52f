# shellcheck shell=bash disable=SC2154  # root comes from the script that sources this
# Running a Windows tree's test programs under Wine; sourced by tools/test.sh and tools/soak.sh,
# with root (the build root) set.
# shellcheck source=tools/display.sh
. "$(dirname "${BASH_SOURCE[0]}")/display.sh"

# Ends the Wine servers of the trees' prefixes and the X server started for them.
stop_wine_tests() {
  local tree
  for tree in win64 win32; do
    if [ -d "$root/$tree/wineprefix" ]; then
      WINEPREFIX=$root/$tree/wineprefix /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    fi
  done
  stop_display
}

# Starts the Wine server of the tree's prefix (win64 or win32), to stay until stop_wine_tests,
# before the tree's programs start side by side on it.
start_wine_server() { # tree
  local run=("$(dirname "${BASH_SOURCE[0]}")/../cmake/wine-run.sh")
  if [ "$1" = win32 ]; then run+=(--win32); fi
  "${run[@]}" "$root/$1/wineprefix" --server
}

# The result lines of the dependencies' own test suites in a ctest log (what the upstream
# programs print last).
upstream_results() { # log
  grep -h -e '^hunspell upstream (' -e '^mythes samples (' "$1" 2>/dev/null || true
}

# Runs the test programs of the tree (win64 or win32) and sets wine_passed and wine_failed to
# their GoogleTest case counts; a program that failed without reporting a case (a crash, a
# timeout) counts as one failure. Returns non-zero when anything failed.
run_wine_tests() { # tree [extra ctest arguments...]
  local tree=$1
  shift
  local out=$root/$tree-ctest.txt log=$root/$tree/Testing/Temporary/LastTest.log status=0
  start_wine_server "$tree" || return 1
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
