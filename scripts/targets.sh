#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints columns of targets.txt (name, toolchain, release, options, packages), a row a line in the rows'
# order; with -- PATTERN, only the rows whose line matches that extended regular expression.
#   sh scripts/targets.sh COLUMN... [-- PATTERN]
set -eu
columns=
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    columns="$columns $1" && shift
done
awk -v columns="$columns" -v pattern="${2-}" '
    BEGIN {
        n = split("name toolchain release options packages", names, " ")
        for (i = 1; i <= n; i++) index_of[names[i]] = i
        wanted = split(columns, want, " ")
        for (i = 1; i <= wanted; i++)
            if (!(want[i] in index_of)) { print "targets: no column " want[i] > "/dev/stderr"; exit 2 }
    }
    /^#/ || NF == 0 { next }
    NF != n { print "targets.txt:" NR ": " NF " columns, not " n > "/dev/stderr"; exit 2 }
    $0 ~ pattern {
        line = $index_of[want[1]]
        for (i = 2; i <= wanted; i++) line = line " " $index_of[want[i]]
        print line
    }' "$(dirname "$0")/../targets.txt"
