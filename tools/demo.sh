#!/usr/bin/env bash
# The main job: builds the three shipped bundles (Tavimor for 32-bit Photoshop CS2, Tavimor-x64 for
# 64-bit Photoshop, Tavimor-arm64 for Photoshop on Windows on ARM) and shows them working:
# tools/demo.sh [--all]
# A walk installs a bundle into a throwaway Wine prefix with the real installer, whose buttons are
# pressed automatically; runs the installed plug-in in the stand-in host of the bundle's
# architecture twice (a recorded step replayed without the dialog, then "Do It" with the editor
# filled, spell-checked and confirmed automatically); uninstalls it through the Start-menu
# shortcut, unattended (/S); and saves pictures of the windows on the way. By default only the x64
# bundle is walked, in a 64-bit prefix where the registry names a Photoshop with its plug-ins
# folder, while the ARM64 and 32-bit bundles are built beside it. --all walks
# every bundle this machine can run: the 32-bit one where it starts 32-bit programs, the ARM64 one
# (as the x64 one, under arm64 Wine through qemu-user, in an arm64 system made on first use) where
# ARM64 programs can run. Needs no display: without DISPLAY it runs on a
# private Xvfb. Exits non-zero when a step fails.
set -euo pipefail
all=no
case "${1:-}" in
  --all) all=yes ;;
  '') ;;
  *) echo "usage: $0 [--all]" >&2; exit 2 ;;
esac
if [ "$all" = yes ]; then
  # shellcheck source=tools/arm64-lib.sh
  . "$(dirname "$0")/arm64-lib.sh"  # loads tools/lib.sh too
else
  # shellcheck source=tools/lib.sh
  . "$(dirname "$0")/lib.sh"
fi
use_build_root
# shellcheck source=demo/common.sh
. "$here/demo/common.sh"

if [ "$all" = yes ]; then
  bash "$here/tools/setup.sh"
  check_32bit
  if can_run_arm64 "$root/arm64-probe"; then
    canarm64=yes
    echo "ARM64 programs run here (arm64 Wine through qemu-user): Wine can run the ARM64 bundle too"
  else
    canarm64=no
    echo "Wine cannot run the ARM64 bundle here: $arm64_reason"
  fi
else
  bash "$here/tools/setup.sh" --demo
  can32=no canarm64=no
fi
work=$root/demo
prefix=$work/wineprefix
prefix32=$work/wineprefix32
prefix_arm64=$work/wineprefix-arm64
pictures=$work/pictures
stop_wine "$prefix" "$prefix32" "$prefix_arm64"
rm -rf "$work"
mkdir -p "$pictures"

# Builds the bundle of a tree, with the programs the walk needs where Wine can run that tree.
bundle_for() { # tree yes|no label
  if [ "$2" = yes ]; then
    echo "== The $3 bundle, with the stand-in host and the demo program ($3) =="
    use_arch "$1"
    build_run_bundle "$root/bundle"
  else
    echo "== The $3 bundle (built; not walked here) =="
    bash "$here/tools/bundle.sh" "$(bundle_kind "$1")" "$root/bundle"
  fi
}
# By default the bundles that are not walked are built beside the x64 bundle and its walk. The
# ARM64 one, whose toolchain is made first, is the longest and starts at once with the x64 path's
# priority; the 32-bit one, at a lower priority, takes what those two leave of the processors.
# Their output goes to logs, shown when they fail.
others=()
build_beside() { # tree label log niceness
  (
    renice -n "$4" -p "$BASHPID" >/dev/null 2>&1 || true
    bundle_for "$1" no "$2"
  ) </dev/null >"$3" 2>&1 &
  others+=("$!:$3")
}
# Waits for those builds; the first failure's log is shown.
wait_beside() {
  local other failed=0
  for other in "${others[@]}"; do
    if ! wait "${other%%:*}" && [ "$failed" = 0 ]; then
      failed=1
      tail -n 40 "${other#*:}"
      echo "demo: a bundle failed to build (log ${other#*:})" >&2
    fi
  done
  others=()
  return "$failed"
}
if [ "$all" = no ]; then
  echo "== The ARM64 and 32-bit bundles: built beside the x64 bundle and walk (logs $work/bundle-*.log) =="
  build_beside arm64 ARM64 "$work/bundle-arm64.log" 0
  build_beside win32 32-bit "$work/bundle-32bit.log" 10
fi
# A failing step still waits for those builds, so that none goes on after the script.
trap 'wait_beside || true' EXIT
bundle_for win64 yes x64
if [ "$all" = yes ]; then
  bundle_for win32 "$can32" 32-bit
  bundle_for arm64 "$canarm64" ARM64
fi
# A failing walk still waits for those builds, so that none goes on after the script.
trap 'stop_wine "$prefix" "$prefix32" "$prefix_arm64"; wait_beside || true' EXIT
start_display

# One bundle's walk in a fresh prefix of its tree's kind: install, replay, "Do It", uninstall.
walk() { # tree label prefix document pictures
  local tree=$1 label=$2 prefix=$3 document=$4 pictures=$5 bundle plugin
  use_arch "$tree"
  bundle=$root/bundle/$(bundle_name)
  cp "$here/demo/sample-document.txt" "$document"
  mkdir -p "$pictures"

  echo "== A fresh $label Wine prefix: $prefix =="
  make_prefix "$prefix"
  if [ "$tree" != win32 ]; then
    register_photoshop "$prefix"
    echo "  registered a Photoshop: $photoshop_key\\PluginPath = $photoshop_plugins"
  fi
  plugin=$(installed_plugin "$bundle")

  echo "== $label: Install.exe from $bundle, its buttons pressed automatically =="
  run_demo "$prefix" install "$bundle" "$pictures"

  echo "== $label: (a) the $label stand-in host loads the installed plug-in from $plugin and replays a recorded step onto $document =="
  run_demo "$prefix" replay "$plugin" "$document"

  echo "== $label: (b) \"Do It\" with the editor dialog: filled, spell-checked and confirmed automatically =="
  run_demo "$prefix" edit "$plugin" "$document" "$pictures"

  if [ "$tree" != win32 ]; then
    echo "== $label: (c) a catalog's keyword list imported through the tools menu, a group of it used, the library exported again =="
    run_demo "$prefix" keywords "$plugin" "$document" "$here/demo/keyword-list.txt" \
      "${document%.txt}-keyword-list.txt" "$pictures"
  fi

  echo "== $label: uninstall with the Start-menu shortcut's target and arguments, unattended (/S) =="
  run_demo "$prefix" uninstall "$(product_name "$bundle")"
}

ran=()
if [ "$can32" = yes ]; then
  walk win32 32-bit "$prefix32" "$work/document-32bit.txt" "$pictures/32-bit"
  ran+=(Tavimor)
fi
if [ "$canarm64" = yes ]; then
  walk arm64 ARM64 "$prefix_arm64" "$work/document-arm64.txt" "$pictures/arm64"
  ran+=(Tavimor-arm64)
fi
# The x64 walk last: its pictures are the ones the README shows.
walk win64 x64 "$prefix" "$work/document.txt" "$pictures"
ran+=(Tavimor-x64)
stop_wine "$prefix" "$prefix32" "$prefix_arm64"
trap - EXIT
if [ ${#others[@]} -gt 0 ]; then
  echo "== Waiting for the ARM64 and 32-bit bundles =="
  wait_beside || exit 1
fi

for picture in "$pictures"/*.bmp "$pictures"/*/*.bmp; do
  [ -f "$picture" ] || continue
  convert "$picture" -strip "${picture%.bmp}.png"
  rm "$picture"
done

echo "== Done =="
for name in Tavimor Tavimor-x64 Tavimor-arm64; do
  echo "bundle:   $root/bundle/$name"
  echo "zip:      $root/bundle/$name.zip"
done
echo "pictures: $pictures/ (the x64 walk; the others' in its subfolders)"
for picture in "$pictures"/*.png; do echo "          $(basename "$picture")"; done
echo "ran under Wine: ${ran[*]}"
if [ "$all" = yes ]; then
  [ "$can32" = yes ] || echo "not run: Tavimor (32-bit programs do not start here: $arch32_reason)"
  [ "$canarm64" = yes ] || echo "not run: Tavimor-arm64 ($arm64_reason)"
else
  echo "built, not run: Tavimor, Tavimor-arm64 (tools/demo.sh --all walks them where this machine can)"
fi
