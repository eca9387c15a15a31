#!/bin/sh
# SPDX-License-Identifier: MIT
# Stops the tests' Wine server and whatever of Wine's own processes outlive
# it (under user-mode emulation some do), touching no other prefix.
wineserver --kill >/dev/null 2>&1
for dir in /proc/[0-9]*; do
    [ "${dir#/proc/}" = $$ ] && continue
    if tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
        kill -9 "${dir#/proc/}" 2>/dev/null
    fi
done
exit 0
