#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's shell recipe, run by dash (Debian's sh) as a reader would
# copy it: on the program with the clock frozen, and on a stand-in whose
# clock turns between any two of the recipe's calls, where the stamp must
# be the one instant or the other, never a mix (and a recipe that never
# ends is stopped).  And the manual page and the Windows README show the
# README's recipes line for line.
. "$(dirname "$0")/lib.sh"

command -v dash >/dev/null || {
    echo "SKIP: no dash to run the shell recipe under"
    exit 77
}
recipe sh >"$T/recipe.sh"
calls=$(grep -c 'korvanex [a-z]' "$T/recipe.sh")
check "shell recipe found" 8 "$calls"
# The reader's script goes on to use both variables.
{
    cat "$T/recipe.sh"
    # shellcheck disable=SC2016
    echo 'echo "$stamp $datestamp"'
} >"$T/run.sh"

PATH=$(cd "$(dirname "$K")" && pwd):$PATH
TZ=UTC0
export PATH TZ
while read -r day time; do
    at="$day $time"
    want=$(date -u -d "$at" '+backup_%Y-%m-%d_%H-%M-%S.tar.gz|%Y-%m-%d_%H-%M-%S %Y%m%d')
    got=$(frozen "$at" dash "$T/run.sh" | paste -s -d '|' -)
    check "shell recipe at $at" "$want" "$got"
done <<'EOF_TABLE'
2026-12-07 13:29:05
2001-02-03 04:05:06
1999-12-31 23:59:59
2100-01-01 00:00:00
2038-02-28 12:00:00
EOF_TABLE

# The stand-in, under the command's name, first on the PATH.
: "${CLOCK_STANDIN:?the stand-in clock_script is not named}"
mkdir "$T/standin"
ln -s "$CLOCK_STANDIN" "$T/standin/korvanex"
CLOCK_CALLS=$T/calls
export CLOCK_CALLS
turns >"$T/turns"
while read -r old new; do
    was=$(stamp "$old")
    now=$(stamp "$new")
    j=0
    while [ "$j" -le "$calls" ]; do
        rm -f "$CLOCK_CALLS"
        got=$(CLOCK_SCRIPT=$(clock_script "$old" "$new" "$j") PATH=$T/standin:$PATH timeout 60 \
            dash "$T/run.sh" 2>&1 | paste -s -d '|' -)
        case $got in
        "backup_${was% *}.tar.gz|$was" | "backup_${now% *}.tar.gz|$now")
            passed=$((passed + 1))
            ;;
        *) fail "shell recipe, the clock turning from $old to $new after call $j: $got" ;;
        esac
        j=$((j + 1))
    done
done <"$T/turns"

# shown NAME FILE: FILE shows the recipe NAME line for line, a manual page
# in its examples with the roff escapes undone, a plain-text README
# indented by four spaces.  Lines joined by ^A, so a match is of whole
# lines.
shown() {
    case $2 in
    *.1) sed -n '/^\.EX$/,/^\.EE$/p' "$src/$2" | sed 's/\\-/-/g; s/\\e/\\/g; s/\\&//g' ;;
    *) sed -n 's/^    //p' "$src/$2" ;;
    esac | tr '\n' '\1' >"$T/shown"
    recipe "$1" | tr '\n' '\1' >"$T/want"
    case $(printf '\1'; cat "$T/shown") in
    *"$(printf '\1'; cat "$T/want")"*) passed=$((passed + 1)) ;;
    *) fail "$2 does not show the README's $1 recipe" ;;
    esac
}
src=$(dirname "$0")/..
while read -r name file; do
    shown "$name" "$file"
done <<'EOF_TABLE'
sh man/korvanex.1
batch man/korvanex.1
powershell man/korvanex.1
windows-sh man/korvanex.1
batch packaging/windows/README.txt
powershell packaging/windows/README.txt
windows-sh packaging/windows/README.txt
EOF_TABLE

finish
