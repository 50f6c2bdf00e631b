#!/usr/bin/env bash
# hardening.sh DPKG-DEB HARDENING-CHECK READELF CET PACKAGE PROGRAM...: the
# programs in the Debian package PACKAGE pass hardening-check, and the
# build's unstripped PROGRAMs it was made from were compiled with every
# hardening switch Debian 13 gives its packages, which hardening-check
# cannot always see: it finds stack clash protection only in functions with
# large frames, and older ones look for no branch protection.
#
# Control-flow protection is checked by hardening-check where the program
# can carry it: on x86 when CET is "cet" (the linker makes programs with
# Intel CET's mark, which needs C library startup files that carry it:
# Debian 13's, not Debian 12's), on 64-bit ARM when hardening-check knows
# branch protection (Debian 13's; Debian 12's looks for the x86 mark only).
set -euo pipefail
dpkgDeb=$1 hardeningCheck=$2 readelf=$3 cet=$4 package=$5
shift 5

architecture=$("$dpkgDeb" -f "$package" Architecture)
switches=(-fstack-protector-strong -fstack-clash-protection)
unmarked=""
case "$architecture" in
  amd64 | i386)
    switches+=(-fcf-protection)
    [[ "$cet" == cet ]] || unmarked="the linker here cannot mark programs for Intel CET"
    ;;
  arm64)
    switches+=(-mbranch-protection=standard)
    grep -qi 'branch protection' "$hardeningCheck" || unmarked="this hardening-check knows no branch protection"
    ;;
  *) unmarked="hardening-check knows no control-flow protection of $architecture" ;;
esac
options=()
if [[ -n "$unmarked" ]]; then
  options+=(--nocfprotection)
  echo "Control-flow protection is not checked (--nocfprotection): $unmarked"
fi

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
