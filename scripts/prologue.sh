# SPDX-License-Identifier: MIT
# Sourced first by scripts that make files or start long commands: T, a temporary folder; start and
# now; one way out.  However the script ends (exit, or a signal, on which a POSIX shell runs no EXIT
# trap by itself), each group started is ended, $undo runs (it may set exit_status), T goes, and
# the script's status stays: tests/harness.sh holds this file to that.
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

# start COMMAND...: in the background, in a process group the way out ends; now: waited for.
start() {
    setsid "$@" &
    groups="$groups $!"
}
now() { start "$@" && wait "$!"; }
