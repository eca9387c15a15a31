#!/bin/sh
# SPDX-License-Identifier: MIT
# The tests' Wine prefix.  wine.sh prefix makes it first, so that Wine's first-run messages reach
# no test's stderr, and keeps one server up for all; wine.sh stop ends it and this prefix's rest.
set -u
server=${WINESERVER:-wineserver}
if [ "$1" = stop ]; then
    "$server" --kill >/dev/null 2>&1
    for dir in /proc/[0-9]*; do
        [ "${dir#/proc/}" != $$ ] && tr '\0' '\n' 2>/dev/null <"$dir/environ" |
            grep -qxF "WINEPREFIX=$WINEPREFIX" && kill -9 "${dir#/proc/}" 2>/dev/null
    done
    exit 0
fi
# Under user-mode emulation creating a prefix now and then hangs: again.
for attempt in 1 2 3 4; do
    "$server" --kill >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
    if timeout 150 "$EMULATOR" wineboot --init >/dev/null 2>&1 &&
        timeout 60 "$server" --wait && [ -f "$WINEPREFIX/system.reg" ]; then
        # Started here, the server outlives the test: it must not hold its output.
        "$server" --persistent </dev/null >/dev/null 2>&1
        timeout 150 "$EMULATOR" cmd /c exit >/dev/null 2>&1 && exit 0
    fi
    echo "attempt $attempt to set up Wine failed"
done
exit 1
