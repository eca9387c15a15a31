#!/bin/sh
# SPDX-License-Identifier: MIT
# The clock is read as local time: time zone and daylight saving applied.
. "$(dirname "$0")/lib.sh"
need_zone Asia/Kolkata
need_zone right/UTC

# rows: reads "INSTANT ZONE LETTER STATUS" lines.
rows() {
    while read -r at tz letter want; do
        TZ=$tz
        export TZ
        frozen "$at" "$K" "$letter" >/dev/null 2>&1
        check "$at UTC in $tz, '$letter'" "$want" "$?"
    done
}

rows <<'EOF_TABLE'
2026-12-07T12:00:00 UTC0 h 12
2026-12-07T12:00:00 JST-9 h 21
2026-12-07T12:00:00 EST5EDT,M3.2.0,M11.1.0 h 7
2026-07-01T12:00:00 EST5EDT,M3.2.0,M11.1.0 h 8
2026-07-01T12:00:00 <-0930>9:30 h 2
2026-07-01T12:00:00 <-0930>9:30 i 30
2026-12-31T20:00:00 UTC0 y 26
2026-12-31T20:00:00 JST-9 y 27
2026-12-31T20:00:00 JST-9 m 1
2026-12-31T20:00:00 JST-9 d 1
2100-01-01T02:00:00 EST5 c 20
2100-01-01T02:00:00 EST5 y 99
EOF_TABLE

# The running clock in zones half an hour off UTC, from the zone file and
# from a POSIX string, each status read around from date in that zone.
while read -r tz letter format; do
    TZ=$tz
    export TZ
    running "$format" "$K" "$letter"
    check "running clock in $tz, '$letter'" "$want" "$got"
done <<'EOF_TABLE'
Asia/Kolkata h %-H
Asia/Kolkata i %-M
<+0530>-5:30 h %-H
<+0530>-5:30 i %-M
EOF_TABLE

# In a right/ zone the clock counts leap seconds: 2016-12-31 23:59:60 is
# shown as 23:59:59.  musl reads no leap-second records, and shows the
# count as it is: 27 seconds ahead.
if [ "${LIBC:-}" = musl ]; then
    rows <<'EOF_TABLE'
@1483228826 right/UTC s 26
@1483228826 right/UTC d 1
EOF_TABLE
else
    rows <<'EOF_TABLE'
@1483228825 right/UTC s 59
@1483228826 right/UTC s 59
@1483228826 right/UTC i 59
@1483228826 right/UTC d 31
@1483228827 right/UTC s 0
@1483228827 right/UTC d 1
EOF_TABLE
fi

finish
