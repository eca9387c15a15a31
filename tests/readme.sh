#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's shell recipe, run as a reader would copy it.
. "$(dirname "$0")/lib.sh"

recipe sh >"$T/recipe.sh"
check "recipe found" 5 "$(wc -l <"$T/recipe.sh")"

PATH=$(cd "$(dirname "$K")" && pwd):$PATH
TZ=UTC0
export PATH TZ
while read -r day time want; do
    check "recipe at $day $time" "$want" "$(frozen "$day $time" sh "$T/recipe.sh")"
done <<'EOF_TABLE'
2026-12-07 13:29:05 2026-12-07
1999-12-31 23:59:59 1999-12-31
2100-01-01 00:00:00 2100-01-01
2038-02-28 12:00:00 2038-02-28
EOF_TABLE

finish
