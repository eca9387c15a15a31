#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows program is built for the CPU it is named for, and imports the
# system's own DLLs only, so that it runs when copied alone onto any Windows
# machine.
#   win_imports.sh PROGRAM.exe OBJDUMP FORMAT
. "$(dirname "$0")/lib.sh"

check "object format" "$3" "$("$2" -f "$K" | sed -n 's/.*file format //p')"

dlls=$("$2" -p "$K" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr A-Z a-z)
for dll in $dlls; do
    case $dll in
    kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) passed=$((passed + 1)) ;;
    *) fail "imports $dll" ;;
    esac
done
case " $(echo $dlls) " in
*" kernel32.dll "*) passed=$((passed + 1)) ;;
*) fail "no import table read (got: $dlls)" ;;
esac

finish
