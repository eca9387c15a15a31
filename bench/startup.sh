#!/bin/sh
# SPDX-License-Identifier: MIT
# Start-up cost of "korvanex m" against an empty program built the same way
# and against "date +%m": user-space instructions (callgrind), peak RSS, and
# wall time of 1000 runs.  Needs a Release build, valgrind and GNU time.
#   sh bench/startup.sh [BUILD_DIR]
set -eu

build=${1:-build}
runs=1000
cmake --build "$build" --target korvanex empty >/dev/null
K=$build/korvanex
E=$build/empty
DATE=$(command -v date)

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p'
}

peak_rss_kib() {
    /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1
}

wall_ms() {
    start=$(date +%s%N)
    i=0
    while [ "$i" -lt "$runs" ]; do
        "$@" >/dev/null || :
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

ik=$(instructions "$K" m)
ie=$(instructions "$E")
id=$(instructions "$DATE" +%m)
printf '%-16s %12s %14s\n' program instructions "peak RSS (KiB)"
printf '%-16s %12s %14s\n' "korvanex m" "$ik" "$(peak_rss_kib "$K" m)"
printf '%-16s %12s %14s\n' "empty program" "$ie" "$(peak_rss_kib "$E")"
printf '%-16s %12s %14s\n' "date +%m" "$id" "$(peak_rss_kib "$DATE" +%m)"

wk=$(wall_ms "$K" m)
wd=$(wall_ms "$DATE" +%m)
printf '\nwall time of %d runs: korvanex m %d ms, date +%%m %d ms\n\n' "$runs" "$wk" "$wd"

missed=0
goal() {
    if [ "$2" = 1 ]; then
        echo "met:    $1"
    else
        echo "MISSED: $1"
        missed=1
    fi
}
goal "instructions at most 1.10x the empty program's ($(awk "BEGIN { printf \"%.3f\", $ik / $ie }")x)" \
    "$(awk "BEGIN { print ($ik <= 1.10 * $ie) }")"
goal "instructions under half of date's ($(awk "BEGIN { printf \"%.3f\", $ik / $id }")x)" \
    "$(awk "BEGIN { print ($ik < 0.5 * $id) }")"
goal "less wall time than date" "$([ "$wk" -lt "$wd" ] && echo 1 || echo 0)"
exit "$missed"
