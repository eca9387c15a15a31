#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints targets.txt's FIELDs (names below), a stanza a line, "-" for one left out; with -- PATTERN,
# of the stanzas whose fields, a line in that order, match that ERE.  users (spaces) goes last.
#   sh scripts/targets.sh FIELD... [-- PATTERN]
set -eu
fields=
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    fields="$fields $1"
    shift
done
awk -v fields="$fields" -v pattern="${2-}" '
    BEGIN {
        n = split("name toolchain bootstrap release options packages users", names, " ")
        for (i = 1; i <= n; i++) known[names[i]]
        wanted = split(fields, want, " ")
        for (i = 1; i <= wanted; i++) if (!(want[i] in known)) fault("no field " want[i])
        RS = ""
        FS = "\n"
    }
    function fault(text) {
        print "targets: " text > "/dev/stderr"
        exit 2
    }
    /^#/ { next }
    {
        for (i = 1; i <= n; i++) value[names[i]] = "-"
        for (i = 1; i <= NF; i++) {
            # A line that starts with spaces goes on with the field above.
            if ($i ~ /^ +[^ ]/ && i > 1) {
                sub(/^ +/, "", $i)
                value[key] = value[key] $i
                continue
            }
            key = $i
            sub(/: .*/, "", key)
            if (!(key in known) || $i !~ /^[a-z]+: [^ ]/) fault("targets.txt: not a field: " $i)
            value[key] = substr($i, length(key) + 3)
        }
        line = value["name"]
        for (i = 2; i <= n; i++) line = line " " value[names[i]]
        if (line !~ pattern) next
        line = value[want[1]]
        for (i = 2; i <= wanted; i++) line = line " " value[want[i]]
        print line
    }' "$(dirname "$0")/../targets.txt"
