# shellcheck shell=bash disable=SC2154  # here and root come from the script that sources this
# Shell steps shared by tools/demo.sh and tools/try.sh; sourced, with here (the source tree) and
# root (the build root) set.
#
# This machine runs 64-bit code only, so Wine runs the 64-bit twin of the shipped 32-bit
# bundle: the same sources, the same script and dictionaries, built by the 64-bit tree.

wine_run=$here/cmake/wine-run.sh

# Builds what the Wine runs need in the 64-bit tree (not its test programs) and puts the twin
# bundle into $1/Tavimor.
build_twin_bundle() {
  local tree=$root/win64
  # Configured first, also when the tree exists: a build of named targets by an older Makefile
  # would not know a target added since.
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$tree" -DDEPS_DIR="$here/build/deps" \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-x86_64.cmake" >/dev/null
  else
    cmake "$tree" >/dev/null
  fi
  cmake --build "$tree" -j "${JOBS:-$(nproc)}" --target Install Tavimor hoststub demo
  [ -f "$tree/demo/demo.exe" ] || { echo "not built: $tree/demo/demo.exe" >&2; return 1; }
  BUNDLE_TREE=$tree bash "$here/tools/bundle.sh" win64 "$1" >/dev/null
}

# The installed plug-in's path in the prefix: the bundle script's default folder.
installed_plugin() { # bundle-folder
  local folder
  folder=$(sed -n 's/^DefaultInstFolder=//p' "$1/Install.ini" | tr -d '\r')
  printf '%s\\Tavimor.8li\n' "$folder"
}

# Uses DISPLAY when set; otherwise starts a private Xvfb for this script, ended when it exits.
xvfb_pid=
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 20 number <"$fifo" || { rm -f "$fifo"; echo "cannot start Xvfb" >&2; return 1; }
  rm -f "$fifo"
  export DISPLAY=:$number
}

# Ends the prefix's Wine processes and the private Xvfb, if any.
stop_wine() { # prefix
  if [ -d "$1" ]; then WINEPREFIX=$1 /usr/lib/wine/wineserver -k 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; xvfb_pid=; fi
}

# Creates the Wine prefix (wine-run.sh does on first use) and gives it Wine's own TrueType
# fonts (package fonts-wine, which Wine recommends), which this Wine does not find by itself:
# without Marlett the caption buttons show letters. Without them the windows only look plainer.
make_prefix() { # prefix
  "$wine_run" "$1" cmd /c exit
  local font
  for font in /usr/share/wine/fonts/*.ttf; do
    if [ -f "$font" ]; then cp "$font" "$1/drive_c/windows/Fonts/"; fi
  done
}

# The demo program in the prefix.
run_demo() { # prefix args...
  local prefix=$1
  shift
  "$wine_run" "$prefix" "$root/win64/demo/demo.exe" "$@"
}
