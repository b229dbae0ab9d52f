#!/usr/bin/env bash
# The main job: builds both shipped bundles (Tavimor for 32-bit Photoshop CS2, Tavimor-x64 for
# 64-bit Photoshop) and shows them working. Each walk installs a bundle into a throwaway Wine
# prefix with the real installer, whose buttons are pressed automatically; runs the installed
# plug-in in the stand-in host twice (a recorded step replayed without the dialog, then "Do It"
# with the editor filled, spell-checked and confirmed automatically); uninstalls it through the
# Start-menu shortcut, unattended (/S); and saves pictures of the windows on the way. The x64 bundle's walk always
# runs, in a 64-bit prefix where the registry names a Photoshop with its plug-ins folder; the
# 32-bit bundle's walk runs where this machine starts 32-bit programs. Needs no display: without
# DISPLAY it runs on a private Xvfb. Exits non-zero when a step fails.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/lib.sh"
use_build_root
# shellcheck source=demo/common.sh
. "$here/demo/common.sh"

bash "$here/tools/setup.sh"

check_32bit
work=$root/demo
prefix=$work/wineprefix
prefix32=$work/wineprefix32
pictures=$work/pictures
stop_wine "$prefix" "$prefix32"
rm -rf "$work"
mkdir -p "$pictures"
echo "== The x64 bundle, with the stand-in host and the demo program (64-bit) =="
use_arch win64
build_run_bundle "$root/bundle"
if [ "$can32" = yes ]; then
  echo "== The 32-bit bundle, with the stand-in host and the demo program (32-bit) =="
  use_arch win32
  build_run_bundle "$root/bundle"
else
  echo "== The 32-bit bundle (built; Wine cannot run it here) =="
  bash "$here/tools/bundle.sh" win32 "$root/bundle"
fi
trap 'stop_wine "$prefix" "$prefix32"' EXIT
start_display

# The 32-bit bundle's walk, where 32-bit programs start; its pictures go beside the others.
if [ "$can32" = yes ]; then
  use_arch win32
  bundle=$root/bundle/Tavimor
  plugin=$(installed_plugin "$bundle")
  document=$work/document-32bit.txt
  cp "$here/demo/sample-document.txt" "$document"
  mkdir -p "$pictures/32-bit"

  echo "== A fresh 32-bit Wine prefix: $prefix32 =="
  make_prefix "$prefix32"

  echo "== 32-bit: Install.exe from $bundle, its buttons pressed automatically =="
  run_demo "$prefix32" install "$bundle" "$pictures/32-bit"

  echo "== 32-bit: (a) the installed plug-in replays a recorded step onto $document, without the dialog =="
  run_demo "$prefix32" replay "$plugin" "$document"

  echo "== 32-bit: (b) \"Do It\" with the editor dialog: filled, spell-checked and confirmed automatically =="
  run_demo "$prefix32" edit "$plugin" "$document" "$pictures/32-bit"

  echo "== 32-bit: uninstall with the Start-menu shortcut's target and arguments, unattended (/S) =="
  run_demo "$prefix32" uninstall "$(product_name "$bundle")"
fi

# The x64 bundle's walk, in a prefix whose registry names a 64-bit Photoshop.
use_arch win64
bundle=$root/bundle/Tavimor-x64
plugin=$(installed_plugin "$bundle")
document=$work/document.txt
cp "$here/demo/sample-document.txt" "$document"

echo "== A fresh 64-bit Wine prefix: $prefix =="
make_prefix "$prefix"
register_photoshop "$prefix"
echo "  registered a Photoshop: $photoshop_key\\PluginPath = $photoshop_plugins"

echo "== x64: Install.exe from $bundle, its buttons pressed automatically; it offers that folder =="
run_demo "$prefix" install "$bundle" "$pictures"

echo "== x64: (a) the plug-in, run from $photoshop_plugins, replays a recorded step onto $document =="
run_demo "$prefix" replay "$plugin" "$document"

echo "== x64: (b) \"Do It\" with the editor dialog: filled, spell-checked and confirmed automatically =="
run_demo "$prefix" edit "$plugin" "$document" "$pictures"

echo "== x64: uninstall with the Start-menu shortcut's target and arguments, unattended (/S) =="
run_demo "$prefix" uninstall "$(product_name "$bundle")"
stop_wine "$prefix" "$prefix32"
trap - EXIT

for picture in "$pictures"/*.bmp "$pictures"/*/*.bmp; do
  [ -f "$picture" ] || continue
  convert "$picture" -strip "${picture%.bmp}.png"
  rm "$picture"
done

echo "== Done =="
for name in Tavimor Tavimor-x64; do
  echo "bundle:   $root/bundle/$name"
  echo "zip:      $root/bundle/$name.zip"
done
echo "pictures: $pictures/ (the x64 walk)"
for picture in "$pictures"/*.png; do echo "          $(basename "$picture")"; done
if [ "$can32" = yes ]; then
  echo "ran under Wine: both bundles (the 32-bit walk's pictures are in $pictures/32-bit/)"
else
  echo "ran under Wine: the x64 bundle (32-bit programs do not start here)"
fi
