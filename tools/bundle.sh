#!/usr/bin/env bash
# Builds what a photographer downloads: tools/bundle.sh [all|win32|x64|arm64|win64] [OUTDIR]
#   all (default): the three shipped bundles below.
#   win32: the shipped 32-bit deliverables for Photoshop CS2, in OUTDIR/Tavimor/ and Tavimor.zip.
#   x64: the shipped deliverables for 64-bit Photoshop, from the 64-bit tree, with a script of
#   their own, in OUTDIR/Tavimor-x64/ and Tavimor-x64.zip.
#   arm64: the shipped deliverables for Photoshop on Windows on ARM, from the arm64 tree, with the
#   x64 script under a name of their own, in OUTDIR/Tavimor-arm64/ and Tavimor-arm64.zip.
#   win64: the 32-bit bundle's script with a 64-bit tree's programs, in OUTDIR/Tavimor/, for
#   the tests that run that script under 64-bit Wine.
#   OUTDIR defaults to build/bundle.
# The tree is built first (BUILD_ROOT and JOBS as for tools/build.sh); BUNDLE_TREE names an
# already built tree to take the programs from instead (the test build does that) and BUNDLE_STRIP
# that tree's strip program.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/lib.sh"
use_build_root
kind=${1:-all}
out=${2:-$here/build/bundle}
case "$out" in /*) ;; *) out=$PWD/$out ;; esac
case "$kind" in
  all)
    # Each from its own tree.
    BUNDLE_TREE='' bash "$0" win32 "$out"
    BUNDLE_TREE='' bash "$0" x64 "$out"
    BUNDLE_TREE='' bash "$0" arm64 "$out"
    exit
    ;;
  win32) tree=win32 name=Tavimor script=Install.ini readme=ReadMe.txt ;;
  win64) tree=win64 name=Tavimor script=Install.ini readme=ReadMe.txt ;;
  x64) tree=win64 name=Tavimor-x64 script=Install-x64.ini readme=ReadMe-x64.txt ;;
  arm64) tree=arm64 name=Tavimor-arm64 script=Install-arm64.ini readme=ReadMe-arm64.txt ;;
  *) echo "usage: $0 [all|win32|x64|arm64|win64] [OUTDIR]" >&2; exit 2 ;;
esac

if [ -n "${BUNDLE_TREE:-}" ]; then
  bin=$BUNDLE_TREE
else
  TARGETS="Install Tavimor" "$here/tools/build.sh" "$tree"
  bin=$root/$tree
fi
src=$here/build/deps/src
dest=$out/$name
rm -rf "$dest" "$out/$name.zip"
mkdir -p "$dest/Licences"

# The shipped programs carry no debug information.
case "$tree" in
  win32) strip=i686-w64-mingw32-strip ;;
  win64) strip=x86_64-w64-mingw32-strip ;;
  arm64) strip=$root/arm64-toolchain/bin/aarch64-w64-mingw32-strip ;;
esac
strip=${BUNDLE_STRIP:-$strip}
for f in installer/ui/Install.exe plugin/Tavimor.8li; do
  "$strip" --strip-debug -o "$dest/$(basename "$f")" "$bin/$f"
done
# The installer reads its script in text mode, so Windows line ends are fine; the read-me gets
# them for Notepad.
cp "$here/bundle/$script" "$dest/Install.ini"
sed 's/$/\r/' "$here/bundle/$readme" >"$dest/ReadMe.txt"

# Dictionaries: the install script puts en_US.* where the plug-in looks for them.
cp /usr/share/hunspell/en_US.aff /usr/share/hunspell/en_US.dic "$dest/"
cp /usr/share/mythes/th_en_US_v2.idx "$dest/en_US.idx"
cp /usr/share/mythes/th_en_US_v2.dat "$dest/en_US.dat"

lic=$dest/Licences
cp /usr/share/doc/hunspell-en-us/copyright "$lic/en_US-dictionary.txt"
cp /usr/share/doc/mythes-en-us/copyright "$lic/en_US-thesaurus.txt"

# The 64-bit products also carry Debian's dictionaries and thesauri of these languages, named as
# en_US's are, each with its package's licence (tools/setup.sh unpacks the packages).
if [ "$kind" = x64 ] || [ "$kind" = arm64 ]; then
  share=$here/build/deps/dictionaries/usr/share
  # tag:dictionary package:thesaurus package:thesaurus file name
  for language in de_DE:hunspell-de-de:mythes-de:th_de_DE_v2 fr_FR:hunspell-fr-classical:mythes-fr:th_fr_FR_v2 \
    es_ES:hunspell-es:mythes-es:th_es_ES_v2 it_IT:hunspell-it:mythes-it:th_it_IT_v2 \
    pt_BR:hunspell-pt-br:mythes-pt-br:th_pt_BR pl_PL:hunspell-pl:mythes-pl:th_pl_PL_v2 \
    ru_RU:hunspell-ru:mythes-ru:th_ru_RU_v2; do
    IFS=: read -r tag dictionary thesaurus thesaurus_file <<<"$language"
    for extension in aff dic; do cp -L "$share/hunspell/$tag.$extension" "$dest/$tag.$extension"; done
    for extension in idx dat; do cp -L "$share/mythes/$thesaurus_file.$extension" "$dest/$tag.$extension"; done
    cp "$share/doc/$dictionary/copyright" "$lic/$tag-dictionary.txt"
    cp "$share/doc/$thesaurus/copyright" "$lic/$tag-thesaurus.txt"
  done
fi
for f in COPYING COPYING.LESSER COPYING.MPL license.hunspell license.myspell; do
  cp "$src/hunspell-1.7.1/$f" "$lic/hunspell-$f.txt"
done
cp "$src/mythes-1.2.5/COPYING" "$lic/mythes-COPYING.txt"
# The runtime libraries linked into both programs: MinGW-w64's, and GCC's or (ARM64) LLVM's.
cp /usr/share/doc/mingw-w64-common/copyright "$lic/mingw-w64-runtime.txt"
if [ "$tree" = arm64 ]; then
  cp /usr/share/doc/llvm-16/copyright "$lic/llvm-runtime.txt"
else
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$lic/gcc-runtime.txt"
fi

(cd "$out" && zip -qr "$name.zip" "$name")
echo "bundle: $dest"
echo "zip:    $out/$name.zip"
