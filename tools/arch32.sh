# shellcheck shell=bash disable=SC2016,SC2034  # assembler text; arch32_reason is for the includer
# Whether this machine starts 32-bit x86 programs; sourced by the test, demo and try commands.
# Some machines of this kind run 32-bit code (the kernel's IA-32 emulation is on), others do not;
# the only sure test is to start one. can_run_32bit builds a tiny 32-bit Linux program (an exit
# system call, assembled and linked with binutils' own 32-bit support, no C library needed) into
# $1 and runs it. On failure arch32_reason says why.
arch32_reason=
can_run_32bit() { # work-folder
  local dir=$1
  mkdir -p "$dir"
  printf '%s\n' '.globl _start' '_start:' '  movl $1, %eax' '  xorl %ebx, %ebx' '  int $0x80' >"$dir/probe32.s"
  if ! as --32 -o "$dir/probe32.o" "$dir/probe32.s" 2>/dev/null ||
    ! ld -m elf_i386 -o "$dir/probe32" "$dir/probe32.o" 2>/dev/null; then
    arch32_reason="the 32-bit probe program could not be built (binutils without 32-bit x86 support)"
    return 1
  fi
  local out
  if ! out=$("$dir/probe32" 2>&1); then
    arch32_reason="a 32-bit program cannot start on this machine (${out##*: }: the kernel's IA-32 emulation is off)"
    return 1
  fi
  if [ ! -x /usr/lib/wine/wine ]; then
    arch32_reason="32-bit Wine is not installed (tools/setup.sh installs wine32)"
    return 1
  fi
  return 0
}
