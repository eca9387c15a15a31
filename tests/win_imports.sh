#!/bin/sh
# The Windows program imports the system's own DLLs only, so that it runs
# when copied alone onto any Windows machine.
#   win_imports.sh OBJDUMP PROGRAM.exe
set -u
dlls=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p')
passed=0
failed=0
for dll in $dlls; do
    case $(printf %s "$dll" | tr A-Z a-z) in
    kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll)
        passed=$((passed + 1))
        ;;
    *)
        echo "FAIL: imports $dll"
        failed=$((failed + 1))
        ;;
    esac
done
case " $(echo $dlls | tr A-Z a-z) " in
*" kernel32.dll "*) passed=$((passed + 1)) ;;
*)
    echo "FAIL: no import table read (got: $dlls)"
    failed=$((failed + 1))
    ;;
esac
printf '%d passed, %d failed\n' "$passed" "$failed"
[ "$failed" -eq 0 ]
