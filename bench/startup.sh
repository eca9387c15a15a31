#!/bin/sh
# SPDX-License-Identifier: MIT
# Start-up cost of "korvanex m", the dynamic (glibc) build and the static
# (musl) one, each beside two programs built the same way: an empty one, and
# the floor (bench/floor.cpp: the banner, one clock read as local time, the
# exit), the least the job itself costs.  Figures: user-space instructions
# (callgrind), page faults (the program's own pages touched, from wait4) and
# wall time of a run; "date +%m" for reference.  Needs both builds
# configured in Release (sh scripts/test.sh native static-x86_64) and valgrind.
# Exits 1 when a goal is missed (see bench/README.md).
#   [RUNS=N] sh bench/startup.sh [DYNAMIC_BUILD_DIR [STATIC_BUILD_DIR]]
set -eu

dynamic=${1:-build-test/native}
static=${2:-build-test/static-x86_64}
runs=${RUNS:-2000}
rounds=3
command -v valgrind >/dev/null || {
    echo "valgrind not installed (Debian package valgrind)" >&2
    exit 2
}
cmake --build "$dynamic" --target korvanex empty floor spawn >/dev/null
cmake --build "$static" --target korvanex empty floor >/dev/null
DATE=$(command -v date)
T=$(mktemp)
trap 'rm -f "$T"' EXIT

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p'
}

# The smaller of a best so far (empty before the first) and a new figure.
best() {
    awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 < a + 0) ? b : a }'
}

instr_dk=$(instructions "$dynamic/korvanex" m)
instr_df=$(instructions "$dynamic/floor")
instr_de=$(instructions "$dynamic/empty")
instr_sk=$(instructions "$static/korvanex" m)
instr_sf=$(instructions "$static/floor")
instr_se=$(instructions "$static/empty")
instr_date=$(instructions "$DATE" +%m)

# Wall time: each program, its floor and its empty one take turns run by run
# (bench/spawn.cpp), so that noise on the machine falls on all alike, and
# apart from the other build, whose runs would leave the caches to the
# next; the median of each round, and of the rounds the best.  Page faults
# vary little: the median of the last round.
wall_dk='' wall_df='' wall_de='' wall_sk='' wall_sf='' wall_se='' wall_date=''
r=1
while [ "$r" -le "$rounds" ]; do
    {
        "$dynamic/spawn" "$runs" "$dynamic/korvanex" m -- "$dynamic/floor" -- "$dynamic/empty"
        "$dynamic/spawn" "$runs" "$static/korvanex" m -- "$static/floor" -- "$static/empty"
        "$dynamic/spawn" "$runs" "$DATE" +%m
    } >"$T"
    {
        read -r dk pf_dk
        read -r df pf_df
        read -r de pf_de
        read -r sk pf_sk
        read -r sf pf_sf
        read -r se pf_se
        read -r dd pf_date
    } <"$T"
    wall_dk=$(best "$wall_dk" "$dk")
    wall_df=$(best "$wall_df" "$df")
    wall_de=$(best "$wall_de" "$de")
    wall_sk=$(best "$wall_sk" "$sk")
    wall_sf=$(best "$wall_sf" "$sf")
    wall_se=$(best "$wall_se" "$se")
    wall_date=$(best "$wall_date" "$dd")
    r=$((r + 1))
done

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'
}

if [ "${TZ+set}" ]; then echo "time zone: TZ=$TZ"; else echo "time zone: TZ unset, /etc/localtime"; fi
printf '%-19s %12s %12s %12s\n' program instructions "page faults" "run (µs)"
row() {
    printf '%-19s %12s %12s %12s\n' "$1" "$2" "$3" "$4"
}
row "dynamic korvanex m" "$instr_dk" "$pf_dk" "$wall_dk"
row "dynamic floor" "$instr_df" "$pf_df" "$wall_df"
row "dynamic empty" "$instr_de" "$pf_de" "$wall_de"
row "static korvanex m" "$instr_sk" "$pf_sk" "$wall_sk"
row "static floor" "$instr_sf" "$pf_sf" "$wall_sf"
row "static empty" "$instr_se" "$pf_se" "$wall_se"
row "date +%m" "$instr_date" "$pf_date" "$wall_date"
printf '(wall time of a run: the median of %d, best of %d rounds)\n\n' "$runs" "$rounds"

missed=0
# goal TEXT A OP B: met when A OP B holds (awk's comparison, so decimals).
goal() {
    if awk -v a="$2" -v b="$4" "BEGIN { exit !(a $3 b) }"; then
        echo "met:    $1"
    else
        echo "MISSED: $1"
        missed=1
    fi
}
goal "dynamic: instructions at most 1.10x its empty program's ($(ratio "$instr_dk" "$instr_de")x)" \
    "$instr_dk" "<=" "$(awk -v e="$instr_de" 'BEGIN { print 1.10 * e }')"
goal "static: at most 10000 instructions ($instr_sk)" "$instr_sk" "<=" 10000
goal "static: wall time at most 1.03x its floor's ($(ratio "$wall_sk" "$wall_sf")x)" \
    "$wall_sk" "<=" "$(awk -v f="$wall_sf" 'BEGIN { print 1.03 * f }')"
goal "dynamic: page faults at most 2 more than its floor's ($pf_dk, floor $pf_df)" \
    "$pf_dk" "<=" "$((pf_df + 2))"
goal "static: page faults at most 2 more than its floor's ($pf_sk, floor $pf_sf)" \
    "$pf_sk" "<=" "$((pf_sf + 2))"
echo "for reference:"
echo "        floor against empty: dynamic wall $(ratio "$wall_df" "$wall_de")x, static wall $(ratio "$wall_sf" "$wall_se")x"
echo "        against date +%m: dynamic instructions $(ratio "$instr_dk" "$instr_date")x, wall $(ratio "$wall_dk" "$wall_date")x;"
echo "                          static instructions $(ratio "$instr_sk" "$instr_date")x, wall $(ratio "$wall_sk" "$wall_date")x"
exit "$missed"
