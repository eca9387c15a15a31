#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's Windows recipes.  The batch file, run by Wine's cmd: on the
# program with its clock running, and on a stand-in whose clock turns
# between any two of the recipe's calls, where the stamp must be the one
# instant or the other, never a mix.  And the POSIX-shell one, run by sh
# here, which like Git Bash on Windows sees only the low 8 bits of a
# Windows program's status.
. "$(dirname "$0")/lib.sh"

recipe batch | sed 's/$/\r/' >"$T/recipe.bat"
calls=$(grep -c '^korvanex [a-z]' "$T/recipe.bat")
check "batch recipe found" 7 "$calls"
RECIPE=$(winpath "$T/recipe.bat")
# A recipe that never ends is stopped.
EMULATOR="timeout 600 $EMULATOR"

# The program itself, first on the PATH: the stamp must be one that the
# host's clock showed while the batch file ran.
before=$(date +%s)
batch "set PATH=$(winpath "$(dirname "$K")");%PATH%" "call \"$RECIPE\"" \
    "echo %STAMP% %DATESTAMP%"
after=$(date +%s)
got=$(paste -s -d '|' "$T/lines")
want="a stamp of $(date -d "@$before") to $(date -d "@$after")"
t=$before
while [ "$t" -le "$after" ]; do
    at=$(date -d "@$t" '+backup_%Y-%m-%d_%H-%M-%S.zip|%Y-%m-%d_%H-%M-%S %Y%m%d')
    [ "$at" = "$got" ] && want=$got
    t=$((t + 1))
done
check "batch recipe on the running clock" "$want" "$got"
no_stderr "batch recipe" "$T/err"

# The stand-in, under the command's name: every turn at every position in
# one batch file, since each start of cmd under Wine takes long.
: "${CLOCK_STANDIN:?the stand-in clock_script is not named}"
mkdir "$T/standin"
cp "$CLOCK_STANDIN" "$T/standin/korvanex.exe"
calls_file=$(winpath "$T/calls")
set -- "set PATH=$(winpath "$T/standin");%PATH%" "set CLOCK_CALLS=$calls_file"
turns >"$T/turns"
: >"$T/cases"
while read -r old new; do
    j=0
    while [ "$j" -le "$calls" ]; do
        set -- "$@" "if exist \"$calls_file\" del \"$calls_file\"" \
            "set CLOCK_SCRIPT=$(clock_script "$old" "$new" "$j")" \
            "call \"$RECIPE\"" "echo %STAMP% %DATESTAMP%"
        echo "$old $new $j" >>"$T/cases"
        j=$((j + 1))
    done
done <"$T/turns"
batch "$@"
no_stderr "batch recipe on the stand-in" "$T/err"
# Two lines a case: the file name, then the variables.
exec 3<"$T/lines"
while read -r old new j; do
    read -r name <&3
    read -r vars <&3
    was=$(stamp "$old")
    now=$(stamp "$new")
    case "$name|$vars" in
    "backup_${was% *}.zip|$was" | "backup_${now% *}.zip|$now")
        passed=$((passed + 1))
        ;;
    *) fail "batch recipe, the clock turning from $old to $new after call $j: $name|$vars" ;;
    esac
done <"$T/cases"
exec 3<&-

recipe windows-sh >"$T/recipe.sh"
check "POSIX-shell recipe found" 4 "$(wc -l <"$T/recipe.sh")"
mkdir "$T/bin"
printf '#!/bin/sh\nexec %s %s "$@"\n' "${EMULATOR#timeout 600 }" "$K" >"$T/bin/korvanex"
chmod +x "$T/bin/korvanex"
tries=0
while :; do
    want=$(date +%Y)
    got=$(PATH=$T/bin:$PATH sh "$T/recipe.sh" 2>"$T/err")
    [ "$(date +%Y)" = "$want" ] && break
    tries=$((tries + 1))
    [ "$tries" -lt 3 ] || break
done
check "POSIX-shell recipe" "$want" "$got"
no_stderr "POSIX-shell recipe" "$T/err"

finish
