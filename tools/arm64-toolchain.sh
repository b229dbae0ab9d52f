#!/usr/bin/env bash
# Makes the C++ toolchain of the arm64 tree (Windows on ARM64, aarch64-w64-mingw32) under the build
# root, from Debian's packages and source packages only: Debian's clang, lld and llvm compile and
# link; the MinGW-w64 headers and C runtime (UCRT), compiler-rt's builtins and a static libc++ are
# built here from Debian's mingw-w64 and llvm-toolchain source packages. No Debian package carries
# an aarch64 MinGW runtime.
#
# The result (BUILD_ROOT/arm64-toolchain, about 3 minutes on 2 cores) is kept and rebuilt only
# when its inputs change: the versions of the packages used, this script and the answers of
# cmake/arm64-runtimes-checks.cmake. The project's cmake/mingw-aarch64.cmake points the arm64 tree
# at it. Safe to run again.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/lib.sh"
use_build_root

llvm=16
triple=aarch64-w64-mingw32
out=$root/arm64-toolchain
sources=$here/build/deps/src/arm64
jobs=${JOBS:-$(nproc)}
export DEBIAN_FRONTEND=noninteractive

packages=("clang-$llvm" "lld-$llvm" "llvm-$llvm" cmake ninja-build dpkg-dev make)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq && apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The source packages (tools/setup.sh has enabled deb-src); the newest of each is used.
mkdir -p "$sources"
newest() { # file-pattern...
  local f
  for f in "$@"; do if [ -e "$f" ]; then printf '%s\n' "$f"; fi; done | sort -V | tail -1
}
source_dsc() { # package
  newest "$sources/$1"_*.dsc
}
for p in mingw-w64 llvm-toolchain-$llvm; do
  if [ -z "$(source_dsc "$p")" ]; then
    (cd "$sources" && apt-get source --download-only -qq "$p" >/dev/null 2>&1) ||
      { echo "arm64-toolchain: cannot download the $p source package" >&2; exit 1; }
  fi
done
mingw_dsc=$(source_dsc mingw-w64)
llvm_dsc=$(source_dsc llvm-toolchain-$llvm)

key=$(
  for p in clang-$llvm lld-$llvm llvm-$llvm; do dpkg-query -W -f='${Package} ${Version}\n' "$p"; done
  basename "$mingw_dsc"
  basename "$llvm_dsc"
  sha256sum <"$0"
  sha256sum <"$here/cmake/arm64-runtimes-checks.cmake"
)
if [ -f "$out/.key" ] && [ "$(cat "$out/.key")" = "$key" ]; then
  exit 0
fi
echo "arm64-toolchain: making $out"
start=$(date +%s)
rm -rf "$out"
work=$out/work
mkdir -p "$work" "$out/bin"
log=$work/build.log
# Runs one build step with its output in the log; a failing step shows the log's end.
step() { # command...
  local t0=$SECONDS
  if ! "$@" >>"$log" 2>&1; then
    echo "arm64-toolchain: failed: $*" >&2
    tail -n 30 "$log" >&2
    exit 1
  fi
  echo "arm64-toolchain: $1 ${2:-} took $((SECONDS - t0)) s" >>"$out/steps.log"
}

# Wrappers named by the triple, as CMake and configure scripts expect, with the target's settings
# in a clang configuration file (its arguments never count as unused, which -Werror would reject).
# The C++ runtime is static only, so its declarations must not ask for DLL imports.
# Paths are relative to the toolchain folder, which so stays movable.
llvm_bin=/usr/lib/llvm-$llvm/bin
printf '%s\n' --target=$triple '--sysroot=<CFGDIR>/..' '-resource-dir=<CFGDIR>/../lib/clang' \
  -rtlib=compiler-rt -unwindlib=libunwind -stdlib=libc++ -fuse-ld=lld \
  -D_LIBCXXABI_DISABLE_VISIBILITY_ANNOTATIONS >"$out/bin/$triple.cfg"
for lang in clang clang++; do
  cat >"$out/bin/$triple-$lang" <<EOF
#!/bin/sh
exec $llvm_bin/$lang --config "\$(dirname "\$0")/$triple.cfg" "\$@"
EOF
done
# llvm-windres takes its target from the name it is called by and preprocesses with clang, which
# must see the MinGW headers.
cat >"$out/bin/$triple-windres" <<EOF
#!/bin/bash
top=\$(cd "\$(dirname "\$0")/.." && pwd)
exec -a $triple-windres $llvm_bin/llvm-windres --preprocessor-arg=--sysroot="\$top" "\$@"
EOF
chmod +x "$out/bin/"*
for tool in ar ranlib dlltool nm strip objcopy objdump readobj; do
  ln -s "$llvm_bin/llvm-$tool" "$out/bin/$triple-$tool"
done
cp -r "$(dirname "$(readlink -f "$llvm_bin/clang")")/../lib/clang/$llvm" "$out/lib-clang.tmp"
mkdir -p "$out/lib"
mv "$out/lib-clang.tmp" "$out/lib/clang"
export PATH=$out/bin:$PATH

# The MinGW-w64 headers and C runtime, for the UCRT (every Windows on ARM64 has it).
step dpkg-source -x "$mingw_dsc" "$work/mingw"
headers() (
  mkdir -p "$work/mingw-headers" && cd "$work/mingw-headers"
  "$work/mingw/mingw-w64-headers/configure" --host=$triple --prefix="$out/$triple" \
    --enable-idl --with-default-msvcrt=ucrt
  make install
)
# Of the runtime only the start-up objects, the C runtime's libraries and the import libraries of
# the system DLLs that the trees' programs link are made (about half of the whole): a target that
# links another system library needs its name added here.
system_libraries=(kernel32 user32 gdi32 advapi32 shell32 ole32 oleaut32 uuid winspool comdlg32
  version comctl32 shlwapi)
# Of libmingwex (318 objects) and libuuid (46) only the members that the trees' programs link are
# made, over 300 compilations fewer (each start of Debian's clang alone costs a tenth of a
# second). A program that needs another member fails to link with the symbol it lacks undefined:
# its object goes here (the linker's --verbose names the members each link loads).
mingwex_objects=(crt/dllentry crt/dllmain gdtoa/gethex gdtoa/gmisc gdtoa/hd_init gdtoa/hexnan
  gdtoa/misc gdtoa/smisc gdtoa/strtodg gdtoa/strtodnrp gdtoa/strtof gdtoa/strtopx gdtoa/sum
  misc/btowc misc/mingw_matherr misc/mingw_wcstold misc/strtoimax misc/strtoumax misc/wcsnlen
  misc/wcstof misc/wcstoimax misc/wcstold misc/wcstoumax misc/wctob)
uuid_objects=(libsrc/dxva-uuid libsrc/uuid)
# The runtime's Makefile names a member of library LIB made from FOLDER/NAME.c (or .S) so.
members() { # lib folder/name...
  local lib=$1 object
  shift
  for object in "$@"; do printf '%s ' "${object%/*}/libarm64_${lib}_a-${object##*/}.o"; done
}
# Without dependency tracking: a one-off build needs none, and making the tracking files of the
# runtime's thousands of sources took most of its configure step (over a minute of processor time).
crt() (
  mkdir -p "$work/mingw-crt/libarm64" && cd "$work/mingw-crt"
  "$work/mingw/mingw-w64-crt/configure" --host=$triple --prefix="$out/$triple" \
    --enable-libarm64 --disable-lib32 --disable-lib64 --with-default-msvcrt=ucrt --disable-dependency-tracking \
    CC=$triple-clang AR=$triple-ar RANLIB=$triple-ranlib DLLTOOL=$triple-dlltool CFLAGS=-O2
  local made=(crt2.o dllcrt2.o crtbegin.o crtend.o libmingw32.a libmingwex.a libmoldname.a
    libmsvcrt.a)
  local name
  for name in "${system_libraries[@]}"; do made+=("lib$name.a"); done
  make -j "$jobs" "${made[@]/#/libarm64/}" \
    libarm64_libmingwex_a_OBJECTS="$(members libmingwex "${mingwex_objects[@]}")" \
    libarm64_libuuid_a_OBJECTS="$(members libuuid "${uuid_objects[@]}")"
  mkdir -p "$out/$triple/lib"
  cp "${made[@]/#/libarm64/}" "$out/$triple/lib/"
)
step headers
step crt

# From LLVM only the runtimes' sources and the CMake modules they use; Debian's patches stay out
# (one adds Linux libraries to libunwind's link).
llvm_orig=$(newest "$sources/llvm-toolchain-${llvm}"_*.orig.tar.xz)
top=$({ tar -tJf "$llvm_orig" 2>/dev/null || true; } | head -1 | cut -d/ -f1)
step tar -xJf "$llvm_orig" -C "$work" \
  "$top/compiler-rt" "$top/libcxx" "$top/libcxxabi" "$top/libunwind" "$top/runtimes" \
  "$top/cmake" "$top/llvm/cmake" "$top/llvm/utils/lit" "$top/llvm/utils/llvm-lit"
project=$work/$top
cmake_common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-aarch64.cmake" -DARM64_TOOLCHAIN="$out"
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER_WORKS=1 -DCMAKE_CXX_COMPILER_WORKS=1)

step cmake -S "$project/compiler-rt/lib/builtins" -B "$work/builtins" "${cmake_common[@]}" \
  -DCMAKE_C_COMPILER_TARGET=aarch64-w64-windows-gnu -DCOMPILER_RT_DEFAULT_TARGET_ONLY=ON \
  -DCOMPILER_RT_INSTALL_PATH="$out/lib/clang" -DLLVM_ENABLE_PER_TARGET_RUNTIME_DIR=OFF
step cmake --build "$work/builtins" -j "$jobs" --target install

# The exception globals of each thread live in thread-local storage (HAS_THREAD_LOCAL) rather than
# in a fiber-local slot whose clean-up callback points into the module: a plug-in is unloaded
# while the host's threads go on, and the system would later call that callback in a module no
# longer there (seen as a crash at the host's exit).
# The runtimes' configure checks, answered ahead for the versions they were taken with.
checks=()
clang_version=$(dpkg-query -W -f='${Version}' "clang-$llvm")
clang_version=${clang_version#*:}
if [ "${clang_version%%-*}" = 16.0.6 ] && [[ "$(basename "$mingw_dsc")" == mingw-w64_10.0.0-*.dsc ]]; then
  checks=(-C "$here/cmake/arm64-runtimes-checks.cmake")
fi
step cmake "${checks[@]}" -S "$project/runtimes" -B "$work/runtimes" "${cmake_common[@]}" -DCMAKE_CXX_FLAGS=-DHAS_THREAD_LOCAL \
  -DCMAKE_INSTALL_PREFIX="$out/$triple" -DLLVM_ENABLE_RUNTIMES="libunwind;libcxxabi;libcxx" \
  -DLLVM_DEFAULT_TARGET_TRIPLE=$triple -DLLVM_ENABLE_PER_TARGET_RUNTIME_DIR=OFF -DLLVM_INCLUDE_TESTS=OFF \
  -DLIBUNWIND_ENABLE_SHARED=OFF -DLIBCXXABI_ENABLE_SHARED=OFF -DLIBCXX_ENABLE_SHARED=OFF \
  -DLIBUNWIND_USE_COMPILER_RT=ON -DLIBCXXABI_USE_COMPILER_RT=ON -DLIBCXX_USE_COMPILER_RT=ON \
  -DLIBCXXABI_USE_LLVM_UNWINDER=ON -DLIBCXXABI_ENABLE_STATIC_UNWINDER=ON \
  -DLIBCXX_ENABLE_STATIC_ABI_LIBRARY=ON -DLIBCXX_CXX_ABI=libcxxabi \
  -DLIBCXX_INCLUDE_TESTS=OFF -DLIBCXXABI_INCLUDE_TESTS=OFF -DLIBUNWIND_INCLUDE_TESTS=OFF \
  -DLIBCXX_INCLUDE_BENCHMARKS=OFF -DLIBCXX_INCLUDE_DOCS=OFF
step cmake --build "$work/runtimes" -j "$jobs" --target install-unwind install-cxxabi install-cxx

rm -rf "$work"
echo "$key" >"$out/.key"
echo "arm64-toolchain: ready in $(( $(date +%s) - start )) s"
