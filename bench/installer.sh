#!/usr/bin/env bash
# Install.exe beside an NSIS installer of the same files, under Wine (tools/bench.sh installer).
#
# A generated payload of 1,000 files (200 B to 10 KiB, sizes spread evenly on a log scale, about
# 2.5 MB) is installed into a fresh folder by four installers, alternating, ROUNDS times (default
# 5), all in one Wine prefix (build/bench-installer/wineprefix):
#   nsis-silent   the NSIS installer with /S
#   nsis-page     the NSIS installer with its progress page (it closes itself when done)
#   ours-silent   Install.exe /S /D=folder
#   ours-dialog   Install.exe with its dialog: timed from pressing Install until the button reads
#                 "Finish"
#   plain-copy    the floor: a program that copies the payload's files in the plainest way, without
#                 a log, attributes, times or the safety of a copy that breaks off
# The silent runs and the NSIS page are timed from the process start to its end. Every installed
# file is compared byte for byte with the payload. Prints the median of each and the ratios of ours
# to NSIS silent and to NSIS with its page.
#
# Where this machine starts 32-bit programs, the shipped 32-bit Install.exe runs beside a 32-bit
# NSIS installer; elsewhere the 64-bit build beside a 64-bit one.
set -euo pipefail
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/../tools/lib.sh"
use_build_root
rounds=${ROUNDS:-5}

command -v makensis >/dev/null || { echo "makensis is missing (tools/setup.sh installs nsis)" >&2; exit 1; }

if can_run_32bit "$root/probe32"; then
  arch=win32 nsis_target=x86-unicode wine_run=("$here/cmake/wine-run.sh" --win32)
  echo "32-bit programs start on this machine: the shipped 32-bit Install.exe, NSIS target $nsis_target"
else
  arch=win64 nsis_target=amd64-unicode wine_run=("$here/cmake/wine-run.sh")
  echo "This machine cannot run 32-bit programs ($arch32_reason):"
  echo "Install.exe from the 64-bit tree, NSIS target $nsis_target"
fi
TARGETS="Install installer_timer" bash "$here/tools/build.sh" "$arch" >/dev/null
tree=$root/$arch

work=$root/bench-installer
prefix=$work/wineprefix
payload=$work/setup/payload
mkdir -p "$work/setup"

# The payload, the same on every run of the benchmark.
if [ ! -f "$work/setup/payload.done" ]; then
  rm -rf "$payload"
  mkdir -p "$payload"
  perl -e '
    srand(16);
    my ($dir) = @ARGV;
    for my $n (0 .. 999) {
      my $folder = sprintf("%s/d%d", $dir, $n % 10);
      mkdir $folder;
      my $size = int(200 * exp(rand() * log(10240 / 200)));
      open(my $out, ">:raw", sprintf("%s/f%04d.bin", $folder, $n)) or die;
      print $out pack("C*", map { int(rand(256)) } 1 .. $size);
      close $out;
    }' "$payload"
  touch "$work/setup/payload.done"
fi
echo "payload: $(find "$payload" -type f | wc -l) files, $(du -sb "$payload" | cut -f1) bytes"

winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Our installer: Install.exe as it ships (without debugging information) and a script of one
# CopyFile entry per file.
strip=x86_64-w64-mingw32-strip
[ "$arch" = win32 ] && strip=i686-w64-mingw32-strip
"$strip" --strip-debug -o "$work/setup/Install.exe" "$tree/installer/ui/Install.exe"
write_script() { # default-folder
  {
    printf '[SETTINGS]\r\nName=InstallerBench\r\nWelcomeText=Installer benchmark\r\n'
    printf 'DefaultInstFolder=%s\r\n[INSTALL_ORDER]\r\n' "$1"
    local n=1 file
    while read -r file; do
      file=${file#./}
      printf '%d=CopyFile,payload\\%s,^InstallationFolder^\\%s,%s,TRUE\r\n' \
        "$n" "${file//\//\\}" "${file%%/*}" "${file##*/}"
      n=$((n + 1))
    done < <(cd "$payload" && find . -type f | sort)
    printf '[UN_INSTALL_ORDER]\r\n1=DeleteDirectory,^InstallationFolder^\r\n'
  } >"$work/setup/Install.ini"
}

# The NSIS installer of the same files, uncompressed like our payload.
cat >"$work/setup/bench.nsi" <<EOF
Unicode true
Target $nsis_target
Name "InstallerBench"
OutFile "nsis-setup.exe"
InstallDir "C:\\nsis-bench"
RequestExecutionLevel admin
SetCompress off
AutoCloseWindow true
Page instfiles
Section
  SetOutPath "\$INSTDIR"
  File /r "payload\\*"
  WriteUninstaller "\$INSTDIR\\uninstall.exe"
  WriteRegStr HKLM "Software\\InstallerBench" "InstallationFolder" "\$INSTDIR"
SectionEnd
Section Uninstall
  RMDir /r "\$INSTDIR"
SectionEnd
EOF
(cd "$work/setup" && makensis -V1 bench.nsi >/dev/null)

results=$work/results.txt
: >"$results"
trap 'stop_wine "$prefix"' EXIT
start_display
make_wine_prefix "$arch" "$prefix"

timer() { "${wine_run[@]}" "$prefix" "$tree/bench/installer_timer.exe" "$@" | tr -d '\r' | tee -a "$results"; }
failed=0
check() { # name target
  if ! diff -rq -x uninstall.exe "$payload" "$2" >/dev/null; then
    echo "$1: the installed files differ from the payload" >&2
    failed=1
  fi
}

variants=(nsis-silent ours-silent nsis-page ours-dialog plain-copy)
for round in $(seq 1 "$rounds"); do
  for i in 0 1 2 3 4; do
    # Each round starts with the next one, so that no installer always follows the same other.
    variant=${variants[$(((i + round - 1) % 5))]}
    target=$work/targets/$variant
    rm -rf "$target"
    sync  # each run starts with nothing of the last one still to be written to the disk
    case $variant in
      nsis-silent) timer run "$variant" "$work/setup" "$work/setup/nsis-setup.exe" "/S /D=$(winpath "$target")" ;;
      nsis-page) timer run "$variant" "$work/setup" "$work/setup/nsis-setup.exe" "/D=$(winpath "$target")" ;;
      ours-silent)
        write_script "$(winpath "$work/targets/unused")"
        timer run "$variant" "$work/setup" "$work/setup/Install.exe" "/S /D=$(winpath "$target")"
        ;;
      ours-dialog)
        write_script "$(winpath "$target")"
        timer dialog "$variant" "$work/setup" "$work/setup/Install.exe"
        ;;
      plain-copy)
        timer run "$variant" "$work/setup" "$tree/bench/installer_timer.exe" "copy $(winpath "$payload") $(winpath "$target")"
        ;;
    esac
    check "$variant" "$target"
  done
done

median() { awk -v n="$1" '$1 == n { print $2 }' "$results" | sort -n | awk '{ v[NR] = $1 } END {
  if (NR == 0) print 0; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
nsis_silent=$(median nsis-silent)
nsis_page=$(median nsis-page)
ours_silent=$(median ours-silent)
ours_dialog=$(median ours-dialog)
plain_copy=$(median plain-copy)
echo
echo "medians of $rounds runs, 1,000 files into a fresh folder ($arch, one Wine prefix):"
printf '  %-44s %6d ms\n' "NSIS /S" "$nsis_silent" "NSIS with its progress page" "$nsis_page" \
  "Install.exe /S (unattended)" "$ours_silent" "Install.exe with its dialog (Install to Finish)" "$ours_dialog" \
  "plain copy of the files (the floor)" "$plain_copy"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "met" : "MISSED") }'; }
r1=$(ratio "$ours_dialog" "$nsis_silent")
r2=$(ratio "$ours_silent" "$nsis_silent")
echo "ours / NSIS silent:          dialog $r1 (target at most 1.00: $(verdict "$r1" 1.0)), unattended $r2 (target at most 0.80: $(verdict "$r2" 0.8))"
echo "ours / NSIS with its page:   dialog $(ratio "$ours_dialog" "$nsis_page"), unattended $(ratio "$ours_silent" "$nsis_page")"
echo "plain copy / NSIS silent:    $(ratio "$plain_copy" "$nsis_silent"); ours / plain copy: dialog $(ratio "$ours_dialog" "$plain_copy"), unattended $(ratio "$ours_silent" "$plain_copy")"
if [ "$failed" -ne 0 ]; then
  echo "some installed files differ from the payload" >&2
  exit 1
fi
echo "every installed file matches the payload byte for byte"
