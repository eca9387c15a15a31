#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints columns of targets.txt, one row a line, in the order of the rows:
#   sh scripts/targets.sh COLUMN... [-- PATTERN]
# COLUMN is a heading of the table (name, toolchain, release, options,
# packages); with -- PATTERN, only the rows whose line matches the extended
# regular expression PATTERN.
set -eu
table=$(dirname "$0")/../targets.txt
columns='' pattern=''
while [ $# -gt 0 ]; do
    case $1 in
    --)
        pattern=${2-}
        break
        ;;
    *) columns="$columns $1" ;;
    esac
    shift
done
awk -v columns="$columns" -v pattern="$pattern" '
    BEGIN {
        n = split("name toolchain release options packages", names, " ")
        for (i = 1; i <= n; i++) index_of[names[i]] = i
        wanted = split(columns, want, " ")
        for (i = 1; i <= wanted; i++)
            if (!(want[i] in index_of)) {
                print "targets: no column " want[i] > "/dev/stderr"
                exit 2
            }
    }
    /^#/ || NF == 0 { next }
    NF != n { print "targets.txt:" NR ": " NF " columns, not " n > "/dev/stderr"; exit 2 }
    pattern != "" && $0 !~ pattern { next }
    {
        line = ""
        for (i = 1; i <= wanted; i++) line = line (i > 1 ? " " : "") $index_of[want[i]]
        print line
    }' "$table"
