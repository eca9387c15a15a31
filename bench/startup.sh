#!/bin/sh
# SPDX-License-Identifier: MIT
# Start-up cost of korvanex m (bench/README.md).
#   [RUNS=N] sh bench/startup.sh [DYNAMIC_BUILD_DIR [STATIC_BUILD_DIR]]
set -eu

dynamic=${1:-build-test/native}
static=${2:-build-test/static-x86_64}
runs=${RUNS:-2000}
command -v valgrind >/dev/null ||
    { echo "valgrind not installed (Debian package valgrind)" >&2; exit 2; }
cmake --build "$dynamic" --target korvanex empty floor spawn >/dev/null
cmake --build "$static" --target korvanex empty floor >/dev/null
# shellcheck source=scripts/prologue.sh
. "$(dirname "$0")/../scripts/prologue.sh"

# Instructions, once each: callgrind counts alike every time.
{
    printf '%s-korvanex %s/korvanex m\n%s-floor %s/floor\n%s-empty %s/empty\n' \
        dynamic "$dynamic" dynamic "$dynamic" dynamic "$dynamic" \
        static "$static" static "$static" static "$static"
    echo "date $(command -v date) +%m"
} | while read -r name program; do
    # shellcheck disable=SC2086 # the program and its arguments
    count=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null $program 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p')
    # valgrind's status is the program's: a count means success.
    [ -n "$count" ] || exit 1
    echo "$name $count"
done >"$T/instr"

# Wall time: the programs take turns, so that noise falls on all.  Faults: the last round's.
for round in 1 2 3; do
    for dir in "$dynamic" "$static"; do
        "$dynamic/spawn" "$runs" "$dir/korvanex" m -- "$dir/floor" -- "$dir/empty"
    done >"$T/wall"
    "$dynamic/spawn" "$runs" "$(command -v date)" +%m >>"$T/wall"
    paste -d ' ' "$T/instr" "$T/wall" | sed "s/^/$round /"
done >"$T/rounds"

zone="TZ unset, /etc/localtime"
[ -z "${TZ+set}" ] || zone="TZ=$TZ"
echo "time zone: $zone"
# From "ROUND NAME INSTRUCTIONS WALL FAULTS" lines.
awk -v runs="$runs" '
    {
        i[$2] = $3
        f[$2] = $5
        if (!($2 in w) || $4 < w[$2]) w[$2] = $4
        if (!($2 in seen)) { seen[$2]; order[++n] = $2 }
    }
    function goal(text, met) {
        printf "%s %s\n", met ? "met:   " : "MISSED:", text
        if (!met) missed = 1
    }
    function r(a, b) { return sprintf("%.3fx", a / b) }
    END {
        form = "%-19s %12s %12s %12s\n"
        printf form, "program", "instructions", "page faults", "run (µs)"
        for (k = 1; k <= n; k++) printf form, order[k], i[order[k]], f[order[k]], w[order[k]]
        printf "(wall time of a run: the median of %d, best of 3 rounds)\n\n", runs
        goal("dynamic: instructions at most 1.10x its empty program\047s (" \
            r(i["dynamic-korvanex"], i["dynamic-empty"]) ")",
            i["dynamic-korvanex"] <= 1.10 * i["dynamic-empty"])
        goal("static: at most 10000 instructions (" i["static-korvanex"] ")",
            i["static-korvanex"] <= 10000)
        goal("static: wall time at most 1.03x its floor\047s (" \
            r(w["static-korvanex"], w["static-floor"]) ")",
            w["static-korvanex"] <= 1.03 * w["static-floor"])
        for (b = 1; b <= 2; b++) {
            build = b == 1 ? "dynamic" : "static"
            goal(build ": page faults at most 2 more than its floor\047s (" f[build "-korvanex"] \
                ", floor " f[build "-floor"] ")", f[build "-korvanex"] <= f[build "-floor"] + 2)
        }
        print "for reference: floor against empty, wall: dynamic " \
            r(w["dynamic-floor"], w["dynamic-empty"]) ", static " \
            r(w["static-floor"], w["static-empty"])
        print "               against date +%m, instructions: dynamic " \
            r(i["dynamic-korvanex"], i["date"]) ", static " r(i["static-korvanex"], i["date"])
        exit missed
    }' "$T/rounds"
