#!/usr/bin/env bash
# Builds what a photographer downloads: tools/bundle.sh [win32|win64] [OUTDIR]
#   win32 (default): the shipped 32-bit deliverables; win64: the same bundle from the 64-bit
#   tree, for the tests that install it under 64-bit Wine.
#   OUTDIR (default: build/bundle) receives the folder Tavimor/ and Tavimor.zip.
# The tree is built first (BUILD_ROOT and JOBS as for tools/build.sh); BUNDLE_TREE names an
# already built tree to take the programs from instead (the test build does that).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-win32}
out=${2:-$here/build/bundle}
root=${BUILD_ROOT:-$here/build}
case "$root" in /*) ;; *) root=$here/$root ;; esac
case "$out" in /*) ;; *) out=$PWD/$out ;; esac
case "$tree" in win32 | win64) ;; *) echo "usage: $0 [win32|win64] [OUTDIR]" >&2; exit 2 ;; esac

if [ -n "${BUNDLE_TREE:-}" ]; then
  bin=$BUNDLE_TREE
else
  TARGETS="Install Tavimor" "$here/tools/build.sh" "$tree"
  bin=$root/$tree
fi
src=$here/build/deps/src
dest=$out/Tavimor
rm -rf "$dest" "$out/Tavimor.zip"
mkdir -p "$dest/Licences"

# The shipped programs carry no debug information.
case "$tree" in win32) strip=i686-w64-mingw32-strip ;; win64) strip=x86_64-w64-mingw32-strip ;; esac
for f in installer/ui/Install.exe plugin/Tavimor.8li; do
  "$strip" --strip-debug -o "$dest/$(basename "$f")" "$bin/$f"
done
# The installer reads its script in text mode, so Windows line ends are fine; the read-me gets
# them for Notepad.
cp "$here/bundle/Install.ini" "$dest/"
sed 's/$/\r/' "$here/bundle/ReadMe.txt" >"$dest/ReadMe.txt"

# Dictionaries: the plug-in looks for en_US.* in its library root.
cp /usr/share/hunspell/en_US.aff /usr/share/hunspell/en_US.dic "$dest/"
cp /usr/share/mythes/th_en_US_v2.idx "$dest/en_US.idx"
cp /usr/share/mythes/th_en_US_v2.dat "$dest/en_US.dat"

lic=$dest/Licences
cp /usr/share/doc/hunspell-en-us/copyright "$lic/en_US-dictionary.txt"
cp /usr/share/doc/mythes-en-us/copyright "$lic/en_US-thesaurus.txt"
for f in COPYING COPYING.LESSER COPYING.MPL license.hunspell license.myspell; do
  cp "$src/hunspell-1.7.1/$f" "$lic/hunspell-$f.txt"
done
cp "$src/mythes-1.2.5/COPYING" "$lic/mythes-COPYING.txt"
# The runtime libraries linked into both programs.
cp /usr/share/doc/mingw-w64-common/copyright "$lic/mingw-w64-runtime.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$lic/gcc-runtime.txt"

(cd "$out" && rm -f Tavimor.zip && zip -qr Tavimor.zip Tavimor)
echo "bundle: $dest"
echo "zip:    $out/Tavimor.zip"
