#!/bin/sh
# SPDX-License-Identifier: MIT
# Only the first character of the first argument counts, whatever it is.
. "$(dirname "$0")/lib.sh"

TZ=UTC0
export TZ
AT="2026-12-07 13:29:05"

# Words count by their first letter; further arguments change nothing.
while read -r want args; do
    # shellcheck disable=SC2086
    frozen "$AT" "$K" $args >"$T/out" 2>"$T/err"
    check "arguments '$args'" "$want" "$?"
    same_bytes "arguments '$args'" "$T/banner" "$T/out"
done <<'EOF_TABLE'
12 month
12 Month
12 minutes
12 Minutes
29 i
29 inutes
12 m d y
7 d m
5 s 9 9 9
255 x m
255 / m
EOF_TABLE

# Not recognised: banner only, status 255, whatever the time; so the clock
# runs (and a static program is tested as it is, not its stand-in).
high=$(printf '\355\377\200')
for arg in "" "/?" "-h" "?" "--help" x X w W L l 0 9 " m" "	m" "[" "_" "é" \
    "$(printf '\355')" "$high"; do
    "$K" "$arg" >"$T/out" 2>"$T/err"
    check "argument '$arg'" 255 "$?"
    same_bytes "argument '$arg'" "$T/banner" "$T/out"
    no_stderr "argument '$arg'" "$T/err"
done

# The largest single argument the kernel passes, and a great many of them.
big=$(head -c 131071 /dev/zero | tr '\0' 'd')
frozen "$AT" "$K" "$big" >/dev/null 2>"$T/err"
check "128 KiB argument of d" 7 "$?"
no_stderr "128 KiB argument" "$T/err"
big=$(head -c 131071 /dev/zero | tr '\0' '\377')
"$K" "$big" >/dev/null 2>&1
check "128 KiB argument of 0xFF" 255 "$?"
# shellcheck disable=SC2046
frozen "$AT" "$K" h $(seq 1 20000) >/dev/null 2>&1
check "20000 further arguments" 13 "$?"

finish
