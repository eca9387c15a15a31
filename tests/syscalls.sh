#!/bin/sh
# SPDX-License-Identifier: MIT
# How output leaves, and what the command opens, as the kernel sees it.
. "$(dirname "$0")/lib.sh"
need strace strace
need script bsdutils
# LeakSanitizer, in a sanitized build, cannot run under ptrace.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" TRACE="$T/trace"
prog=$1
# The write calls on descriptor 1 (glibc's stdio uses write, musl's writev).
writes() { grep -cE '^writev?\(1,' "$TRACE"; }

# Redirected, the text leaves in one write at exit (musl's first line alone, as it looks for a
# terminal); on a terminal, each line as it ends, the banner before the one clock read (strace
# cannot see the vDSO: the frozen clock makes the call).
one=1
[ "${LIBC:-}" = musl ] && one=2
for args in "" m; do
    set -- 0 15 # clock reads, writes on a terminal: 4 banner lines, 11 of usage
    [ -n "$args" ] && set -- 1 4
    strace -o "$TRACE" -e trace=write,writev "$K" ${args:+"$args"} >"$T/out" 2>/dev/null
    check "'$args' into a file: writes" "$one" "$(writes)"
    calls=write,writev,clock_gettime,clock_gettime64
    # shellcheck disable=SC2016 # expanded by script's shell, spaces and all
    frozen 2026-12-07T13:29:05 env K="$K" script -qec \
        'strace -o "$TRACE" -e trace='$calls' "$K" '"$args" /dev/null >/dev/null 2>&1
    # The clock by its whole name: CLOCK_REALTIME_COARSE lags by up to a tick.
    clock='^clock_gettime(64)?\(CLOCK_REALTIME,'
    first=$(sed -E "/$clock/q" "$TRACE" | grep -cE '^writev?\(1,')
    check "'$args' on a terminal: writes, clock reads, writes before the first" "$2 $1 $2" \
        "$(writes) $(grep -cE "$clock" "$TRACE") $first"
    # Files opened for reading alone; for usage, no zone file (-f: a PID first).
    call='(^|^[0-9]+ +)'
    (unset TZ && strace -f -o "$TRACE" -e trace=open,openat,creat "$K" ${args:+"$args"} \
        >/dev/null 2>&1)
    check "'$args': time zone looked up, files opened for writing" "$1 0" \
        "$(grep -cE "$call(open|openat)\((AT_FDCWD, )?\"/etc/localtime\"," "$TRACE") \
$(grep -cE "O_WRONLY|O_RDWR|O_CREAT|${call}creat\(" "$TRACE")"
done
# A static program, alone in a root with /etc/localtime, tells that zone's hour and minute.
if [ "${LINK:-}" = static ]; then
    need_zone Asia/Kolkata
    mkdir -p "$T/root/etc"
    cp "$prog" "$T/root/korvanex"
    cp /usr/share/zoneinfo/Asia/Kolkata "$T/root/etc/localtime"
    chroot=$(command -v chroot)
    [ "$(id -u)" = 0 ] || chroot="unshare --map-root-user $chroot"
    for letter in h:%-H i:%-M; do
        before=$(date +%s)
        # shellcheck disable=SC2086 # the program sees no zone (env -i)
        env -i $chroot "$T/root" /korvanex "${letter%:*}" >/dev/null 2>"$T/err"
        during "alone in an empty root, '${letter%:*}'" "${letter#*:}" $? "$before" \
            "$(date +%s)" Asia/Kolkata
        check "alone in an empty root, '${letter%:*}': stderr" "" "$(cat "$T/err")"
    done
fi
finish
