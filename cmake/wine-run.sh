#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix:
# wine-run.sh [--win32|--arm64] PREFIX PROGRAM [ARGS...]
# wine-run.sh [--win32|--arm64] PREFIX --server: prepares the prefix, then starts its Wine server
# to stay (until `wineserver -k`) and returns once the server answers a program (done once before
# several programs start at once on one prefix; tools/lib.sh says why).
# The prefix is created on first use, with a virtual desktop so that hiding and closing windows
# does not wait for a window manager. Without a DISPLAY the program runs under its own Xvfb.
# --win32: a 32-bit prefix and the 32-bit loader, for 32-bit programs (machines that run 32-bit
# code only); --arm64: the arm64 Wine of the build root's arm64 chroot (tools/arm64-chroot.sh makes
# it; BUILD_ROOT as tools/lib.sh takes it), for ARM64 programs; otherwise a 64-bit prefix and the
# 64-bit loader.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../tools/lib.sh"
flags=() kind=win64
case "${1:-}" in
  --win32 | --arm64)
    flags=("$1") kind=${1#--}
    shift
    ;;
esac
prefix=$1
shift
wine_env "$kind" "$prefix"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "${flags[@]}" "$prefix" "$@"
fi

prepare_wine_prefix
if [ "${1:-}" = --server ]; then
  serve_wine_prefix
  exit
fi
exec "$WINELOADER" "$@"
