#!/bin/sh
# SPDX-License-Identifier: MIT
# Exact bytes on standard output: the usage text with no argument, the banner alone with one; CR LF
# everywhere (on Windows, text mode makes them of "\n").
. "$(dirname "$0")/lib.sh"

# noargv: Linux since 5.18 gives an empty program name for an empty vector, older ones argc 0.
while read -r on how want args; do
    queue "$on" "$how" - "$want" "$args"
done <<'EOF_TABLE'
all    file    0   -
linux  noargv  0   -
all    pipe    0   -
all    pipe    255 x
all    file    -   m
all    file    -   M
all    file    -   month
all    file    255 x
all    file    255 ""
all    file    255 /?
EOF_TABLE
run_queued
