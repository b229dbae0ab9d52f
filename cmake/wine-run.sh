#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix: wine-run.sh [--win32] PREFIX PROGRAM [ARGS...]
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

exec "$wine" "$@"
