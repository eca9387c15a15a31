#!/bin/sh
# The README's batch recipe, run by Wine's cmd with the program on PATH.
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

finish
