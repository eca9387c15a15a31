#!/bin/sh
# SPDX-License-Identifier: MIT
# The status for every letter in both cases, at chosen instants (Windows: on clock_script) and on
# the running clock.
. "$(dirname "$0")/lib.sh"

# The year: its last two digits where the status holds 8 bits (y), all of it where 32 (y32).
zone=UTC0
# shellcheck disable=SC2034 # read through eval
while read -r at m d y y32 c h i s; do
    [ "$PLATFORM" = windows ] && y=$y32
    for l in m d y c h i s; do
        eval "want=\$$l"
        queue all file "$at" "$want" "$l"
        queue all file "$at" "$want" "$(echo "$l" | tr '[:lower:]' '[:upper:]')"
    done
done <<'EOF_TABLE'
1999-12-31T23:59:59 12 31 99 1999 19 23 59 59
2000-01-01T00:00:00  1  1  0 2000 20  0  0  0
2099-12-31T23:59:59 12 31 99 2099 20 23 59 59
2100-01-01T00:00:00  1  1  0 2100 21  0  0  0
2026-12-07T13:29:05 12  7 26 2026 20 13 29  5
2024-02-29T12:34:56  2 29 24 2024 20 12 34 56
2038-01-19T03:14:08  1 19 38 2038 20  3 14  8
2106-02-07T06:28:16  2  7  6 2106 21  6 28 16
25499-12-31T23:59:59 12 31 99 25499 254 23 59 59
0000-01-01T00:00:00  1  1  0    0  0  0  0  0
EOF_TABLE

# A year out of 0 to 65535, or that the C library cannot convert, gives 255, as does a century an
# 8-bit status cannot carry; without a letter the clock is never read.
while read -r on at want args; do
    queue "$on" file "$at" "$want" "$args"
done <<'EOF_TABLE'
linux   65535-12-31T23:59:59   12  m
linux   65535-12-31T23:59:59   35  y
linux   65536-01-01T00:00:00   255 m
linux   65536-01-01T00:00:00   255 c
linux   65536-01-01T00:00:00   0   -
linux   @-62167219201          255 y
linux   @9223372036854775807   255 s
linux   25500-01-01T00:00:00   255 C
linux   25600-01-01T00:00:00   255 c
linux   25600-01-01T00:00:00   0   y
windows 25600-01-01T00:00:00   256 c
windows 25600-01-01T00:00:00 25600 Y
windows 65535-12-31T23:59:59 65535 y
windows 65535-12-31T23:59:59   655 c
EOF_TABLE

# The running clock, in the caller's zone (for Wine, half an hour off UTC).
zone=-
y=%-y
[ "$PLATFORM" = windows ] && y=%Y
for l in m:%-m d:%-d y:$y c:%-C h:%-H i:%-M s:%-S; do queue all file - "${l#*:}" "${l%:*}"; done
run_queued
