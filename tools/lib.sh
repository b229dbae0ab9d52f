# shellcheck shell=bash
# Shell steps shared by the scripts under tools/, demo/ and bench/ and by cmake/wine-run.sh;
# sourced. The arm64 chroot's steps are in tools/arm64-lib.sh, loaded only where ARM64 programs
# run. Sourcing sets here (the source tree), defines the functions and their two state
# variables (kept when sourced again), nothing else, so it is safe under `set -euo pipefail`. The
# functions check their own steps, so they also work where the caller's `set -e` is off (inside
# `if`, `||`).
#
# Layout: the build root holds one folder per build tree (native, win32, win64, fuzz, bench, ...);
# a Windows tree's test programs run in the throwaway Wine prefix TREE/wineprefix
# (cmake/testing.cmake); the dependency sources stay in the source tree's build/deps.

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${xvfb_pid:=}" "${arch32_reason:=}"

# Build root and trees

# Sets root from BUILD_ROOT (default: build; a relative one is taken from the source tree) and
# exports it, so that the scripts this one starts build in the same place.
use_build_root() {
  root=${BUILD_ROOT:-$here/build}
  case "$root" in /*) ;; *) root=$here/$root ;; esac
  export BUILD_ROOT=$root
}

# Configures the build tree NAME in the build root unless it already is, for Ninja (less work per
# step than make's recursion); win32 and win64 get their MinGW toolchain, arm64 the clang
# toolchain of tools/arm64-toolchain.sh (made first), further arguments go to cmake as they are.
configure_tree() { # name [cmake-args...]
  local name=$1 dir=$root/$1 extra=()
  case "$1" in
    win32) extra=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake") ;;
    win64) extra=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-x86_64.cmake") ;;
    arm64)
      bash "$here/tools/arm64-toolchain.sh" || return 1
      extra=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-aarch64.cmake" -DARM64_TOOLCHAIN="$root/arm64-toolchain")
      # A tree built by another toolchain (its inputs changed) starts again.
      if ! cmp -s "$root/arm64-toolchain/.key" "$dir/toolchain.key"; then rm -rf "$dir"; fi
      ;;
  esac
  shift
  [ -f "$dir/CMakeCache.txt" ] && return 0
  # ccache, where the machine has it, shares object files between trees of several checkouts.
  if command -v ccache >/dev/null; then
    extra+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$here" -B "$dir" -G Ninja -DDEPS_DIR="$here/build/deps" "${extra[@]}" "$@" >/dev/null || return 1
  if [ -f "$root/$name-toolchain/.key" ]; then cp "$root/$name-toolchain/.key" "$dir/toolchain.key"; fi
}

# X display

# Gives Wine's windows an X server: keeps DISPLAY when it is set; otherwise starts a private Xvfb
# and returns once it takes connections (Xvfb writes its display number to the pipe only then).
start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fifo number
  fifo=$(mktemp -u) || return 1
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  if ! read -r -t 30 number <"$fifo"; then
    rm -f "$fifo"
    echo "cannot start Xvfb" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=:$number
}

# Ends the Xvfb that start_display started, if any, and waits until it is gone: a server still
# going away removes its socket, which may already be the next server's.
stop_display() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    while kill -0 "$xvfb_pid" 2>/dev/null; do sleep 0.1; done
  fi
  xvfb_pid=
}

# 32-bit programs

# Whether this machine starts 32-bit x86 programs; on failure arch32_reason says why. Some
# machines of this kind run 32-bit code (the kernel's IA-32 emulation is on), others do not, and
# the only sure test is to start one: a tiny 32-bit Linux program (an exit system call, assembled
# and linked with binutils' own 32-bit support, no C library needed) built in the folder given.
can_run_32bit() { # work-folder
  local dir=$1 out
  mkdir -p "$dir"
  # shellcheck disable=SC2016  # assembler text
  printf '%s\n' '.globl _start' '_start:' '  movl $1, %eax' '  xorl %ebx, %ebx' '  int $0x80' >"$dir/probe32.s"
  if ! as --32 -o "$dir/probe32.o" "$dir/probe32.s" 2>/dev/null ||
    ! ld -m elf_i386 -o "$dir/probe32" "$dir/probe32.o" 2>/dev/null; then
    arch32_reason="the 32-bit probe program could not be built (binutils without 32-bit x86 support)"
    return 1
  fi
  if ! out=$("$dir/probe32" 2>&1); then
    arch32_reason="a 32-bit program cannot start on this machine (${out##*: }: the kernel's IA-32 emulation is off)"
    return 1
  fi
  if [ ! -x /usr/lib/wine/wine ]; then
    arch32_reason="32-bit Wine is not installed (tools/setup.sh installs wine32)"
    return 1
  fi
}

# Wine

# Exports what Wine needs to run a tree's programs in PREFIX: for win32 a 32-bit prefix and the
# 32-bit loader, for arm64 the arm64 chroot's loader and server through the host wrappers in
# tools/arm64-wine (tools/arm64-lib.sh), otherwise the 64-bit ones. Each loader is called
# directly: Debian's wine script prefers the 32-bit loader whenever it is installed, even where
# the kernel cannot run 32-bit code.
wine_env() { # win32|win64|arm64 prefix
  export WINEPREFIX=$2 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  case "$1" in
    win32) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine PATH=/usr/lib/wine:$PATH ;;
    arm64) export WINELOADER=$here/tools/arm64-wine/wine64 PATH=$here/tools/arm64-wine:$PATH ;;
    *) export WINELOADER=/usr/lib/wine/wine64 PATH=/usr/lib/wine:$PATH ;;
  esac
}

# Creates the prefix of wine_env on first use, with a virtual desktop so that hiding and closing
# windows does not wait for a window manager. The lock lets programs started side by side on a
# new prefix wait for one creation; .ready marks a finished one (a half-made prefix is redone).
prepare_wine_prefix() {
  local prefix=$WINEPREFIX
  mkdir -p "$(dirname "$prefix")" || return 1
  (
    flock 9 || exit 1
    [ -f "$prefix/.ready" ] && exit 0
    rm -rf "$prefix"
    "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
      "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 &&
      wineserver -w &&
      touch "$prefix/.ready"
  ) 9>"$prefix.lock"
}

# Starts the Wine server of wine_env's prefix to stay (until `wineserver -k`) and returns once it
# answers a program. Done before several programs start at once on one prefix: each would
# otherwise start a server of its own, and on a busy machine the losers give up connecting to the
# winner. Between programs Debian's server also ends at once (`-p0`), so every start would race.
serve_wine_prefix() {
  # A server left from an earlier run may be one that ends with its last program: replaced.
  wineserver -k 2>/dev/null || true
  wineserver -w || return 1
  # Detached from the caller's output: a server holding it would keep a pipe reading from the
  # caller open until the server ends.
  wineserver -p </dev/null >/dev/null 2>&1 || return 1
  # The server takes connections once `wineserver -p` has returned; one program run through it
  # also starts the prefix's own services, which every later program would otherwise start.
  local _
  for _ in 1 2 3; do
    if "$WINELOADER" reg query 'HKCU\Software\Wine\Explorer' </dev/null >/dev/null 2>&1; then return 0; fi
  done
  echo "wine-run.sh: the Wine server of $WINEPREFIX does not answer" >&2
  return 1
}

# Creates a tree's kind of Wine prefix if it is not there yet (needs a display: start_display).
make_wine_prefix() { # win32|win64|arm64 prefix
  (wine_env "$1" "$2" && prepare_wine_prefix)
}

# Creates the prefix if needed and starts its server to stay until stop_wine (needs a display).
start_wine_server() { # win32|win64|arm64 prefix
  (wine_env "$1" "$2" && prepare_wine_prefix && serve_wine_prefix)
}

# The same for the test prefix of the Windows build tree given.
start_tree_wine_server() { # win32|win64|arm64
  start_wine_server "$1" "$root/$1/wineprefix"
}

# Ends the Wine servers (and so every program) of the prefixes given, then the private Xvfb.
stop_wine() { # prefix...
  local prefix
  for prefix in "$@"; do
    if [ -d "$prefix" ]; then WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; fi
    # An arm64 prefix's server runs in the arm64 chroot (tools/arm64-lib.sh, where it is loaded).
    if declare -F stop_arm64_wine >/dev/null; then stop_arm64_wine "$prefix"; fi
  done
  stop_display
}

# The same for the test prefixes of the Windows build trees.
stop_tree_wine() {
  stop_wine "$root/win64/wineprefix" "$root/win32/wineprefix" "$root/arm64/wineprefix"
}
