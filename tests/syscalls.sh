#!/bin/sh
# SPDX-License-Identifier: MIT
# How output leaves, and what the command opens, as the kernel sees it.
. "$(dirname "$0")/lib.sh"

need strace strace
need script bsdutils

# LeakSanitizer, in a sanitized build, cannot run under ptrace.
ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0
export ASAN_OPTIONS

# writes FILE: the number of write calls on descriptor 1 in an strace log
# (glibc's stdio uses write, musl's writev).
writes() {
    grep -cE '^writev?\(1,' "$1"
}

# Redirected: the text waits in the stream buffer and leaves in one write at
# exit.  musl's stdio looks for a terminal only when the first line ends, so
# there that line leaves first, on its own.
one=1
[ "${LIBC:-}" = musl ] && one=2
strace -o "$T/trace" -e trace=write,writev "$K" >"$T/out" 2>/dev/null
check "usage into a file: writes" "$one" "$(writes "$T/trace")"
strace -o "$T/trace" -e trace=write,writev "$K" m >"$T/out" 2>/dev/null
check "report into a file: writes" "$one" "$(writes "$T/trace")"

# on_terminal [ARG] [CLOCK_CALLS]: the command under strace on a pseudo-
# terminal (script), the trace in $T/trace.  The paths reach script's shell
# through the environment, not spliced into its command line, where a space
# in them would split them.
on_terminal() {
    # shellcheck disable=SC2016 # expanded by script's shell
    trace=write,writev${2:+,$2} T=$T K=$K script -qec \
        'strace -o "$T/trace" -e trace="$trace" "$K" '"$1" /dev/null >"$T/out" 2>&1
}

# On a terminal standard output is line buffered: every line leaves as it
# ends, so each message is out before the next begins (4 banner lines, then
# 11 of usage).
if on_terminal ""; then
    check "usage on a terminal: writes" 15 "$(writes "$T/trace")"
    on_terminal m
    check "report on a terminal: writes" 4 "$(writes "$T/trace")"
else
    fail "could not run under a pseudo-terminal"
fi

# The clock is read once, after the banner: on a terminal each line leaves
# as it ends, so all four are out before the read.  The C library reads the
# clock where strace cannot see it (the vDSO); the frozen clock makes the
# real call as well, so that strace sees when.
AT="2026-12-07 13:29:05"
clock=clock_gettime,clock_gettime64
for args in "" m; do
    frozen "$AT" on_terminal "$args" "$clock"
    reads=$(grep -c '^clock_gettime[0-9]*(CLOCK_REALTIME' "$T/trace")
    before=$(sed '/^clock_gettime[0-9]*(CLOCK_REALTIME/q' "$T/trace" | grep -cE '^writev?\(1,')
    check "'$args' on a terminal: clock reads, writes before the first" \
        "$([ -n "$args" ] && echo "1 4" || echo "0 15")" "$reads $before"
done

# Every file it opens, it opens for reading; the usage path leaves the
# clock (and so the time zone file) alone.
unset TZ
strace -f -o "$T/trace" -e trace=open,openat,creat "$K" >/dev/null 2>&1
check "usage: time zone looked up" 0 "$(grep -c localtime "$T/trace")"
strace -f -o "$T/trace" -e trace=open,openat,creat "$K" m >/dev/null 2>&1
check "report: time zone looked up" 1 "$(grep -c localtime "$T/trace")"
check "files opened for writing" 0 "$(grep -cE 'O_WRONLY|O_RDWR|O_CREAT|creat\(' "$T/trace")"

# A static program needs nothing of the system: in a root that holds only
# the program and /etc/localtime, it tells that zone's local hour and minute
# (half an hour off UTC).
if [ "${LINK:-}" = static ]; then
    need_zone Asia/Kolkata
    mkdir -p "$T/root/etc"
    cp "$1" "$T/root/korvanex"
    cp /usr/share/zoneinfo/Asia/Kolkata "$T/root/etc/localtime"
    chroot=$(command -v chroot)
    [ "$(id -u)" = 0 ] || chroot="unshare --map-root-user $chroot"
    # The zone for date; the program sees none (env -i).
    TZ=Asia/Kolkata
    export TZ
    for letter in h i; do
        format=%-H
        [ "$letter" = i ] && format=%-M
        for _ in 1 2 3; do
            want=$(date "+$format")
            # shellcheck disable=SC2086
            env -i $chroot "$T/root" /korvanex "$letter" >/dev/null 2>"$T/err"
            got=$?
            [ "$(date "+$format")" = "$want" ] && break
        done
        check "alone in an empty root, '$letter'" "$want" "$got"
        check "alone in an empty root, '$letter', error output" "" "$(cat "$T/err")"
    done
fi

finish
