#!/usr/bin/env bash
# shellcheck disable=SC2016,SC2030,SC2031  # conditions quoted for eval; cases kept apart in subshells
# Checks of tools/lib.sh that need neither Wine nor a build: the build root, tree setup (with a
# stand-in cmake that records its arguments), the private Xvfb, the 32-bit check's reasons and
# the folders an arm64 command gets (tools/arm64-lib.sh); where the arm64 chroot is made, a run
# through it.
# Registered with the native tree's tests; prints "lib_test: N passed, N failed".
set -euo pipefail
lib=$(cd "$(dirname "$0")/.." && pwd)/lib.sh
# shellcheck source=tools/lib.sh
. "$lib"
scratch=$(mktemp -d)
trap 'stop_display; rm -rf "$scratch"' EXIT
passed=0 failed=0

expect() { # description command...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what" >&2; fi
}
same() { [ "$1" = "$2" ] || { echo "  got:      $1" >&2; echo "  expected: $2" >&2; return 1; }; }

build_root_cases() {
  local got
  got=$(unset BUILD_ROOT; use_build_root; echo "$root|$BUILD_ROOT")
  expect "default root is the source tree's build/" same "$got" "$here/build|$here/build"
  # A relative root belongs to the source tree, wherever the script was started from.
  got=$(cd "$scratch" && BUILD_ROOT=b2 && use_build_root && echo "$root")
  expect "relative root is taken from the source tree" same "$got" "$here/b2"
  got=$(BUILD_ROOT=$scratch/r && use_build_root && bash -c 'echo "$BUILD_ROOT"')
  expect "absolute root kept and exported to children" same "$got" "$scratch/r"
}

tree_setup_cases() {
  # A stand-in cmake writes its arguments, one a line, to the file in CMAKE_LOG.
  mkdir -p "$scratch/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"$CMAKE_LOG"\n' >"$scratch/bin/cmake"
  chmod +x "$scratch/bin/cmake"
  local -x PATH=$scratch/bin:$PATH CMAKE_LOG
  local root=$scratch/t got launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  got=$(CMAKE_LOG=$scratch/w32 && configure_tree win32 -DX=1 && cat "$scratch/w32")
  expect "win32 gets Ninja, the i686 toolchain, the deps and the extra arguments" same "$got" "$(printf '%s\n' \
    -S "$here" -B "$scratch/t/win32" -G Ninja -DDEPS_DIR="$here/build/deps" \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" "${launcher[@]}" -DX=1)"
  got=$(CMAKE_LOG=$scratch/w64 && configure_tree win64 && cat "$scratch/w64")
  expect "win64 gets the x86_64 toolchain" grep -qx -- "-DCMAKE_TOOLCHAIN_FILE=$here/cmake/mingw-x86_64.cmake" <<<"$got"
  got=$(CMAKE_LOG=$scratch/nat && configure_tree native && cat "$scratch/nat")
  expect "native gets no toolchain" eval '! grep -q TOOLCHAIN <<<"$got"'
  mkdir -p "$scratch/t/configured" && touch "$scratch/t/configured/CMakeCache.txt"
  (CMAKE_LOG=$scratch/configured && configure_tree configured)
  expect "a configured tree is left as it is" eval '[ ! -e "$scratch/configured" ]'
}

display_cases() {
  (
    unset DISPLAY
    start_display
    expect "a private Xvfb gets a display number" eval '[[ "$DISPLAY" =~ ^:[0-9]+$ ]]'
    expect "the Xvfb runs" kill -0 "$xvfb_pid"
    local pid=$xvfb_pid
    # Sourced again (as demo/common.sh's callers may): the library still knows its Xvfb.
    # shellcheck source=tools/lib.sh
    . "$lib"
    expect "sourcing again keeps the Xvfb to stop" same "$xvfb_pid" "$pid"
    stop_wine "$scratch/no-such-prefix"
    local _
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    expect "stop_wine ends the Xvfb, also without any prefix" eval '! kill -0 "$pid" 2>/dev/null'
    echo "$passed $failed" >"$scratch/counts"
  )
  read -r passed failed <"$scratch/counts"
  local got
  got=$(DISPLAY=:97 && start_display && echo "$DISPLAY ${xvfb_pid:-none}")
  expect "a set DISPLAY is kept and nothing started" same "$got" ":97 none"
}

arch32_cases() {
  # An assembler without 32-bit support: the reason names the probe's build.
  mkdir -p "$scratch/noas"
  printf '#!/bin/sh\nexit 1\n' >"$scratch/noas/as"
  chmod +x "$scratch/noas/as"
  local got
  got=$(export PATH=$scratch/noas:$PATH && if can_run_32bit "$scratch/p"; then echo yes; else echo "$arch32_reason"; fi)
  expect "a probe that cannot be built is a reason" same "$got" \
    "the 32-bit probe program could not be built (binutils without 32-bit x86 support)"
  # The real check either passes or says why not.
  got=$(if can_run_32bit "$scratch/p"; then echo yes; else echo "no: $arch32_reason"; fi)
  expect "the real check passes or gives a reason" eval '[ "$got" = yes ] || [ "${#got}" -gt 4 ]'
}

arm64_cases() {
  # The arm64 chroot's steps come only with their own file.
  expect "tools/lib.sh alone has no arm64 chroot steps" eval '! declare -F can_run_arm64 >/dev/null && ! declare -F run_arm64 >/dev/null'
  # shellcheck source=tools/arm64-lib.sh
  . "$(dirname "$lib")/arm64-lib.sh"
  # A stand-in chroot (a made one has its key file) in a build root inside /tmp.
  local got want=(/proc /dev /sys /tmp) path
  mkdir -p "$scratch/a/arm64-chroot"
  echo key >"$scratch/a/arm64-chroot/.arm64-chroot-key"
  for path in "$(realpath "$here")" /usr/share/hunspell /usr/share/mythes; do
    case "$path/" in /tmp/*) ;; *) if [ -d "$path" ]; then want+=("$path"); fi ;; esac
  done
  got=$(export BUILD_ROOT=$scratch/a WINEPREFIX=$scratch/pfx &&
    arm64_command /usr/lib/wine/wine64 'a b' /v && printf '%s\n' "${arm64_cmd[@]:10}")
  # Folders inside /tmp (the build root, the prefix) are not bound again.
  expect "an arm64 command binds /tmp, the source tree and the dictionaries" same \
    "$(sed '/^--$/,$d' <<<"$got" | sort)" "$(printf '%s\n' "${want[@]}" | sort)"
  expect "an arm64 command's arguments pass unchanged" same "$(sed '1,/^--$/d' <<<"$got")" \
    "$(printf '%s\n' /usr/lib/wine/wine64 'a b' /v)"
  expect "the prefix is made for it" test -d "$scratch/pfx"
  got=$(export BUILD_ROOT=$scratch/none && arm64_command /bin/true 2>&1 || echo refused)
  expect "no arm64 command without a made chroot" grep -q refused <<<"$got"

  # The real chroot, where it is made.
  local root
  use_build_root
  if [ "$(id -u)" -ne 0 ] || ! arm64_chroot_ready; then
    echo "lib_test: no arm64 chroot in $root: its run is not checked"
    return
  fi
  mkdir -p "$root/lib-test" && cd "$root/lib-test"
  got=$(PROBE='x y' run_arm64 /bin/sh -c 'printf "%s|" "$(uname -m)" "$PWD" "$PROBE" "$@"; exit 3' \
    sh 'a b' '"q"'
    echo "status $?")
  expect "an arm64 command runs where it is started, with its arguments and environment" same "$got" \
    "aarch64|$root/lib-test|x y|a b|\"q\"|status 3"
  cd / && rm -rf "$root/lib-test"
  expect "no mount is left in the arm64 chroot" \
    eval '! grep -q " $(realpath "$(arm64_chroot)")[/ ]" /proc/self/mountinfo'
}

build_root_cases
tree_setup_cases
display_cases
arch32_cases
arm64_cases
echo "lib_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
