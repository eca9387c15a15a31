#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows program is built for the CPU it is named for, is a console
# program, and runs on the oldest Windows that its zip states: its PE header
# says that version (an older Windows refuses it then), and it imports only
# functions of the system's own DLLs that the list of imports gives as no
# newer.  Wine has later calls too, so only this shows that.
#   win_imports.sh PROGRAM.exe OBJDUMP FORMAT ZIP IMPORTS_LIST
# ZIP is win32 or win64; IMPORTS_LIST is packaging/windows/imports.txt.
. "$(dirname "$0")/lib.sh"
objdump=$2 format=$3 zip=$4 list=$5

check "object format" "$format" "$("$objdump" -f "$K" | sed -n 's/.*file format //p')"
"$objdump" -p "$K" >"$T/headers" || fail "$objdump -p $K failed"

nt=$(awk -v zip="$zip" '$1 == "zip" && $2 == zip { print $3 }' "$list")
[ -n "$nt" ] || fail "$list states no oldest Windows for $zip"
major=${nt%.*} minor=${nt#*.}
while read -r field want; do
    check "PE header $field" "$want" "$(awk -v f="$field" '$1 == f { print $2 }' "$T/headers")"
done <<EOF_TABLE
MajorOSystemVersion $major
MinorOSystemVersion $minor
MajorSubsystemVersion $major
MinorSubsystemVersion $minor
Subsystem 00000003
EOF_TABLE

# Each imported function as "DLL FUNCTION" (ordinals as "#N"): the rows of
# each "DLL Name:" block, up to the blank line that ends it.  The name is
# the row's last field: binutils 2.40 writes "vma hint name", later ones
# "vma ordinal hint name", and "<none>" for the name of an ordinal import.
awk '/^[[:space:]]*DLL Name:/ { dll = $3; next }
     /^[[:space:]]*$/ { dll = ""; next }
     dll == "" || $1 == "vma:" { next }
     NF < 3 { print dll, "?" $0; next }
     { print dll, ($NF == "<none>" ? "#" $2 : $NF) }' "$T/headers" >"$T/imports"
grep -qi '^kernel32[.]dll ' "$T/imports" || fail "no import table read from $K"

# DLL names in either case, as Windows takes them; versions as NT major.minor.
awk -v nt="$nt" -v list="$list" '
    function number(v, p) { split(v, p, "."); return p[1] * 100 + p[2] }
    FILENAME == list { if ($1 !~ /^(#|zip$)/ && NF >= 3) since[tolower($1) " " $2] = $3; next }
    { key = tolower($1) " " $2 }
    !(key in since) { print "FAIL: imports " $2 " from " $1 ", not in " list " (add it with the oldest Windows that documents it)"; next }
    number(since[key]) > number(nt) { print "FAIL: imports " $2 " from " $1 ", of NT " since[key] ", newer than NT " nt; next }
    { print "ok" }' "$list" "$T/imports" >"$T/verdicts"
passed=$((passed + $(grep -c '^ok$' "$T/verdicts")))
failed=$((failed + $(grep -c '^FAIL: ' "$T/verdicts")))
grep '^FAIL: ' "$T/verdicts"

finish
