#!/bin/sh
# SPDX-License-Identifier: MIT
# Start-up cost of "korvanex m", the dynamic (glibc) build and the static
# (musl) one, each against an empty program built the same way, with
# "date +%m" for reference: user-space instructions (callgrind), peak RSS
# (GNU time) and wall time.  Needs both builds configured in Release (presets
# native and static-x86_64), valgrind and GNU time (/usr/bin/time).  Exits
# non-zero when a goal against an empty program is missed; date is no goal,
# since it changes from one Debian release to the next.
#   sh bench/startup.sh [DYNAMIC_BUILD_DIR [STATIC_BUILD_DIR]]
set -eu

dynamic=${1:-build-test/native}
static=${2:-build-test/static-x86_64}
runs=1000
batches=5
for dir in "$dynamic" "$static"; do
    cmake --build "$dir" --target korvanex empty >/dev/null
done
DATE=$(command -v date)

# Each program by a short name, so that the loops below can take turns.
run() {
    case $1 in
    dk) "$dynamic/korvanex" m ;;
    de) "$dynamic/empty" ;;
    sk) "$static/korvanex" m ;;
    se) "$static/empty" ;;
    date) "$DATE" +%m ;;
    esac
}

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

# Microseconds for one batch of runs.
batch_us() {
    start=$(date +%s%N)
    i=0
    while [ "$i" -lt "$runs" ]; do
        run "$1" >/dev/null || :
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# The smaller of a best so far (empty before the first) and a new figure.
best() {
    if [ -z "$1" ] || [ "$2" -lt "$1" ]; then echo "$2"; else echo "$1"; fi
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

# Every program in turn within a round, the order reversed each round, so
# that noise on the machine falls on all of them alike; each keeps its best
# batch.
wall_dk='' wall_de='' wall_sk='' wall_se='' wall_date=''
b=1
while [ "$b" -le "$batches" ]; do
    if [ $((b % 2)) = 1 ]; then order="dk de sk se date"; else order="date se sk de dk"; fi
    for p in $order; do
        us=$(batch_us "$p")
        case $p in
        dk) wall_dk=$(best "$wall_dk" "$us") ;;
        de) wall_de=$(best "$wall_de" "$us") ;;
        sk) wall_sk=$(best "$wall_sk" "$us") ;;
        se) wall_se=$(best "$wall_se" "$us") ;;
        date) wall_date=$(best "$wall_date" "$us") ;;
        esac
    done
    b=$((b + 1))
done

ms() {
    printf '%d.%d' $(($1 / 1000)) $(($1 % 1000 / 100))
}
ratio() {
    awk "BEGIN { printf \"%.3f\", $1 / $2 }"
}

if [ "${TZ+set}" ]; then echo "time zone: TZ=$TZ"; else echo "time zone: TZ unset, /etc/localtime"; fi
printf '%-19s %12s %14s %16s\n' program instructions "peak RSS (KiB)" "best batch (ms)"
row() {
    printf '%-19s %12s %14s %16s\n' "$1" "$2" "$3" "$(ms "$4")"
}
row "dynamic korvanex m" "$instr_dk" "$rss_dk" "$wall_dk"
row "dynamic empty" "$instr_de" "$rss_de" "$wall_de"
row "static korvanex m" "$instr_sk" "$rss_sk" "$wall_sk"
row "static empty" "$instr_se" "$rss_se" "$wall_se"
row "date +%m" "$instr_date" "$rss_date" "$wall_date"
printf '(wall time: best of %d batches of %d runs each)\n\n' "$batches" "$runs"

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
