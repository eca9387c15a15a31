#!/bin/sh
# The clock is read as local time: time zone and daylight saving applied.
. "$(dirname "$0")/lib.sh"

while read -r day time tz letter want; do
    TZ=$tz
    export TZ
    frozen "$day $time" "$K" "$letter" >/dev/null 2>&1
    check "$day $time UTC in $tz, '$letter'" "$want" "$?"
done <<'EOF_TABLE'
2026-12-07 12:00:00 UTC0 h 12
2026-12-07 12:00:00 JST-9 h 21
2026-12-07 12:00:00 EST5EDT,M3.2.0,M11.1.0 h 7
2026-07-01 12:00:00 EST5EDT,M3.2.0,M11.1.0 h 8
2026-07-01 12:00:00 <-0930>9:30 h 2
2026-07-01 12:00:00 <-0930>9:30 i 30
2026-12-31 20:00:00 UTC0 y 26
2026-12-31 20:00:00 JST-9 y 27
2026-12-31 20:00:00 JST-9 m 1
2026-12-31 20:00:00 JST-9 d 1
2100-01-01 02:00:00 EST5 c 20
2100-01-01 02:00:00 EST5 y 99
EOF_TABLE

finish
