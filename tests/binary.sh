#!/bin/sh
# SPDX-License-Identifier: MIT
# shellcheck disable=SC2034,SC2129,SC2254 # rows read through eval, as patterns
# What the program file says of itself: binary.sh PROGRAM PROCESSOR READELF|OBJDUMP IMPORTS_LIST.
# 32-bit ARM: ARMv5TE, no FPU (Raspberry Pi 1, Zero).  Windows: its oldest (WINNT) in the PE
# header, no import newer by the list (Wine has later calls), the texts beside it.
. "$(dirname "$0")/lib.sh"
# The file itself, not the script that starts it for another CPU.
K=$1 processor=$2 link=${LINK:-dynamic} tool=$3 list=$4 rows=0 nt=
need "$tool" binutils

if [ "$PLATFORM" = linux ]; then
    "$tool" -hldA "$K" >"$T/facts" 2>&1 || fail "readelf could not read $K"
    sed -n 's/.*(NEEDED).*\[\(.*\)\]/needed \1/p
        s/.*Requesting program interpreter: \(.*\)\]/interpreter \1/p
        s/^ *\(Class\|Machine\|Tag_CPU_arch\|Tag_FP_arch\): *\(.*\)/\1 \2/p' "$T/facts" >"$T/got"
else
    nt=$WINNT
    "$tool" -fp "$K" >"$T/headers" || fail "objdump could not read $K"
    # Machine and TimeDateStamp, past the "PE\0\0" that the DOS header's word at 0x3c points to.
    pe=$(od -A n --endian=little -t u4 -j 60 -N 4 "$K")
    # shellcheck disable=SC2046 # four numbers
    set -- $(od -A n --endian=little -t u2 -j $((pe + 4)) -N 8 "$K")
    printf 'machine %x\nstamp %d\n' "$1" $(($3 + $4 * 65536)) >"$T/got"
    awk '$1 ~ /^(Major|Minor)(OSystem|Subsystem)Version$|^Subsystem$/ { print $1, $2 }' \
        "$T/headers" >>"$T/got"
    # Each import by its row's last field (binutils 2.40 has no ordinal column) or "#N", held to the
    # list (DLLs in any case, NT major.minor).  LLVM's objdump (right on ARM64) heads DLLs "lookup".
    awk -v nt="$nt" -v list="$list" '
        function number(v, p) { split(v, p, "."); return p[1] * 100 + p[2] }
        FILENAME == list { if ($1 !~ /^#/) for (i = 3; i <= NF && $i !~ /^[(]/; i++)
            since[tolower($1) " " $i] = $2; next }
        /^[[:space:]]*DLL Name:/ { dll = tolower($3); next }
        /^[[:space:]]*$/ || $1 == "lookup" { dll = ""; next }
        dll == "" || $1 == "vma:" || $1 == "Hint/Ord" { next }
        { f = NF < 2 ? "?" $0 : $NF == "<none>" ? "#" $2 : $NF; key = dll " " f; n++ }
        !(key in since) { bad = bad " " f " (unlisted)"; next }
        number(since[key]) > number(nt) { bad = bad " " f " (NT " since[key] ")" }
        END { print "imports", n == 0 ? "none" : bad == "" ? "listed" : bad }' \
        "$list" "$T/headers" >>"$T/got"
    # The texts beside it, zipped too: CR LF line ends.
    for f in LICENSE.txt README.txt; do
        awk '!/\r$/ { bad = 1 } END { if (NR > 0 && !bad) printf "crlf %s\n", FILENAME }' \
            "$(dirname "$K")/$f" >>"$T/got"
    done
fi

# ON (PLATFORM:PROCESSOR:LINK) and WANT are patterns; an empty WANT, a value to lack.
major=${nt%.*} minor=${nt#*.}
while read -r on key want; do
    case $PLATFORM:$processor:$link in $on) ;; *) continue ;; esac
    eval "want=\"$want\""
    got=$(sed -n "s/^$key //p" "$T/got" | paste -s -d ' ' -)
    case $got in $want) passed=$((passed + 1)) ;; *) fail "$key: expected $want, got $got" ;; esac
    rows=$((rows + 1))
done <<'EOF_TABLE'
linux:x86_64:*    Class        ELF64
linux:x86_64:*    Machine      Advanced Micro Devices X86-64
linux:aarch64:*   Class        ELF64
linux:aarch64:*   Machine      AArch64
linux:arm:*       Class        ELF32
linux:arm:*       Machine      ARM
linux:arm:static  Tag_CPU_arch v5TE
linux:arm:static  Tag_FP_arch
linux:i686:*      Class        ELF32
linux:i686:*      Machine      Intel 80386
linux:s390x:*     Class        ELF64
linux:s390x:*     Machine      IBM S/390
linux:*:static    needed
linux:*:static    interpreter
linux:*:dynamic   needed       libc.so.6
linux:*:dynamic   interpreter  /lib*/ld-linux*.so.*
windows:x86_64:*  machine      8664
windows:i686:*    machine      14c
windows:aarch64:* machine      aa64
windows:*:*       stamp        ${SOURCE_DATE_EPOCH:-0}
windows:*:*       MajorOSystemVersion $major
windows:*:*       MinorOSystemVersion $minor
windows:*:*       MajorSubsystemVersion $major
windows:*:*       MinorSubsystemVersion $minor
windows:*:*       Subsystem    00000003
windows:*:*       imports      listed
windows:*:*       crlf         */LICENSE.txt */README.txt
EOF_TABLE
[ "$rows" -ge 4 ] || fail "no rows for $PLATFORM:$processor:$link"
finish
