#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix: wine-run.sh [--win32] PREFIX PROGRAM [ARGS...]
# wine-run.sh [--win32] PREFIX --server: prepares the prefix, then starts its Wine server to stay
# (until `wineserver -k`) and returns once the server answers a program. Done once before several
# programs start at once on one prefix: each of them would otherwise start a server of its own, and
# on a busy machine the losers give up connecting to the winner ("a wine server seems to be
# running, but I cannot connect to it"). Between programs Debian's server also ends at once
# (`-p0`), so every later start would race again.
# The prefix is created on first use, with a virtual desktop so that hiding and closing windows
# does not wait for a window manager. Without a DISPLAY the program runs under its own Xvfb.
# --win32: a 32-bit prefix and the 32-bit loader, for 32-bit programs (machines that run 32-bit
# code only); otherwise a 64-bit prefix and the 64-bit loader.
set -euo pipefail
arch=
if [ "${1:-}" = --win32 ]; then
  arch=--win32
  shift
fi
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Each loader called directly: Debian's wine script prefers the 32-bit loader whenever it is
# installed, even where the kernel cannot run 32-bit code.
if [ -n "$arch" ]; then
  export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
else
  export WINELOADER=/usr/lib/wine/wine64
fi
wine=$WINELOADER
export PATH=/usr/lib/wine:$PATH

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" $arch "$prefix" "$@"
fi

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    rm -rf "$prefix"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.ready"
  fi
) 9>"$prefix.lock"

if [ "${1:-}" = --server ]; then
  # A server left from an earlier run may be one that ends with its last program: replaced.
  wineserver -k 2>/dev/null || true
  wineserver -w
  # Detached from the caller's output: a server holding it would keep a pipe reading from the
  # caller open until the server ends.
  wineserver -p </dev/null >/dev/null 2>&1
  # The server takes connections once `wineserver -p` has returned; one program run through it
  # also starts the prefix's own services, which every later program would otherwise start.
  for _ in 1 2 3; do
    if "$wine" reg query 'HKCU\Software\Wine\Explorer' </dev/null >/dev/null 2>&1; then exit 0; fi
  done
  echo "wine-run.sh: the Wine server of $prefix does not answer" >&2
  exit 1
fi
exec "$wine" "$@"
