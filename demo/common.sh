# shellcheck shell=bash disable=SC2154  # here and root come from the script that sources this
# Shell steps shared by tools/demo.sh and tools/try.sh; sourced, with here (the source tree) and
# root (the build root) set.
#
# Where this machine starts 32-bit programs, Wine runs the shipped 32-bit bundle itself, in a
# 32-bit prefix. Elsewhere it runs the bundle's 64-bit twin: the same sources, the same script and
# dictionaries, built by the 64-bit tree.

. "$here/tools/arch32.sh"
. "$here/tools/display.sh"

# Sets arch (win32 or win64: the tree whose programs Wine runs) and wine_run (the command that
# runs one of them in a prefix), and says which.
choose_build() {
  if can_run_32bit "$root/probe32"; then
    arch=win32
    wine_run=("$here/cmake/wine-run.sh" --win32)
    echo "32-bit programs start on this machine: Wine runs the shipped 32-bit bundle"
  else
    arch=win64
    wine_run=("$here/cmake/wine-run.sh")
    echo "Wine runs the bundle's 64-bit twin (the same sources, script and dictionaries, built for 64-bit):"
    echo "$arch32_reason"
  fi
}

# Builds what the Wine runs need in the chosen tree (not its test programs) and puts the bundle
# made from that tree into $1/Tavimor.
build_run_bundle() { # output-folder
  local tree=$root/$arch toolchain=$here/cmake/mingw-x86_64.cmake
  [ "$arch" = win32 ] && toolchain=$here/cmake/mingw-i686.cmake
  # Configured first, also when the tree exists: a build of named targets by an older Makefile
  # would not know a target added since.
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$tree" -DDEPS_DIR="$here/build/deps" -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
  else
    cmake "$tree" >/dev/null
  fi
  cmake --build "$tree" -j "${JOBS:-$(nproc)}" --target Install Tavimor hoststub demo
  [ -f "$tree/demo/demo.exe" ] || { echo "not built: $tree/demo/demo.exe" >&2; return 1; }
  BUNDLE_TREE=$tree bash "$here/tools/bundle.sh" "$arch" "$1" >/dev/null
}

# The installed plug-in's path in the prefix: the bundle script's default folder.
installed_plugin() { # bundle-folder
  local folder
  folder=$(sed -n 's/^DefaultInstFolder=//p' "$1/Install.ini" | tr -d '\r')
  printf '%s\\Tavimor.8li\n' "$folder"
}

# Ends the prefix's Wine processes and the private Xvfb, if any.
stop_wine() { # prefix
  if [ -d "$1" ]; then WINEPREFIX=$1 /usr/lib/wine/wineserver -k 2>/dev/null || true; fi
  stop_display
}

# Creates the Wine prefix (wine-run.sh does on first use) and gives it Wine's own TrueType
# fonts (package fonts-wine, which Wine recommends), which this Wine does not find by itself:
# without Marlett the caption buttons show letters. Without them the windows only look plainer.
make_prefix() { # prefix
  "${wine_run[@]}" "$1" cmd /c exit
  local font
  for font in /usr/share/wine/fonts/*.ttf; do
    if [ -f "$font" ]; then cp "$font" "$1/drive_c/windows/Fonts/"; fi
  done
}

# The demo program in the prefix.
run_demo() { # prefix args...
  local prefix=$1
  shift
  "${wine_run[@]}" "$prefix" "$root/$arch/demo/demo.exe" "$@"
}
