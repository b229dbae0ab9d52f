# shellcheck shell=bash disable=SC2154  # here, root and arch32_reason come from tools/lib.sh
# Shell steps shared by tools/demo.sh and tools/try.sh; sourced after tools/lib.sh, with the build
# root set (use_build_root).
#
# There are three bundles: Tavimor, the 32-bit one for Photoshop CS2, which Wine can run only where
# this machine starts 32-bit programs (in a 32-bit prefix); Tavimor-x64 for 64-bit Photoshop,
# which 64-bit Wine runs everywhere; and Tavimor-arm64 for Photoshop on Windows on ARM, which arm64
# Wine runs in an arm64 chroot where qemu-user can run it.

# Sets arch (win32, win64 or arm64: the tree whose programs Wine runs) and wine_run (the command
# that runs one of them in a prefix of that kind).
use_arch() { # win32|win64|arm64
  arch=$1
  case "$arch" in
    win32) wine_run=("$here/cmake/wine-run.sh" --win32) ;;
    arm64) wine_run=("$here/cmake/wine-run.sh" --arm64) ;;
    *) wine_run=("$here/cmake/wine-run.sh") ;;
  esac
}

# Sets can32 (yes or no): whether Wine can run the 32-bit bundle here; says why not.
check_32bit() {
  if can_run_32bit "$root/probe32"; then
    can32=yes
    echo "32-bit programs start on this machine: Wine can run the 32-bit bundle too"
  else
    can32=no
    echo "Wine runs only the x64 bundle here: $arch32_reason"
  fi
}

# Chooses the bundle that Wine runs for a person: the 32-bit one where 32-bit programs start,
# else the x64 one; sets arch and wine_run for it.
choose_build() {
  check_32bit
  if [ "$can32" = yes ]; then use_arch win32; else use_arch win64; fi
}

# The bundle folder's name for the tree in arch.
bundle_name() {
  case "$arch" in win32) echo Tavimor ;; arm64) echo Tavimor-arm64 ;; *) echo Tavimor-x64 ;; esac
}

# tools/bundle.sh's kind of the shipped bundle made from a tree.
bundle_kind() { # tree
  case "$1" in win32) echo win32 ;; arm64) echo arm64 ;; *) echo x64 ;; esac
}

# Builds what the Wine runs need in the tree in arch (not its test programs) and puts the bundle
# made from that tree into $1 (the folder $1/$(bundle_name) and its zip).
build_run_bundle() { # output-folder
  local tree=$root/$arch kind
  kind=$(bundle_kind "$arch")
  # Configured first, also when the tree exists: a build of named targets by an older Makefile
  # would not know a target added since.
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    configure_tree "$arch"
  else
    cmake "$tree" >/dev/null
  fi
  cmake --build "$tree" -j "${JOBS:-$(nproc)}" --target Install Tavimor hoststub demo
  [ -f "$tree/demo/demo.exe" ] || { echo "not built: $tree/demo/demo.exe" >&2; return 1; }
  BUNDLE_TREE=$tree bash "$here/tools/bundle.sh" "$kind" "$1" >/dev/null
}

# The Photoshop that the x64 and ARM64 runs register in their prefix before installing, as Photoshop's own
# installer would: its version key and plug-ins folder.
photoshop_key='HKLM\SOFTWARE\Adobe\Photoshop\180.0'
photoshop_folder='C:\Program Files\Adobe\Adobe Photoshop 2024'
photoshop_plugins="$photoshop_folder\\Plug-ins"

register_photoshop() { # prefix
  local relative=${photoshop_plugins#C:\\}
  mkdir -p "$1/drive_c/${relative//\\//}"
  "${wine_run[@]}" "$1" reg add "$photoshop_key" /v ApplicationPath /d "$photoshop_folder" /f >/dev/null
  "${wine_run[@]}" "$1" reg add "$photoshop_key\\PluginPath" /ve /d "$photoshop_plugins" /f >/dev/null
}

# The installed plug-in's path in the prefix: the bundle script's default folder (for the x64
# script, the registered Photoshop's plug-ins folder).
installed_plugin() { # bundle-folder
  local folder
  folder=$(sed -n 's/^DefaultInstFolder=//p' "$1/Install.ini" | tr -d '\r')
  if [ "$folder" = '^PhotoshopPlugins^' ]; then folder=$photoshop_plugins; fi
  printf '%s\\Tavimor.8li\n' "$folder"
}

# The product name in the bundle's script.
product_name() { # bundle-folder
  sed -n 's/^Name=//p' "$1/Install.ini" | tr -d '\r'
}

# Creates the Wine prefix of the kind in arch and gives it Wine's own TrueType fonts (package
# fonts-wine, which Wine recommends), which this Wine does not find by itself: without Marlett the
# caption buttons show letters. Without them the windows only look plainer.
make_prefix() { # prefix
  make_wine_prefix "$arch" "$1"
  local font
  for font in /usr/share/wine/fonts/*.ttf; do
    if [ -f "$font" ]; then cp "$font" "$1/drive_c/windows/Fonts/"; fi
  done
  # The demo program starts others (the installer, the stand-in host) on this prefix.
  start_wine_server "$arch" "$1"
}

# The demo program in the prefix.
run_demo() { # prefix args...
  local prefix=$1
  shift
  "${wine_run[@]}" "$prefix" "$root/$arch/demo/demo.exe" "$@"
}
