#!/bin/sh
# SPDX-License-Identifier: MIT
# The first argument's first character alone counts.  Any other gives 255 on the running clock,
# which a static program reads itself, not its stand-in.  Linux's alone: what cmd cannot pass.
. "$(dirname "$0")/lib.sh"
# shellcheck disable=SC2034 # read through eval
high=$(printf '\355\377\200') tab=$(printf '\tm') big=$(head -c 131071 /dev/zero | tr '\0' d) \
    ff=$(head -c 131071 /dev/zero | tr '\0' '\377')
zone=UTC0
for args in -h X w L 0 9 [ _; do queue all file - 255 "$args"; done
while read -r on at want args; do
    queue "$on" file "$at" "$want" "$args"
done <<'EOF_TABLE'
all   2026-12-07T13:29:05 12  month
all   2026-12-07T13:29:05 12  Month
all   2026-12-07T13:29:05 12  minutes
all   2026-12-07T13:29:05 29  inutes
all   2026-12-07T13:29:05 12  m d y
all   2026-12-07T13:29:05 7   d m
all   2026-12-07T13:29:05 5   s 9 9 9
all   2026-12-07T13:29:05 13  "h" "" x
all   -                   255 x m
all   -                   255 " m"
linux -                   255 "$tab"
linux -                   255 é
linux -                   255 "$(printf '\355')"
linux -                   255 "$high"
linux -                   255 "$ff"
linux 2026-12-07T13:29:05 7   "$big"
linux 2026-12-07T13:29:05 13  h $(seq 1 20000)
EOF_TABLE
run_queued
