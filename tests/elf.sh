#!/bin/sh
# SPDX-License-Identifier: MIT
# The Linux program is built for the CPU it is named for, and needs of the
# system what its kind promises: libc.so.6 alone when dynamic, nothing at
# all (no loader, no shared library) when static.
#   elf.sh PROGRAM READELF PROCESSOR dynamic|static
. "$(dirname "$0")/lib.sh"
need "${2:-readelf}" binutils

# $1, not K: for another CPU, K is a script that starts the program.
"$2" -hldA "$1" >"$T/elf" 2>&1 || fail "readelf could not read $1"
field() {
    sed -n "s/^ *$1: *//p" "$T/elf"
}

# The 32-bit ARM program runs from ARMv5TE on and uses no floating-point
# unit, which the Raspberry Pi 1 and Zero (ARMv6) and older boards may lack.
rows=0
while read -r processor class cpu machine; do
    [ "$processor" = "$3" ] || continue
    rows=$((rows + 1))
    check "class" "$class" "$(field Class)"
    check "machine" "$machine" "$(field Machine)"
    [ "$cpu" = - ] || [ "$4" = dynamic ] || {
        check "ARM architecture" "$cpu" "$(field Tag_CPU_arch)"
        check "floating-point unit" "" "$(field Tag_FP_arch)"
    }
done <<'EOF_TABLE'
x86_64 ELF64 - Advanced Micro Devices X86-64
aarch64 ELF64 - AArch64
arm ELF32 v5TE ARM
i686 ELF32 - Intel 80386
EOF_TABLE
[ "$rows" = 1 ] || fail "no row for $3"

needed=$(sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' "$T/elf" | tr '\n' ' ')
interpreter=$(sed -n 's/.*Requesting program interpreter: \(.*\)\]/\1/p' "$T/elf")
case $4 in
static)
    check "shared libraries needed" "" "$needed"
    check "program interpreter" "" "$interpreter"
    ;;
*)
    check "shared libraries needed" "libc.so.6 " "$needed"
    case $interpreter in
    /lib*/ld-linux*.so.*) passed=$((passed + 1)) ;;
    *) fail "program interpreter: $interpreter" ;;
    esac
    ;;
esac

finish
