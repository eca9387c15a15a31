#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's Windows recipes: the batch file, run by Wine's cmd with the
# program on PATH; and the POSIX-shell one, run by sh here, which like Git
# Bash on Windows sees only the low 8 bits of a Windows program's status.
. "$(dirname "$0")/lib.sh"

recipe batch | sed 's/$/\r/' >"$T/recipe.bat"
check "recipe found" 14 "$(wc -l <"$T/recipe.bat")"

# expected: what the recipe says at the host's present moment.
expected() {
    month=$(date +%-m)
    if [ "$month" -ge 12 ]; then
        echo "December."
    elif [ "$month" -ge 7 ]; then
        echo "Second half of the year."
    else
        echo "First half of the year."
    fi
    echo "The year is $(date +%Y)."
}

tries=0
while :; do
    expected >"$T/before"
    batch "set PATH=$(winpath "$(dirname "$K")");%PATH%" \
        "call \"$(winpath "$T/recipe.bat")\""
    expected >"$T/want"
    cmp -s "$T/before" "$T/want" && break
    tries=$((tries + 1))
    [ "$tries" -lt 3 ] || break
done
same_bytes "batch recipe" "$T/want" "$T/lines"
no_stderr "batch recipe" "$T/err"

recipe windows-sh >"$T/recipe.sh"
check "POSIX-shell recipe found" 3 "$(wc -l <"$T/recipe.sh")"
mkdir "$T/bin"
printf '#!/bin/sh\nexec %s %s "$@"\n' "$EMULATOR" "$K" >"$T/bin/korvanex"
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
