#!/bin/sh
# SPDX-License-Identifier: MIT
# Output that cannot be written changes neither the status nor stderr:
# standard output closed, a full disk, a file at its size limit, a reader gone.
. "$(dirname "$0")/lib.sh"

TZ=UTC0
export TZ
AT="2026-12-07 13:29:05"

# at COMMAND...: the clock frozen at AT for a status that depends on it;
# for one that does not, the running clock (so a static program's own
# bytes, not its stand-in).
at() {
    case $args in
    "" | x) "$@" ;;
    *) frozen "$AT" "$@" ;;
    esac
}

while read -r want args; do
    # shellcheck disable=SC2086
    at "$K" $args >&- 2>"$T/err"
    check "closed stdout, '$args'" "$want" "$?"
    no_stderr "closed stdout, '$args'" "$T/err"

    # shellcheck disable=SC2086
    at "$K" $args >/dev/full 2>"$T/err"
    check "full disk, '$args'" "$want" "$?"
    no_stderr "full disk, '$args'" "$T/err"

    # shellcheck disable=SC2086
    (ulimit -f 0 && at "$K" $args >"$T/limited" 2>"$T/err")
    check "file size limit, '$args'" "$want" "$?"
    no_stderr "file size limit, '$args'" "$T/err"

    # shellcheck disable=SC2086
    at "$LAUNCH" closed-pipe "$K" $args 2>"$T/err"
    check "reader gone, '$args'" "$want" "$?"
    no_stderr "reader gone, '$args'" "$T/err"
done <<'EOF_TABLE'
0
12 m
26 y
255 x
EOF_TABLE

# The same through a shell pipeline whose reader has left before the write,
# with SIGPIPE at its default even where the caller ignores it.  The reader
# closes its end, then says so through a FIFO; only then does the command
# start, so nothing holds the pipe open for reading.
mkfifo "$T/gone"
{
    read -r _ <"$T/gone"
    frozen "$AT" env --default-signal=PIPE "$K" m 2>"$T/err"
    echo $? >"$T/status"
} | {
    exec <&-
    echo gone >"$T/gone"
}
check "pipeline reader gone" 12 "$(cat "$T/status")"
no_stderr "pipeline reader gone" "$T/err"

finish
