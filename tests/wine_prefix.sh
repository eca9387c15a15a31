#!/bin/sh
# SPDX-License-Identifier: MIT
# Creates the tests' private Wine prefix once, before any test runs, so that
# Wine's first-run messages reach no test's standard error; then keeps one
# server and Wine's own services running for all the tests, which spares
# each run their start-up.  Where 32-bit programs run under user-mode
# emulation, creating a prefix now and then hangs: it is tried again.
set -u

attempt=1
while [ "$attempt" -le 4 ]; do
    wineserver --kill >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
    if timeout 150 "$EMULATOR" wineboot --init >/dev/null 2>&1 &&
        timeout 60 wineserver --wait && [ -f "$WINEPREFIX/system.reg" ]; then
        # Started here, the server outlives the test: it must not hold its output.
        wineserver --persistent </dev/null >/dev/null 2>&1
        timeout 150 "$EMULATOR" cmd /c exit >/dev/null 2>&1 && exit 0
    fi
    echo "attempt $attempt to set up Wine failed"
    attempt=$((attempt + 1))
done
exit 1
