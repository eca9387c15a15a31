# SPDX-License-Identifier: MIT
# Sourced first by the scripts that make files or start long commands: T, a temporary folder.  However the run
# ends (exit, HUP, INT, TERM: a POSIX shell runs an EXIT trap on none of the three), each command started
# below is ended with its process group, $undo runs (it may set status), T goes.
# shellcheck shell=sh
T=$(mktemp -d "${TMPDIR:-/tmp}/korvanex.XXXXXX") || exit 1
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

# start COMMAND...: COMMAND in the background, in a process group of its
# own, which a signal to this script ends; now COMMAND...: waited for.
start() { setsid "$@" & jobs="$jobs $!"; }
now() { start "$@" && wait "$!"; }
