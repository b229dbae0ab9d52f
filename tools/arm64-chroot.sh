#!/usr/bin/env bash
# Makes the Debian arm64 system in which Debian's arm64 Wine runs the arm64 tree's Windows
# programs: $root/arm64-chroot (the build root, as tools/lib.sh's use_build_root takes it). Safe to
# run again: it sets up what the host lacks (qemu-user-static and debootstrap, binfmt_misc,
# qemu's aarch64 handler) and makes the chroot only when its key file is missing or holds another
# key (this script's hash and the Debian mirror); a half-made one is removed and made anew. Needs
# root and, the first time, the network: about six minutes on two cores, 830 MB. The tools' output
# goes to $root/arm64-chroot.log; on failure the last line on stderr, "arm64-chroot: REASON", says
# why.
#
# Debian 13's Wine, not the host's release's: Debian 12 builds its arm64 Wine without a Windows
# compiler, so its DLLs take variadic arguments the Linux way; a program's printf with arguments
# (any va_list handed to the C runtime) crashes there. Debian 13 builds them as real ARM64 DLLs.
set -euo pipefail
# shellcheck source=tools/arm64-lib.sh
. "$(dirname "$0")/arm64-lib.sh"
use_build_root

suite=trixie
# Wine, its own fonts (the dialogs' Tahoma, the caption buttons' Marlett) and the X libraries it
# loads when present, as the host's Wine has them; none of the rest of its recommendations.
packages=(wine64 wine fonts-wine fonts-liberation libxcomposite1 libxcursor1 libxfixes3 libxi6
  libxinerama1 libxrandr2 libxrender1 libxxf86vm1)
chroot_dir=$root/arm64-chroot
key_file=$chroot_dir/.arm64-chroot-key
log=$root/arm64-chroot.log
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "arm64-chroot: $*" >&2
  exit 1
}

[ "$(id -u)" -eq 0 ] || fail "not root: the arm64 chroot needs root"
mkdir -p "$root"

# The host's tools.
missing=()
command -v debootstrap >/dev/null || missing+=(debootstrap)
[ -x /usr/bin/qemu-aarch64-static ] || missing+=(qemu-user-static)
if [ ${#missing[@]} -gt 0 ]; then
  echo "arm64-chroot: installing ${missing[*]}"
  { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"; } \
    >>"$log" 2>&1 ||
    fail "${missing[*]} cannot be installed (see $log)"
fi

# qemu's aarch64 handler, with the F flag: the kernel opens the emulator when the handler is
# registered, so programs inside the chroot start without a copy of it there.
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
    fail "binfmt_misc cannot be mounted here"
fi
handler=$binfmt/qemu-aarch64
if [ -e "$handler" ] && ! { grep -qx enabled "$handler" && grep -q '^flags: .*F' "$handler"; }; then
  # Disabled or without the F flag (the chroot holds no emulator): replaced by qemu's own.
  echo "arm64-chroot: replacing the aarch64 handler registered without the F flag"
  echo -1 2>/dev/null >"$handler" || fail "qemu-user's aarch64 handler cannot be registered"
fi
if [ ! -e "$handler" ]; then
  line=$(grep -v '^#' /usr/lib/binfmt.d/qemu-aarch64.conf | head -n 1)
  case "${line##*:}" in *F*) ;; *) line+=F ;; esac
  printf '%s\n' "$line" 2>/dev/null >"$binfmt/register" ||
    fail "qemu-user's aarch64 handler cannot be registered"
fi

# The Debian mirror of the host's own apt sources: the first one for a release itself (a suite
# without "-updates" or "-security"), from the deb822 files first, then the one-line ones; else
# Debian's redirector.
host_mirror() {
  local sources=() list=() found
  shopt -s nullglob
  sources=(/etc/apt/sources.list.d/*.sources)
  list=(/etc/apt/sources.lis[t] /etc/apt/sources.list.d/*.list)
  shopt -u nullglob
  found=$({
    if [ ${#sources[@]} -gt 0 ]; then
      awk '
        BEGIN { RS = "" }
        {
          types = ""; uris = ""; suites = ""; enabled = 1
          n = split($0, lines, "\n")
          for (i = 1; i <= n; i++) {
            if (lines[i] !~ /^[A-Za-z-]+:/) continue
            key = tolower(substr(lines[i], 1, index(lines[i], ":") - 1))
            value = " " substr(lines[i], index(lines[i], ":") + 1) " "
            gsub(/[ \t]+/, " ", value)
            if (key == "types") types = value
            else if (key == "uris") uris = value
            else if (key == "suites") suites = value
            else if (key == "enabled" && value ~ / no /) enabled = 0
          }
          if (enabled && types ~ / deb / && suites ~ / [a-z]+ /) {
            split(uris, u, " ")
            print u[1]
          }
        }' "${sources[@]}"
    fi
    if [ ${#list[@]} -gt 0 ]; then
      awk '
        $1 == "deb" {
          i = 2
          if ($i ~ /^\[/) while ($i !~ /\]$/ && i < NF) i++
          if ($i ~ /^\[/ || $i ~ /\]$/) i++
          if ($(i + 1) ~ /^[a-z]+$/) print $i
        }' "${list[@]}"
    fi
  } | awk '/^https?:\/\// && !found { print; found = 1 }')
  printf '%s\n' "${found:-http://deb.debian.org/debian}"
}
mirror=$(host_mirror)
mirror=${mirror%/}
key="$(sha256sum <"$0" | cut -d' ' -f1) $mirror"

# One maker at a time; a second caller waits and finds the chroot made.
exec 9>"$root/arm64-chroot.lock"
flock 9
if [ "$(cat "$key_file" 2>/dev/null)" = "$key" ]; then exit 0; fi

# Nothing may be mounted inside an old chroot removed here (the commands entering it mount in
# namespaces of their own, so something mounted here is someone else's).
if [ -e "$chroot_dir" ]; then
  real=$(realpath "$chroot_dir")
  if awk -v dir="$real" '$5 == dir || index($5, dir "/") == 1 { found = 1 } END { exit !found }' \
    /proc/self/mountinfo; then
    fail "something is mounted inside $chroot_dir: unmount it, then run again"
  fi
  rm -rf --one-file-system "$chroot_dir"
fi

echo "arm64-chroot: making the Debian $suite arm64 chroot from $mirror in $chroot_dir" \
  "(about six minutes; log: $log)"
started=$SECONDS
: >"$log"
mkdir -p "$chroot_dir"
chroot_dir=$(realpath "$chroot_dir")
# debootstrap mounts /proc and /sys inside the chroot while it works: in a namespace of its own,
# those mounts end with it, also when it fails.
unshare --mount --propagation private -- \
  debootstrap --arch=arm64 --variant=minbase "$suite" "$chroot_dir" "$mirror" >>"$log" 2>&1 ||
  fail "debootstrap failed (see $log)"

# Inside the chroot: no documentation, manual pages or translations; no waiting for each file to
# reach the disk (a half-made chroot is made anew anyway); no recommended packages.
cat >"$chroot_dir/etc/dpkg/dpkg.cfg.d/arm64-chroot" <<'EOF'
path-exclude=/usr/share/doc/*
path-exclude=/usr/share/man/*
path-exclude=/usr/share/info/*
path-exclude=/usr/share/locale/*
path-include=/usr/share/locale/locale.alias
force-unsafe-io
EOF
cat >"$chroot_dir/etc/apt/apt.conf.d/90arm64-chroot" <<'EOF'
APT::Install-Recommends "false";
Acquire::Languages "none";
EOF
in_chroot() {
  arm64_chroot_command "$chroot_dir" /proc /dev /sys -- "$@"
  (cd / && "${arm64_cmd[@]}")
}
{ in_chroot apt-get update -qq && in_chroot apt-get install -y -qq "${packages[@]}"; } \
  >>"$log" 2>&1 ||
  fail "Wine could not be installed in the chroot (see $log)"
in_chroot apt-get clean >>"$log" 2>&1
# No crash debugger in the prefixes: under qemu-user winedbg cannot attach to the crashed program
# and never ends, holding the program's output open. A crash then ends the program at once.
inf=$chroot_dir/usr/share/wine/wine.inf
sed -i 's/^\(HKLM,%CurrentVersionNT%\\AeDebug,"Debugger",2,\)".*"$/\1""/' "$inf"
grep -q '^HKLM,%CurrentVersionNT%\\AeDebug,"Debugger",2,""$' "$inf" ||
  fail "no crash debugger setting in $inf"
rm -rf "$chroot_dir"/var/lib/apt/lists/* "$chroot_dir"/usr/share/doc/* "$chroot_dir"/usr/share/man/*
out=$(in_chroot /usr/lib/wine/wine64 --version 2>&1) ||
  fail "the chroot's Wine does not start: $out"

printf '%s\n' "$key" >"$key_file"
echo "arm64-chroot: made in $((SECONDS - started)) s ($out, $(du -sh "$chroot_dir" | cut -f1))" |
  tee -a "$log"
