#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is created on first use, with a virtual desktop so that hiding and closing windows
# does not wait for a window manager. Without a DISPLAY the program runs under its own Xvfb.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# The 64-bit loader, called directly: Debian's wine script prefers a 32-bit loader whenever one
# is installed, even where the kernel cannot run 32-bit code.
export WINELOADER=/usr/lib/wine/wine64
wine=$WINELOADER
export PATH=/usr/lib/wine:$PATH

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$prefix" "$@"
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
