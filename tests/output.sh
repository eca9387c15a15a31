#!/bin/sh
# SPDX-License-Identifier: MIT
# Exact bytes on standard output: the usage text with no argument, the banner alone with one; CR LF
# on every platform (on Windows the C runtime's text mode makes them of "\n").  For Windows, cmd
# redirects.
. "$(dirname "$0")/lib.sh"

# Linux since 5.18 puts an empty program name in place of an empty vector;
# older kernels start the program with argc 0 (noargv).
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
