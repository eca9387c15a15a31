# SPDX-License-Identifier: MIT
# Sourced first by every script that makes files or starts long commands:
# T, a temporary folder of its own.  However the run ends (exit, HUP, INT,
# TERM: a POSIX shell runs an EXIT trap alone on none of the three), every
# command started below is ended with its process group, the commands in
# $undo run (they may set status), and T goes.
# shellcheck shell=sh
T=$(mktemp -d "${TMPDIR:-/tmp}/korvanex.XXXXXX") || {
    echo "$0: cannot make a temporary folder" >&2
    exit 1
}
undo=: jobs=
cleanup() {
    status=$?
    set +e
    trap - EXIT HUP INT TERM
    for job in $jobs; do kill -TERM "-$job" "$job" 2>/dev/null; done
    wait
    eval "$undo"
    rm -rf --one-file-system "$T"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# start COMMAND...: COMMAND in the background, in a process group of its own,
# which a signal to this script ends.  now COMMAND...: the same, waited for.
start() {
    setsid "$@" &
    jobs="$jobs $!"
}
now() {
    start "$@"
    wait "$!"
}
