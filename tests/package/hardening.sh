#!/usr/bin/env bash
# hardening.sh DPKG-DEB HARDENING-CHECK READELF CET PACKAGE PROGRAM...: the
# programs in the Debian package PACKAGE pass hardening-check, and the
# build's unstripped PROGRAMs it was made from were compiled with every
# hardening switch Debian 13 gives its packages, which hardening-check
# cannot always see: it finds stack clash protection only in functions with
# large frames, and older ones look for no branch protection.
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
dpkgDeb=$1 hardeningCheck=$2 readelf=$3 cet=$4 package=$5
shift 5

architecture=$("$dpkgDeb" -f "$package" Architecture)
switches=(-fstack-protector-strong -fstack-clash-protection)
options=()
# skip OPTION REASON: hardening-check leaves out a check, and says why.
skip() {
  options+=("$1")
  echo "hardening-check $1: $2"
}
knowsBranchProtection=false
! grep -q nobranchprotection "$hardeningCheck" || knowsBranchProtection=true
case "$architecture" in
  amd64 | i386)
    switches+=(-fcf-protection)
    [[ "$cet" == cet ]] || skip --nocfprotection "the C library's startup files here carry no Intel CET mark"
    ! $knowsBranchProtection || skip --nobranchprotection "branch protection is a 64-bit ARM feature"
    ;;
  arm64)
    switches+=(-mbranch-protection=standard)
    skip --nocfprotection "Intel CET is an x86 feature"
    ;;
  *)
    skip --nocfprotection "hardening-check knows no control-flow protection of $architecture"
    ! $knowsBranchProtection || skip --nobranchprotection "branch protection is a 64-bit ARM feature"
    ;;
esac

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
"$dpkgDeb" -x "$package" "$unpacked"
# hardening-check disassembles with the build machine's objdump, which
# cannot read another machine's code and says so; its verdict stands.
"$hardeningCheck" "${options[@]}" "$unpacked"/usr/libexec/okel/okel "$unpacked"/usr/libexec/okel/okelwalk \
  2> >(grep -v "can't disassemble for architecture" >&2)

# GCC records each compilation unit's switches in its debug information.
status=0
for program in "$@"; do
  producers=$("$readelf" --debug-dump=info "$program" | grep DW_AT_producer)
  for switch in "${switches[@]}"; do
    if grep -v -e " ${switch}[ =]" -e " ${switch}\$" <<<"$producers"; then
      echo "$program: compiled without $switch (above: the compilers' records that lack it)"
      status=1
    fi
  done
done
exit $status
