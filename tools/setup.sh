#!/usr/bin/env bash
# Prepares a Debian 12 machine for building and testing both deliverables: tools/setup.sh [--demo]
#   --demo: only what the default demo needs (the three Windows builds, 64-bit Wine, Xvfb, the
#   dictionaries): no native test tools, no fuzzing compiler, no 32-bit Wine from the i386
#   architecture. Without it, everything the tests, the fuzzing and the benchmarks use.
# Safe to run again: every step checks first and does nothing when already done.
set -euo pipefail
demo=no
case "${1:-}" in
  --demo) demo=yes ;;
  '') ;;
  *) echo "usage: $0 [--demo]" >&2; exit 2 ;;
esac

export DEBIAN_FRONTEND=noninteractive
here=$(cd "$(dirname "$0")/.." && pwd)
deps=${DEPS_DIR:-$here/build/deps}

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "setup: run as root (apt-get)" >&2; exit 1; fi; }

# What the demo needs: the Windows compilers (clang/lld 16 for the ARM64 build's toolchain), the
# GoogleTest sources a Windows tree is configured with, Wine, Xvfb, the picture conversion, the
# US English dictionary and thesaurus, the source packages' tools and the Unicode Character
# Database (every tree makes its case tables from it).
packages=(
  cmake make googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 mingw-w64-tools
  clang-16 lld-16 llvm-16 ninja-build
  wine wine64 xvfb xauth imagemagick zip unzip
  hunspell-en-us mythes-en-us dpkg-dev unicode-data
)
# The rest: the native tests (GoogleTest built, the system's Hunspell and MyThes, zlib to check the
# zip reader against), fuzzing (clang 14 and its libFuzzer), the installer benchmark's NSIS, the
# double-byte tests' locale, and 32-bit Wine, which comes from the i386 architecture. It is
# installed everywhere; only machines whose kernel runs 32-bit code can start it (tools/test.sh
# finds out).
if [ "$demo" = no ]; then
  packages+=(g++ pkg-config libgtest-dev clang libclang-rt-14-dev x11-apps
    libhunspell-dev libmythes-dev hunspell nsis locales zlib1g-dev wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

srcs_ok() { grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; }
i386_ok() { [ "$demo" = yes ] || dpkg --print-foreign-architectures | grep -qx i386; }

if [ ${#missing[@]} -gt 0 ] || ! srcs_ok || ! i386_ok; then
  need_root
  if ! i386_ok; then dpkg --add-architecture i386; fi
  if ! srcs_ok; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    else
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/deb-src.list
    fi
  fi
  apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then apt-get install -y -qq "${missing[@]}" >/dev/null; fi
fi

# Wine names files through the Unix locale: the double-byte tests of the 32-bit build run under a
# Japanese one, so that names in code page 932 reach the disk.
if [ "$demo" = no ] && ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  need_root
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# MinGW thread model: the posix variant is needed for std::mutex in GoogleTest.
for cxx in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix; do
  command -v "$cxx" >/dev/null || { echo "setup: $cxx missing" >&2; exit 1; }
done

# Hunspell and MyThes sources from Debian; the Windows builds compile them as static libraries.
mkdir -p "$deps/src"
fetch_source() { # package upstream-version
  local pkg=$1 ver=$2
  if [ ! -d "$deps/src/$pkg-$ver" ]; then
    (
      cd "$deps/src"
      apt-get source --download-only -qq "$pkg" 2>/dev/null
      local dsc
      dsc=$(ls "${pkg}_${ver}"-*.dsc 2>/dev/null | head -1)
      [ -n "$dsc" ] || { echo "setup: no $pkg $ver source package" >&2; exit 1; }
      dpkg-source -x "$dsc" "$pkg-$ver" >/dev/null 2>&1
    )
  fi
}
fetch_source hunspell 1.7.1
fetch_source mythes 1.2.5

# The other languages' dictionaries and thesauri that the 64-bit bundles ship, unpacked from
# Debian's packages under the build root rather than installed (installing mythes-pl would bring
# LibreOffice along): DEPS/dictionaries/usr/share/{hunspell,mythes,doc}.
dictionary_packages=(hunspell-de-de hunspell-fr-classical hunspell-es hunspell-it hunspell-pt-br
  hunspell-pl hunspell-ru mythes-de mythes-fr mythes-es mythes-it mythes-pt-br mythes-pl mythes-ru)
dictionaries=$deps/dictionaries
if [ "$(cat "$dictionaries/.packages" 2>/dev/null)" != "${dictionary_packages[*]}" ]; then
  rm -rf "$dictionaries"
  mkdir -p "$dictionaries/debs"
  (cd "$dictionaries/debs" && apt-get download -qq "${dictionary_packages[@]}" >/dev/null 2>&1) ||
    { echo "setup: cannot download the dictionary packages" >&2; exit 1; }
  for deb in "$dictionaries"/debs/*.deb; do dpkg-deb -x "$deb" "$dictionaries"; done
  rm -rf "$dictionaries/debs"
  echo "${dictionary_packages[*]}" >"$dictionaries/.packages"
fi
echo "setup: ready"
