# Sourced by the end-to-end scripts; $1 is the command under test.
set -u

K=$1
# Set for a program that runs under an emulator (Wine).
EMULATOR=${EMULATOR:-}
T=$(mktemp -d)
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
printf "$BANNER" >"$T/banner"
printf "$BANNER$USAGE" >"$T/usage"

# frozen "YYYY-MM-DD hh:mm:ss" COMMAND...: runs COMMAND with the clock
# stopped at that instant, given in UTC; the local time is TZ's business.
FAKETIME_LIB=
for f in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
    [ -e "$f" ] && FAKETIME_LIB=$f && break
done
frozen() {
    if [ -z "$FAKETIME_LIB" ]; then
        echo "libfaketime is missing (Debian package faketime)" >&2
        exit 1
    fi
    _at=$(date -u -d "$1" +%s)
    shift
    LD_PRELOAD=$FAKETIME_LIB FAKETIME_FMT=%s FAKETIME=$_at "$@"
}

# winpath FILE: FILE as a Windows program under Wine names it (drive Z: is /).
winpath() {
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
    awk -v mark="<!-- recipe: $1 -->" '
        $0 == mark { found = 1; next }
        found && /^```/ { if (inside) exit; inside = 1; next }
        inside { print }
    ' "$(dirname "$0")/../README.md"
}
