#!/bin/sh
# SPDX-License-Identifier: MIT
# The exit status at chosen instants, for every letter in both cases.
. "$(dirname "$0")/lib.sh"

TZ=UTC0
export TZ

# The year leaves as its last two digits: the status holds 8 bits here.
# shellcheck disable=SC2034 # m to s are read through eval
while read -r day time m d y c h i s; do
    for letter in m d y c h i s; do
        eval "want=\$$letter"
        for arg in "$letter" "$(printf %s "$letter" | tr '[:lower:]' '[:upper:]')"; do
            frozen "$day $time" "$K" "$arg" >/dev/null 2>&1
            check "$day $time, '$arg'" "$want" "$?"
        done
    done
done <<'EOF_TABLE'
1999-12-31 23:59:59 12 31 99 19 23 59 59
2000-01-01 00:00:00  1  1  0 20  0  0  0
2099-12-31 23:59:59 12 31 99 20 23 59 59
2100-01-01 00:00:00  1  1  0 21  0  0  0
2026-12-07 13:29:05 12  7 26 20 13 29  5
2026-02-28 23:59:00  2 28 26 20 23 59  0
2024-02-29 12:34:56  2 29 24 20 12 34 56
2038-01-19 03:14:07  1 19 38 20  3 14  7
2038-01-19 03:14:08  1 19 38 20  3 14  8
2106-02-07 06:28:16  2  7  6 21  6 28 16
25499-12-31 23:59:59 12 31 99 254 23 59 59
0000-01-01 00:00:00  1  1  0  0  0  0  0
EOF_TABLE

# The running clock, each status read around from date.
while read -r letter format; do
    running "$format" "$K" "$letter"
    check "running clock, '$letter'" "$want" "$got"
done <<'EOF_TABLE'
m %-m
D %-d
y %-y
C %-C
h %-H
I %-M
s %-S
EOF_TABLE

# A clock that names a year the record cannot hold (0 to 65535), or that
# the C library cannot convert, gives no value: 255, as for an unknown
# letter; so does a century past 254, which an 8-bit status cannot carry.
# The usage path never reads the clock.
while read -r at letters; do
    for arg in $letters; do
        frozen "$at" "$K" "$arg" >/dev/null 2>&1
        check "$at, '$arg'" 255 "$?"
    done
    frozen "$at" "$K" >/dev/null 2>&1
    check "$at, no argument" 0 "$?"
done <<'EOF_TABLE'
65536-01-01T00:00:00 m y c s
@-62167219201 m y c s
@9223372036854775807 m y c s
25500-01-01T00:00:00 c C
EOF_TABLE

finish
