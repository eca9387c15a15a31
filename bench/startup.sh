#!/bin/sh
# SPDX-License-Identifier: MIT
# Start-up cost of "korvanex m", the dynamic (glibc) build and the static
# (musl) one, each against an empty program built the same way, with
# "date +%m" for reference: user-space instructions (callgrind), peak RSS
# (GNU time) and wall time of a run.  Needs both builds configured in Release
# (presets native and static-x86_64), valgrind and GNU time.  Exits
# non-zero when a goal against an empty program is missed; date is no goal,
# since it changes from one Debian release to the next.
#   sh bench/startup.sh [DYNAMIC_BUILD_DIR [STATIC_BUILD_DIR]]
set -eu

dynamic=${1:-build-test/native}
static=${2:-build-test/static-x86_64}
runs=2000
rounds=3
cmake --build "$dynamic" --target korvanex empty spawn >/dev/null
cmake --build "$static" --target korvanex empty >/dev/null
DATE=$(command -v date)
T=$(mktemp)
trap 'rm -f "$T"' EXIT

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p'
}

# The middle of five runs, since the kernel keeps only an approximate count
# of resident pages.  ru_maxrss also takes in the copy of GNU time that ran
# before exec, so for a small static program this is GNU time's own figure
# (some 400 to 600 KiB here), with the program's own below it.
peak_rss_kib() {
    for i in 1 2 3 4 5; do
        /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1
    done | sort -n | sed -n 3p
}

# The smaller of a best so far (empty before the first) and a new figure.
best() {
    awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 < a + 0) ? b : a }'
}

instr_dk=$(instructions "$dynamic/korvanex" m)
instr_de=$(instructions "$dynamic/empty")
instr_sk=$(instructions "$static/korvanex" m)
instr_se=$(instructions "$static/empty")
instr_date=$(instructions "$DATE" +%m)
rss_dk=$(peak_rss_kib "$dynamic/korvanex" m)
rss_de=$(peak_rss_kib "$dynamic/empty")
rss_sk=$(peak_rss_kib "$static/korvanex" m)
rss_se=$(peak_rss_kib "$static/empty")
rss_date=$(peak_rss_kib "$DATE" +%m)

# Wall time: each program and its empty one take turns run by run
# (bench/spawn.cpp), so that noise on the machine falls on both alike, and
# apart from the other build, whose runs would leave the caches to the
# next; the median of each round, and of the rounds the best.
wall_dk='' wall_de='' wall_sk='' wall_se='' wall_date=''
r=1
while [ "$r" -le "$rounds" ]; do
    {
        "$dynamic/spawn" "$runs" "$dynamic/korvanex" m -- "$dynamic/empty"
        "$dynamic/spawn" "$runs" "$static/korvanex" m -- "$static/empty"
        "$dynamic/spawn" "$runs" "$DATE" +%m
    } >"$T"
    { read -r dk; read -r de; read -r sk; read -r se; read -r dd; } <"$T"
    wall_dk=$(best "$wall_dk" "$dk")
    wall_de=$(best "$wall_de" "$de")
    wall_sk=$(best "$wall_sk" "$sk")
    wall_se=$(best "$wall_se" "$se")
    wall_date=$(best "$wall_date" "$dd")
    r=$((r + 1))
done

ratio() {
    awk "BEGIN { printf \"%.3f\", $1 / $2 }"
}

if [ "${TZ+set}" ]; then echo "time zone: TZ=$TZ"; else echo "time zone: TZ unset, /etc/localtime"; fi
printf '%-19s %12s %14s %12s\n' program instructions "peak RSS (KiB)" "run (µs)"
row() {
    printf '%-19s %12s %14s %12s\n' "$1" "$2" "$3" "$4"
}
row "dynamic korvanex m" "$instr_dk" "$rss_dk" "$wall_dk"
row "dynamic empty" "$instr_de" "$rss_de" "$wall_de"
row "static korvanex m" "$instr_sk" "$rss_sk" "$wall_sk"
row "static empty" "$instr_se" "$rss_se" "$wall_se"
row "date +%m" "$instr_date" "$rss_date" "$wall_date"
printf '(wall time of a run: the median of %d, best of %d rounds)\n\n' "$runs" "$rounds"

missed=0
goal() {
    if [ "$2" = 1 ]; then
        echo "met:    $1"
    else
        echo "MISSED: $1"
        missed=1
    fi
}
goal "dynamic: instructions at most 1.10x its empty program's ($(ratio "$instr_dk" "$instr_de")x)" \
    "$(awk "BEGIN { print ($instr_dk <= 1.10 * $instr_de) }")"
goal "static: at most 10000 instructions ($instr_sk)" \
    "$([ "$instr_sk" -le 10000 ] && echo 1 || echo 0)"
goal "static: wall time at most 1.10x its empty program's ($(ratio "$wall_sk" "$wall_se")x)" \
    "$(awk "BEGIN { print ($wall_sk <= 1.10 * $wall_se) }")"
goal "static: peak RSS under 512 KiB ($rss_sk KiB)" \
    "$([ "$rss_sk" -lt 512 ] && echo 1 || echo 0)"
echo "for reference, against date +%m (the static program aims at a third at most):"
echo "        dynamic: instructions $(ratio "$instr_dk" "$instr_date")x, wall $(ratio "$wall_dk" "$wall_date")x"
echo "        static:  instructions $(ratio "$instr_sk" "$instr_date")x, wall $(ratio "$wall_sk" "$wall_date")x"
exit "$missed"
