#!/usr/bin/env bash
# The main job: builds the shipped bundle and shows the system working. It installs the bundle
# into a throwaway Wine prefix with the real installer, whose buttons are pressed automatically;
# runs the installed plug-in in the stand-in host twice (a recorded step replayed without the
# dialog, then "Do It" with the editor filled, spell-checked and confirmed automatically);
# uninstalls it unattended through the Start-menu shortcut; and saves pictures of the windows on the way.
# Where this machine starts 32-bit programs, Wine runs the shipped 32-bit bundle itself; elsewhere
# its 64-bit twin, built from the same sources. Needs no display: without DISPLAY it runs on a
# private Xvfb. Exits non-zero when a step fails.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
root=${BUILD_ROOT:-$here/build}
case "$root" in /*) ;; *) root=$here/$root ;; esac
. "$here/demo/common.sh"

bash "$here/tools/setup.sh"

choose_build
work=$root/demo
prefix=$work/wineprefix
pictures=$work/pictures
stop_wine "$prefix"
rm -rf "$work"
mkdir -p "$pictures"
if [ "$arch" = win32 ]; then
  echo "== The shipped bundle (32-bit), with the stand-in host and the demo program =="
  build_run_bundle "$root/bundle"
  bundle=$root/bundle/Tavimor
else
  echo "== The shipped bundle (32-bit) =="
  bash "$here/tools/bundle.sh" win32 "$root/bundle"
  echo "== Its 64-bit twin, which Wine runs here =="
  build_run_bundle "$work"
  bundle=$work/Tavimor
fi
plugin=$(installed_plugin "$bundle")
document=$work/document.txt
cp "$here/demo/sample-document.txt" "$document"

trap 'stop_wine "$prefix"' EXIT
start_display
echo "== A fresh $([ "$arch" = win32 ] && echo 32-bit || echo 64-bit) Wine prefix: $prefix =="
make_prefix "$prefix"

echo "== Install: Install.exe from the bundle, its buttons pressed automatically =="
run_demo "$prefix" install "$bundle" "$pictures"

echo "== (a) The installed plug-in replays a recorded step onto $document, without the dialog =="
run_demo "$prefix" replay "$plugin" "$document"

echo "== (b) \"Do It\" with the editor dialog: filled, spell-checked and confirmed automatically =="
run_demo "$prefix" edit "$plugin" "$document" "$pictures"

echo "== Uninstall: the Start-menu shortcut's target and arguments, unattended (/S) =="
run_demo "$prefix" uninstall
stop_wine "$prefix"
trap - EXIT

for picture in "$pictures"/*.bmp; do
  convert "$picture" -strip "${picture%.bmp}.png"
  rm "$picture"
done

echo "== Done =="
echo "bundle:   $root/bundle/Tavimor"
echo "zip:      $root/bundle/Tavimor.zip"
echo "pictures: $pictures/"
for picture in "$pictures"/*.png; do echo "          $(basename "$picture")"; done
echo "ran under Wine: $bundle ($([ "$arch" = win32 ] && echo "the shipped 32-bit bundle" || echo "its 64-bit twin"))"
