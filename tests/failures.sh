#!/bin/sh
# SPDX-License-Identifier: MIT
# Output that cannot be written changes neither status nor stderr.  The running clock: the program
# itself, not a stand-in.
. "$(dirname "$0")/lib.sh"

# Wine cannot run under a file size limit of 0: Linux's alone.
for on_how in all:closed all:full linux:limit all:gone; do
    for args in -:0 m:%-m d:%-d x:255; do
        queue "${on_how%:*}" "${on_how#*:}" - "${args#*:}" "${args%%:*}"
    done
done
run_queued
