#!/bin/sh
# SPDX-License-Identifier: MIT
# The manual page renders without a single warning.
#   man_lint.sh PAGE
set -u
command -v groff >/dev/null || {
    echo "SKIP: groff not installed (Debian package groff-base)"
    exit 77
}
out=$(groff -man -ww -z "$1" 2>&1)
status=$?
if [ "$status" -ne 0 ] || [ -n "$out" ]; then
    printf 'FAIL: groff (status %d):\n%s\n0 passed, 1 failed\n' "$status" "$out"
    exit 1
fi
echo "1 passed, 0 failed"
