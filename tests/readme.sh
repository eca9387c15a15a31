#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's recipes as copied: Linux's under dash, clock frozen; Windows's under cmd and sh (Git
# Bash sees 8 bits), clock running.  TURNS: a turn between any two calls; a stamp of one instant.
. "$(dirname "$0")/lib.sh"
: "${CLOCK_STANDIN:?the stand-in clock_script is not named}"

# turned NAME: each turn "OLD NEW J" (after call J) of $T/cases, held to its line in $T/lines.
turned() {
    paste -d ' ' "$T/cases" "$T/lines" >"$T/turns"
    while read -r old new j got; do
        case $got in
        "$(date -d "$old" "+$F")" | "$(date -d "$new" "+$F")") passed=$((passed + 1)) ;;
        *) fail "$1 recipe, the clock turning from $old to $new after call $j: $got" ;;
        esac
    done <"$T/turns"
}
# cases CALLS: every turn after every call; one-digit fields, so that a dropped zero shows.
cases() {
    while read -r old new; do
        j=0 script=$new
        while [ "$j" -le "$1" ]; do
            echo "$old $new $j $script"
            j=$((j + 1)) script="$old $script"
        done
    done <<'EOF_TABLE' | tee "$T/scripts" | cut -d ' ' -f 1-3 >"$T/cases"
2026-03-04T12:34:59 2026-03-04T12:35:00
2026-05-06T07:08:59 2026-05-06T07:09:00
2026-01-02T08:59:59 2026-01-02T09:00:00
2027-02-28T23:59:59 2027-03-01T00:00:00
1999-12-31T23:59:59 2000-01-01T00:00:00
2009-12-31T23:59:59 2010-01-01T00:00:00
EOF_TABLE
}
mkdir "$T/standin"
export CLOCK_CALLS="$T/calls"

F='backup_%Y-%m-%d_%H-%M-%S.zip|%Y-%m-%d_%H-%M-%S %Y%m%d'
if [ "$PLATFORM" = linux ]; then
    need dash dash
    F='backup_%Y-%m-%d_%H-%M-%S.tar.gz|%Y-%m-%d_%H-%M-%S %Y%m%d'
    recipe sh >"$T/run.sh"
    calls=$(grep -c 'korvanex [a-z]' "$T/run.sh")
    check "shell recipe found" 8 "$calls"
    # shellcheck disable=SC2016 # the reader's script goes on to use both
    echo 'echo "$stamp $datestamp"' >>"$T/run.sh"
    PATH=$(cd "$(dirname "$K")" && pwd):$PATH TZ=UTC0
    export PATH TZ
    for at in 2026-12-07T13:29:05 2001-02-03T04:05:06 1999-12-31T23:59:59 \
        2100-01-01T00:00:00 2038-02-28T12:00:00; do
        got=$(frozen "$at" dash "$T/run.sh" | paste -s -d '|' -)
        check "shell recipe at $at" "$(date -d "$at" "+$F")" "$got"
    done
    if [ -n "${TURNS:-}" ]; then
        ln -s "$CLOCK_STANDIN" "$T/standin/korvanex"
        cases "$calls"
        while read -r _ _ _ script; do
            rm -f "$CLOCK_CALLS"
            CLOCK_SCRIPT=$script PATH=$T/standin:$PATH timeout 60 dash "$T/run.sh" 2>&1 |
                paste -s -d '|' -
        done <"$T/scripts" >"$T/lines"
        turned shell
    fi
    finish
    exit
fi

recipe batch | sed 's/$/\r/' >"$T/recipe.bat"
calls=$(grep -c '^korvanex [a-z]' "$T/recipe.bat")
check "batch recipe found" 7 "$calls"
R=$(winpath "$T/recipe.bat") C=$(winpath "$CLOCK_CALLS")
cp "$CLOCK_STANDIN" "$T/standin/korvanex.exe"
# Each wmic slice beside the variable that replaces it.
# shellcheck disable=SC2016 # cmd's variables
recipe wmic TABLE | sed 's/^`\([^`]*\)`.*|`\([^`]*\)`$/echo \1 \2/' >"$T/wmic"
rows=$(grep -c '^echo %dt:~[0-9]*,[0-9]*% %[A-Z]*%$' "$T/wmic")
check "wmic table found" 7 "$rows"
: >"$T/scripts"
[ -z "${TURNS:-}" ] || cases "$calls"
# One cmd run: the program on the running clock, then the stand-in.
{
    printf '@echo off\r\nset PATH=%s;%%PATH%%\r\ncall "%s"\r\necho %%STAMP%% %%DATESTAMP%%\r\n' \
        "$(winpath "$(dirname "$K")")" "$R"
    printf 'set PATH=%s;%%PATH%%\r\nset CLOCK_CALLS=%s\r\n' "$(winpath "$T/standin")" "$C"
    # wmic's string and the recipe's variables at one instant.
    printf 'set CLOCK_SCRIPT=2026-03-04T05:06:07\r\ncall "%s" >NUL\r\n' "$R"
    printf 'set dt=20260304050607.123000+060\r\n'
    sed 's/$/\r/' "$T/wmic"
    while read -r _ _ _ script; do
        printf 'if exist "%s" del "%s"\r\nset CLOCK_SCRIPT=%s\r\n' "$C" "$C" "$script"
        printf 'call "%s"\r\necho %%STAMP%% %%DATESTAMP%%\r\n' "$R"
    done <"$T/scripts"
    # Else cmd ends with the last call's status (Wine 10, as Windows).
    printf 'exit /b 0\r\n'
} >"$T/run.bat"
before=$(date +%s)
timeout 600 "$EMULATOR" cmd /c "$(winpath "$T/run.bat")" >"$T/out" 2>"$T/err"
check "cmd's status" 0 "$?"
after=$(date +%s)
check "no error output" "" "$(head -c 300 "$T/err")"
tr -d '\r' <"$T/out" >"$T/all"
got=$(head -n 2 "$T/all" | paste -s -d '|' -)
during "batch recipe on the running clock" "$F" "$got" "$before" "$after"
sed -n "3,$((rows + 2))p" "$T/all" >"$T/slices"
while read -r slice variable; do
    check "the wmic slice beside its variable" "$slice" "$variable"
done <"$T/slices"
check "wmic rows run" "$rows" "$(wc -l <"$T/slices")"
if [ -n "${TURNS:-}" ]; then
    tail -n +$((rows + 3)) "$T/all" | paste -d '|' - - >"$T/lines"
    turned batch
fi

recipe windows-sh >"$T/recipe.sh"
check "POSIX-shell recipe found" 4 "$(wc -l <"$T/recipe.sh")"
printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$EMULATOR" "$K" >"$T/standin/korvanex"
chmod +x "$T/standin/korvanex"
before=$(date +%s)
got=$(PATH=$T/standin:$PATH sh "$T/recipe.sh" 2>"$T/err")
during "POSIX-shell recipe" %Y "$got" "$before" "$(date +%s)"
check "POSIX-shell recipe, error output" "" "$(cat "$T/err")"
finish
