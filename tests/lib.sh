# SPDX-License-Identifier: MIT
# Sourced by the end-to-end scripts; $1 is the command under test.
# shellcheck shell=sh
# shellcheck disable=SC2034 # want, got and status are for the scripts
set -u

K=$1
# Set for a program that runs under an emulator (Wine).
EMULATOR=${EMULATOR:-}
T=$(mktemp -d)
# The frozen clock's link lives here (below): never under a name with a
# space or colon, whatever TMPDIR says.
case $T in
*[[:space:]:]*)
    rmdir "$T"
    T=$(mktemp -d /tmp/korvanex.XXXXXX)
    ;;
esac
trap 'rm -rf "$T"' EXIT
passed=0
failed=0

fail() {
    printf 'FAIL: %s\n' "$*"
    failed=$((failed + 1))
}

# check WHAT EXPECTED ACTUAL
check() {
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        fail "$1: expected $2, got $3"
    fi
}

# same_bytes WHAT EXPECTED_FILE ACTUAL_FILE
same_bytes() {
    if cmp -s "$2" "$3"; then
        passed=$((passed + 1))
    else
        fail "$1: bytes differ"
        od -c "$3" | head -n 20
    fi
}

# no_stderr WHAT FILE
no_stderr() {
    if [ -s "$2" ]; then
        fail "$1: wrote to standard error"
        head -c 500 "$2"
    else
        passed=$((passed + 1))
    fi
}

finish() {
    printf '%d passed, %d failed\n' "$passed" "$failed"
    [ "$failed" -eq 0 ]
}

# run ARG...: runs the command; sets $status, output in $T/out and $T/err.
run() {
    $EMULATOR "$K" "$@" >"$T/out" 2>"$T/err"
    status=$?
}

BANNER='\r\nKORVANEX for WinNT\r\nBy: The korvanex developers\r\n30 Dec. 1997 - V1R1\r\n'
USAGE='\r\nUSAGE: korvanex [m|d|y|c|h|i|s]\r\n\r\n Where m = Month\r\n'
USAGE=$USAGE'       d = Day\r\n       y = Year\r\n       c = Century\r\n\r\n'
USAGE=$USAGE'       h = Hour\r\n       i = mInutes\r\n       s = Seconds\r\n'
printf '%b' "$BANNER" >"$T/banner"
printf '%b' "$BANNER$USAGE" >"$T/usage"

# need TOOL PACKAGE: skips the whole script when TOOL is not installed, as
# a missing tool must never look like a pass.
need() {
    command -v "$1" >/dev/null || skip "$1 not installed (Debian package $2)"
}

# need_zone ZONE: skips the whole script when the zone file is not installed.
need_zone() {
    [ -f "${TZDIR:-/usr/share/zoneinfo}/$1" ] || skip "time zone $1 not installed (Debian package tzdata)"
}

# skip REASON: ends the script as skipped (CTest's SKIP_RETURN_CODE).
skip() {
    printf 'SKIP: %s\n' "$1"
    exit 77
}

# ld.so splits LD_PRELOAD at spaces and colons: the frozen clock is preloaded
# through a link in a directory whose name holds neither, wherever the build
# tree is.
if [ -n "${FROZEN_CLOCK_LIB:-}" ]; then
    ln -s "$FROZEN_CLOCK_LIB" "$T/frozen_clock.so"
    FROZEN_CLOCK_LIB=$T/frozen_clock.so
    export FROZEN_CLOCK_LIB
fi

# A Linux program for another CPU (run under QEMU) or another C library:
# K and LAUNCH are the scripts in CROSS that CMake wrote to start them, which
# preload the frozen clock into the command alone, never into a program of
# the host's (see tests/CMakeLists.txt).
CROSS=${CROSS:-}
if [ -n "$CROSS" ]; then
    K=$CROSS/korvanex
    LAUNCH=$CROSS/launch
fi

# frozen INSTANT COMMAND...: runs COMMAND with the clock stopped at INSTANT
# (as date -d reads it, in UTC; @N for N seconds since the epoch); the local
# time is TZ's business.
frozen() {
    case $1 in
    @*) FROZEN_CLOCK=${1#@} ;;
    *) FROZEN_CLOCK=$(date -u -d "$1" +%s) || exit 1 ;;
    esac
    shift
    if [ -n "$CROSS" ]; then
        FROZEN_CLOCK=$FROZEN_CLOCK "$@"
    else
        LD_PRELOAD=$FROZEN_CLOCK_LIB FROZEN_CLOCK=$FROZEN_CLOCK "$@"
    fi
}

# running FORMAT COMMAND...: runs COMMAND on the running clock, no frozen
# one (so a static program's own bytes, not its stand-in), between two
# readings of date +FORMAT, again if they differ; sets want (the reading)
# and got (COMMAND's status), its output in $T/out and $T/err.
running() {
    format=$1
    shift
    for _ in 1 2 3; do
        want=$(date "+$format")
        "$@" >"$T/out" 2>"$T/err"
        got=$?
        [ "$(date "+$format")" = "$want" ] && break
    done
}

# winpath FILE: FILE as a Windows program under Wine names it (drive Z: is /).
winpath() {
    # shellcheck disable=SC1003 # one backslash, for tr
    printf 'Z:%s' "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'
}

# batch LINE...: runs the lines as a batch file under Wine's cmd; sets
# $status, output in $T/out (as written) and $T/lines (without CRs).
batch() {
    {
        printf '@echo off\r\n'
        printf '%s\r\n' "$@"
    } >"$T/run.bat"
    $EMULATOR cmd /c "$(winpath "$T/run.bat")" >"$T/out" 2>"$T/err"
    status=$?
    tr -d '\r' <"$T/out" >"$T/lines"
}

# recipe NAME: the README's code block marked "<!-- recipe: NAME -->".
recipe() {
    awk -v name="$1" -f "$(dirname "$0")/recipe.awk" "$(dirname "$0")/../README.md"
}

# turns: instants between which the recipes' tests turn the clock, "OLD NEW"
# a line, local times as the stand-in CLOCK_STANDIN reads them: a minute, an
# hour, midnight and new years (the century too).  One-digit fields in each,
# so that a dropped leading zero shows.
turns() {
    cat <<'EOF_TABLE'
2026-03-04T12:34:59 2026-03-04T12:35:00
2026-05-06T07:08:59 2026-05-06T07:09:00
2026-01-02T08:59:59 2026-01-02T09:00:00
2027-02-28T23:59:59 2027-03-01T00:00:00
1999-12-31T23:59:59 2000-01-01T00:00:00
2009-12-31T23:59:59 2010-01-01T00:00:00
EOF_TABLE
}

# clock_script OLD NEW J: the stand-in's script in which the first J calls
# see OLD and every later one NEW.
clock_script() {
    script=$2
    i=0
    while [ "$i" -lt "$3" ]; do
        script="$1 $script"
        i=$((i + 1))
    done
    printf '%s' "$script"
}

# stamp INSTANT: the recipes' time stamp and date of a stand-in's instant.
stamp() {
    printf '%s %s' "$(printf %s "$1" | tr T: _-)" "$(printf %s "${1%T*}" | tr -d -)"
}
