# shellcheck shell=bash
# The arm64 tree's way in: the steps that make and enter the arm64 chroot where its Windows
# programs run. Sourced (it loads tools/lib.sh first) only by what runs ARM64 programs:
# cmake/wine-run.sh --arm64, tools/arm64-wine, tools/arm64-chroot.sh, and the test, soak and demo
# commands when they run the arm64 tree. Building the arm64 tree needs none of it.
# shellcheck source=tools/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# ARM64 programs

# The arm64 tree's Windows programs run under Debian's arm64 Wine in a Debian arm64 system at
# $root/arm64-chroot (tools/arm64-chroot.sh makes it), whose Linux programs qemu-user runs through
# the kernel's binfmt_misc handler. Every command entering it gets a mount namespace of its own in
# which /proc, /dev, /sys and the host folders it needs are bound into the chroot at their own
# paths: the binds end with the namespace's last process, so none outlives the command and
# removing the build root never reaches through the chroot into /dev or the source tree. Wine's
# server folders are in the host's /tmp, which every namespace shares, so a server started by one
# command (`wineserver -p`) serves the programs of later ones on the same prefix.
: "${arm64_reason:=}"

# The chroot's folder (the build root from BUILD_ROOT, as use_build_root takes it).
arm64_chroot() {
  local root
  use_build_root
  printf '%s\n' "$root/arm64-chroot"
}

# Whether the chroot is made: tools/arm64-chroot.sh writes its key file last.
arm64_chroot_ready() {
  [ -s "$(arm64_chroot)/.arm64-chroot-key" ]
}

# Makes the chroot unless it is made (about six minutes the first time; a few hundredths of a
# second otherwise); on failure arm64_reason says why in one line, the folder given keeps the messages.
make_arm64_chroot() { # work-folder
  local dir=$1
  mkdir -p "$dir" || return 1
  if "$here/tools/arm64-chroot.sh" 2>"$dir/arm64-chroot.err"; then return 0; fi
  arm64_reason=$(sed -n 's/^arm64-chroot: //p' "$dir/arm64-chroot.err" | tail -n 1)
  : "${arm64_reason:=the arm64 chroot could not be made (see $dir/arm64-chroot.err)}"
  return 1
}

# Whether this machine runs the arm64 tree's Windows programs; makes the chroot (and sets up
# qemu-user) where needed, then starts the chroot's Wine once. On failure arm64_reason says why.
can_run_arm64() { # work-folder
  local out
  arm64_reason=
  if [ "$(id -u)" -ne 0 ]; then
    arm64_reason="not root: the arm64 chroot needs root"
    return 1
  fi
  make_arm64_chroot "$1" || return 1
  if ! out=$(cd / && run_arm64 /usr/lib/wine/wine64 --version 2>&1); then
    arm64_reason="the arm64 chroot's Wine does not start: $(printf '%s\n' "$out" | tail -n 1)"
    return 1
  fi
}

# Sets arm64_cmd to the host command that runs COMMAND (a path inside the chroot) in the chroot
# CHROOT (a real path) in a mount namespace of its own, with each FOLDER (a host path) bound at the
# same path in the chroot: /proc, /dev and /sys, then the folders the command needs. The command
# starts in the caller's working folder, which must be one of those or inside one; it gets the
# caller's environment but for the host's search paths, preloads and Wine's paths to the host
# wrappers, and its exit status is the command's.
arm64_chroot_command() { # chroot folder... -- command [args...]
  # shellcheck disable=SC2016  # expanded by the shell in the namespace
  arm64_cmd=(unshare --mount --propagation private -- bash -c '. "$0" && enter_arm64_chroot "$@"'
    "$here/tools/arm64-lib.sh" "$@")
}

# arm64_chroot_command's part inside the new namespace.
enter_arm64_chroot() { # chroot folder... -- command [args...]
  local chroot=$1 target
  shift
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    target=$chroot$1
    # The mount point must stay inside the chroot, whatever links the chroot holds.
    mkdir -p "$target" 2>/dev/null
    case "$(realpath -e "$target" 2>/dev/null)" in
      "$chroot"/*) ;;
      *) echo "arm64: $target is not a folder inside the chroot" >&2; return 1 ;;
    esac
    mount --rbind "$1" "$target" || return 1
    shift
  done
  shift
  # qemu's default processor (every feature it knows) leaves Wine's first thread spinning; the
  # Cortex-A76 is the core of the common ARM64 Windows laptops.
  # shellcheck disable=SC2016  # expanded by the shell in the chroot
  QEMU_CPU=cortex-a76 exec chroot "$chroot" /usr/bin/env -u LD_PRELOAD -u LD_LIBRARY_PATH \
    -u TMPDIR -u WINELOADER -u WINESERVER -u WINEARCH HOME=/root \
    PATH=/usr/lib/wine:/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin \
    /bin/sh -c 'cd "$0" || exit 126; exec "$@"' "$PWD" "$@"
}

# Sets arm64_cmd to the host command that runs COMMAND in the chroot (arm64_chroot_command) with
# the host's folders that the arm64 tree's programs work in bound at their own paths: /tmp (also
# the X server's sockets and Wine's server folders), the source tree, the build root, Wine's
# prefix (made if missing) and the system dictionaries that the tests read through Z: (Hunspell's
# and MyThes's, the host's own as for the other trees). Other host folders are not there. The
# command and its arguments pass unchanged. Every command on one prefix gets the same folders, and must: Wine's server, which
# opens the files its programs name, stays in the namespace of the command that started it.
arm64_command() { # command [args...]
  local chroot folders=() wanted=() path bound
  chroot=$(arm64_chroot)
  if ! arm64_chroot_ready; then
    echo "arm64: no arm64 chroot in $chroot (tools/arm64-chroot.sh makes it)" >&2
    return 1
  fi
  chroot=$(realpath "$chroot")
  if [ -n "${WINEPREFIX:-}" ]; then mkdir -p "$WINEPREFIX" || return 1; fi
  wanted=(/tmp "$here" "$(dirname "$chroot")" ${WINEPREFIX:+"$WINEPREFIX"})
  for path in /usr/share/hunspell /usr/share/mythes; do
    if [ -d "$path" ]; then wanted+=("$path"); fi
  done
  # Outer folders first: one inside a folder bound already is there already.
  folders=(/proc /dev /sys)
  while IFS= read -r path; do
    for bound in "${folders[@]}"; do
      case "$path/" in "$bound"/*) continue 2 ;; esac
    done
    folders+=("$path")
  done < <(realpath -e "${wanted[@]}" | awk '{ print length($0), $0 }' | sort -n -s | cut -d' ' -f2-)
  arm64_chroot_command "$chroot" "${folders[@]}" -- "$@"
}

# Runs COMMAND (a path inside the chroot) there as arm64_command says; returns its exit status.
run_arm64() { # command [args...]
  arm64_command "$@" || return 1
  "${arm64_cmd[@]}"
}

# Ends the arm64 Wine server of PREFIX if one still runs (the host's `wineserver -k` normally
# ends it already: both Wines keep their server folders in the host's /tmp, named as below).
stop_arm64_wine() { # prefix
  local device inode
  [ -d "$1" ] && arm64_chroot_ready || return 0
  read -r device inode < <(stat -L -c '%d %i' "$1") || return 0
  compgen -G "/tmp/[.w]*/$(printf 'server-%x-%x' "$device" "$inode")/socket" >/dev/null || return 0
  (cd / && WINEPREFIX=$1 run_arm64 /usr/lib/wine/wineserver -k) >/dev/null 2>&1 || true
}
