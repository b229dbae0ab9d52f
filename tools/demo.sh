#!/usr/bin/env bash
# The main job: builds the shipped bundle and shows the system working. It installs the bundle
# into a throwaway Wine prefix with the real installer, whose buttons are pressed automatically;
# runs the installed plug-in in the stand-in host twice (a recorded step replayed without the
# dialog, then "Do It" with the editor filled, spell-checked and confirmed automatically);
# uninstalls it through the Start-menu shortcut; and saves pictures of the windows on the way.
# Needs no display: without DISPLAY it runs on a private Xvfb. Exits non-zero when a step fails.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
root=${BUILD_ROOT:-$here/build}
case "$root" in /*) ;; *) root=$here/$root ;; esac
. "$here/demo/common.sh"

bash "$here/tools/setup.sh"

echo "== The shipped bundle (32-bit) =="
bash "$here/tools/bundle.sh" win32 "$root/bundle"

echo "== Its 64-bit twin: this machine runs 64-bit code only, so Wine runs the same bundle built for 64-bit =="
work=$root/demo
prefix=$work/wineprefix
pictures=$work/pictures
stop_wine "$prefix"
rm -rf "$work"
mkdir -p "$pictures"
build_twin_bundle "$work"
bundle=$work/Tavimor
plugin=$(installed_plugin "$bundle")
document=$work/document.txt
cp "$here/demo/sample-document.txt" "$document"

trap 'stop_wine "$prefix"' EXIT
ensure_display
echo "== A fresh Wine prefix: $prefix =="
make_prefix "$prefix"

echo "== Install: Install.exe from the bundle, its buttons pressed automatically =="
run_demo "$prefix" install "$bundle" "$pictures"

echo "== (a) The installed plug-in replays a recorded step onto $document, without the dialog =="
run_demo "$prefix" replay "$plugin" "$document"

echo "== (b) \"Do It\" with the editor dialog: filled, spell-checked and confirmed automatically =="
run_demo "$prefix" edit "$plugin" "$document" "$pictures"

echo "== Uninstall: the Start-menu shortcut's target and arguments =="
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
echo "(the 64-bit twin that ran under Wine: $bundle)"
