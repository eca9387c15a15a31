#!/bin/sh
# SPDX-License-Identifier: MIT
# The clock is read as local time.  Windows's zone is Wine's (IST-5:30), which a frozen stand-in
# would skip: there the running clock alone.
. "$(dirname "$0")/lib.sh"
need_zone Asia/Kolkata
need_zone right/UTC

# A right/ zone counts leap seconds: 2016-12-31 23:59:60 shows as 23:59:59; musl reads no leap
# seconds and shows the count, 27 seconds ahead.
libc=${LIBC:-glibc}
while read -r on tz at want args; do
    case $on in glibc | musl) [ "$on" = "$libc" ] && on=linux ;; esac
    zone=$tz
    queue "$on" file "$at" "$want" "$args"
done <<'EOF_TABLE'
linux  UTC0                    2026-12-07T12:00:00 12 h
linux  JST-9                   2026-12-07T12:00:00 21 h
linux  EST5EDT,M3.2.0,M11.1.0  2026-12-07T12:00:00 7  h
linux  EST5EDT,M3.2.0,M11.1.0  2026-07-01T12:00:00 8  h
linux  <-0930>9:30             2026-07-01T12:00:00 2  h
linux  <-0930>9:30             2026-07-01T12:00:00 30 i
linux  JST-9                   2026-12-31T20:00:00 27 y
linux  JST-9                   2026-12-31T20:00:00 1  m
linux  JST-9                   2026-12-31T20:00:00 1  d
linux  EST5                    2100-01-01T02:00:00 20 c
linux  EST5                    2100-01-01T02:00:00 99 y
linux  Asia/Kolkata            -                   %-H h
linux  Asia/Kolkata            -                   %-M i
all    IST-5:30                -                   %-H h
all    IST-5:30                -                   %-M i
all    IST-5:30                -                   %-M I
glibc  right/UTC               @1483228825         59 s
glibc  right/UTC               @1483228826         59 s
glibc  right/UTC               @1483228826         59 i
glibc  right/UTC               @1483228826         31 d
glibc  right/UTC               @1483228827         0  s
glibc  right/UTC               @1483228827         1  d
musl   right/UTC               @1483228826         26 s
musl   right/UTC               @1483228826         1  d
EOF_TABLE
run_queued
