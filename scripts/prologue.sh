# SPDX-License-Identifier: MIT
# The prologue of every script that makes files or starts long commands, sourced first.  It gives T,
# a temporary folder; start and now, which run a command in a process group of its own; and one way
# out. However the script ends (exit, or HUP, INT, QUIT, PIPE or TERM, on none of which a POSIX
# shell runs an EXIT trap by itself), each group started is ended, $undo runs (it may change
# exit_status), T goes, and the script's own status stays: tests/harness.sh holds this file to that.
# shellcheck shell=sh
T=$(mktemp -d "${TMPDIR:-/tmp}/korvanex.XXXXXX") || exit 1
undo=: groups=
leave() {
    exit_status=$?
    set +e
    trap - EXIT HUP INT QUIT PIPE TERM
    for group in $groups; do
        kill -TERM "-$group" 2>/dev/null
    done
    wait
    eval "$undo"
    rm -rf --one-file-system "$T"
    exit "$exit_status"
}
trap leave EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 131' QUIT
trap 'exit 141' PIPE
trap 'exit 143' TERM

# start COMMAND...: COMMAND in the background, in a process group of its own, which the way out ends
# with every child in it; now COMMAND...: the same, waited for.
start() {
    setsid "$@" &
    groups="$groups $!"
}
now() { start "$@" && wait "$!"; }
