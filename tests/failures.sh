#!/bin/sh
# SPDX-License-Identifier: MIT
# Output that cannot be written changes neither the status nor stderr:
# standard output closed, a full disk, a file at its size limit, a reader
# gone.  The running clock: the program itself, not a stand-in.
. "$(dirname "$0")/lib.sh"

# Wine cannot run under a file size limit of 0: Linux's alone.
for args in - m d x; do
    want=$(echo "$args" | sed 's/^-$/0/; s/^m$/%-m/; s/^d$/%-d/; s/^x$/255/')
    while read -r on how; do
        run "$on" "$how" - "$want" "$args"
    done <<'EOF_TABLE'
all    closed
all    full
linux  limit
all    gone
EOF_TABLE
done
go
