#!/usr/bin/env bash
# hardening.sh HARDENING-CHECK READELF CET PROGRAM...: the build's programs
# pass hardening-check, and were compiled with every hardening switch
# Debian 13 gives its packages, which hardening-check cannot always see: it
# finds stack clash protection only in functions with large frames, and
# older ones look for no branch protection. The PROGRAMs are the build's
# own, unstripped, as the packages' are made from them: GCC records each
# compilation unit's switches in their debug information. Each program's
# ELF header names the machine it is for, and so the switches it must have.
#
# Each control-flow check is switched off where no program can pass it:
# - Intel CET's mark (hardening-check's "Control flow integrity") is an x86
#   feature, and a program carries it only when everything linked into it
#   does, the C library's startup files too; Debian 12's and 13's do not
#   (CET is "no-cet"), so neither release's own programs carry it;
# - branch protection's mark (BTI and PAC) is a 64-bit ARM feature, which
#   Debian 13's hardening-check asks of every architecture's programs and
#   Debian 12's knows nothing of.
set -euo pipefail
hardeningCheck=$1 readelf=$2 cet=$3
shift 3
if (($# == 0)); then
  echo "hardening.sh: no program to check"
  exit 1
fi

knowsBranchProtection=false
! grep -q nobranchprotection "$hardeningCheck" || knowsBranchProtection=true
status=0
for program in "$@"; do
  switches=(-fstack-protector-strong -fstack-clash-protection)
  options=()
  # skip OPTION REASON: hardening-check leaves out a check, and says why.
  skip() {
    options+=("$1")
    echo "$program: hardening-check $1: $2"
  }
  machine=$(LC_ALL=C "$readelf" --file-header "$program" | sed -n 's/^ *Machine: *//p')
  case "$machine" in
    *X86-64 | "Intel 80386")
      switches+=(-fcf-protection)
      [[ "$cet" == cet ]] || skip --nocfprotection "the C library's startup files here carry no Intel CET mark"
      ! $knowsBranchProtection || skip --nobranchprotection "branch protection is a 64-bit ARM feature"
      ;;
    AArch64)
      switches+=(-mbranch-protection=standard)
      skip --nocfprotection "Intel CET is an x86 feature"
      ;;
    *)
      skip --nocfprotection "hardening-check knows no control-flow protection of the machine '$machine'"
      ! $knowsBranchProtection || skip --nobranchprotection "branch protection is a 64-bit ARM feature"
      ;;
  esac

  # hardening-check disassembles with the build machine's objdump, which
  # cannot read another machine's code and says so; its verdict stands.
  "$hardeningCheck" "${options[@]}" "$program" 2> >(grep -v "can't disassemble for architecture" >&2) || status=1

  producers=$("$readelf" --debug-dump=info "$program" | grep DW_AT_producer)
  for switch in "${switches[@]}"; do
    if grep -v -e " ${switch}[ =]" -e " ${switch}\$" <<<"$producers"; then
      echo "$program: compiled without $switch (above: the compilers' records that lack it)"
      status=1
    fi
  done
done
exit $status
