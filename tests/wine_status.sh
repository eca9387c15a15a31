#!/bin/sh
# SPDX-License-Identifier: MIT
# Exit statuses as Windows callers read them: cmd running a batch file, with
# %ERRORLEVEL% on its own line and "if errorlevel N" tests.  The clock runs:
# each reading is bracketed by the host clock, and retried when the two ends
# of the bracket differ.
. "$(dirname "$0")/lib.sh"

KW=$(winpath "$K")

# levels ARG WANT: runs "korvanex ARG" in a batch file that shows the status
# both ways: %ERRORLEVEL%, and "if errorlevel" tests around WANT.
levels() {
    batch "\"$KW\" $1 >NUL" "echo %ERRORLEVEL%" \
        "if errorlevel $2 echo at least $2" "if not errorlevel $(($2 + 1)) echo at most $2"
}

# seen ARG WANT: what the last batch file showed must be WANT, both ways.
seen() {
    printf '%s\nat least %s\nat most %s\n' "$2" "$2" "$2" >"$T/want"
    same_bytes "korvanex $1, status $2" "$T/want" "$T/lines"
}

errorlevel() {
    levels "$1" "$2"
    seen "$1" "$2"
}

# clocked ARG FORMAT: the status must be the host's local time in date's
# FORMAT at the moment of the run.
clocked() {
    tries=0
    while :; do
        before=$(date +%s)
        want=$(date -d "@$before" "+$2")
        levels "$1" "$want"
        after=$(date +%s)
        [ "$(date -d "@$after" "+$2")" = "$want" ] && break
        tries=$((tries + 1))
        if [ "$tries" -ge 5 ]; then
            # Never a still bracket: any value the clock showed during the run.
            got=$(head -n 1 "$T/lines")
            t=$before
            while [ "$t" -le "$after" ]; do
                [ "$(date -d "@$t" "+$2")" = "$got" ] && want=$got
                t=$((t + 1))
            done
            check "korvanex $1 (clock moving)" "$want" "$got"
            return
        fi
    done
    seen "$1" "$want"
}

# The full year: a Windows status holds 32 bits.
while read -r letter format; do
    clocked "$letter" "$format"
    clocked "$(printf %s "$letter" | tr '[:lower:]' '[:upper:]')" "$format"
done <<'EOF_TABLE'
y %Y
c %C
m %-m
d %-d
h %-H
i %-M
s %-S
EOF_TABLE
clocked month %-m
clocked Minutes %-m
clocked "i 99" %-M

errorlevel "" 0
for arg in x '""' "/?" "-h" w; do
    errorlevel "$arg" 255
done

finish
