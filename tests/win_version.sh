#!/bin/sh
# The version resource that Explorer and PowerShell show.
#   win_version.sh PROGRAM.exe VERSION
set -u
strings -el -n 3 "$1" >"${TMPDIR:-/tmp}/korvanex-version.$$"
passed=0
failed=0
while read -r key want; do
    [ "$want" = @VERSION@ ] && want=$2
    got=$(grep -A1 -x "$key" "${TMPDIR:-/tmp}/korvanex-version.$$" | sed -n 2p)
    if [ "$got" = "$want" ]; then
        passed=$((passed + 1))
    else
        echo "FAIL: $key: expected '$want', got '$got'"
        failed=$((failed + 1))
    fi
done <<'EOF_TABLE'
FileVersion @VERSION@
ProductVersion @VERSION@
ProductName korvanex
OriginalFilename korvanex.exe
FileDescription Local date and time as an exit status
EOF_TABLE
rm -f "${TMPDIR:-/tmp}/korvanex-version.$$"
printf '%d passed, %d failed\n' "$passed" "$failed"
[ "$failed" -eq 0 ]
