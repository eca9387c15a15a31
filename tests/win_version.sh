#!/bin/sh
# SPDX-License-Identifier: MIT
# The version resource that Explorer and PowerShell show.
#   win_version.sh PROGRAM.exe VERSION
. "$(dirname "$0")/lib.sh"
need strings binutils

strings -el -n 3 "$K" >"$T/strings"
while read -r key want; do
    [ "$want" = @VERSION@ ] && want=$2
    check "$key" "$want" "$(grep -A1 -x "$key" "$T/strings" | sed -n 2p)"
done <<'EOF_TABLE'
FileVersion @VERSION@
ProductVersion @VERSION@
ProductName korvanex
OriginalFilename korvanex.exe
FileDescription Local date and time as an exit status
EOF_TABLE

finish
