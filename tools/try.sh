#!/usr/bin/env bash
# Opens the editor dialog for a person: tools/try.sh [DOCUMENT]
# The installed plug-in runs in the stand-in host under Wine on the document file given (default:
# a sample kept in build/try/document.txt), which is saved after OK. The first run installs the
# bundle into a Wine prefix of its own (build/try/wineprefix), pressing the installer's buttons
# automatically, so the editor finds the installed keyword library and dictionaries; later runs
# keep that installation and whatever was saved in the library (rm -rf build/try to start over).
# Where this machine starts 32-bit programs it is the 32-bit bundle, in a 32-bit prefix; elsewhere
# the x64 bundle, in a 64-bit prefix whose registry names a Photoshop to install it for (rm -rf
# build/try after the machine changes).
# Needs a display (DISPLAY); without one it runs on a private Xvfb where nobody can see it.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/lib.sh"
use_build_root
# shellcheck source=demo/common.sh
. "$here/demo/common.sh"

work=$root/try
prefix=$work/wineprefix
mkdir -p "$work"
choose_build
build_run_bundle "$work" >/dev/null
bundle=$work/$(bundle_name)
plugin=$(installed_plugin "$bundle")
# The same file seen from Linux: C:\ is the prefix's drive_c.
relative=${plugin#C:\\}
plugin_file=$prefix/drive_c/${relative//\\//}

document=${1:-$work/document.txt}
if [ ! -f "$document" ]; then
  printf '%s\n' 'Title=Harbour at dawn' 'Photographer=A. Person' 'Description=Boats and gulls' \
    'Copyright=(c) 2005 A. Person' 'URL=http://example.com' 'Keyword=harbour' 'Keyword=boats' >"$document"
fi

trap 'stop_wine "$prefix"' EXIT
start_display
if [ ! -f "$plugin_file" ]; then
  echo "== Installing the bundle into $prefix =="
  rm -rf "$prefix"
  make_prefix "$prefix"
  if [ "$arch" = win64 ]; then register_photoshop "$prefix"; fi
  run_demo "$prefix" install "$bundle"
fi
echo "== The editor on $document (plug-in: $plugin) =="
"${wine_run[@]}" "$prefix" "$root/$arch/hoststub/hoststub.exe" --plugin "$plugin" "$(realpath "$document")"
echo "== $document =="
cat "$document"
