#!/usr/bin/env bash
# Builds every tree and runs every test: native (ASan/UBSan) and Windows programs under Wine.
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
ctest --test-dir "$root/native" -j "$(nproc)" --output-on-failure ${CTEST_ARGS:-} || status=1
echo "== Windows tests under Wine =="
ctest --test-dir "$root/win64" -j "$(nproc)" --output-on-failure ${CTEST_ARGS:-} || status=1
exit $status
