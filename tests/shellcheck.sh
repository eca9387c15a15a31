#!/bin/sh
# SPDX-License-Identifier: MIT
# Every shell script in the tree passes shellcheck, as POSIX sh, following
# the files each one sources (lib.sh, the package step's parts).
#   sh shellcheck.sh SOURCE_DIR
command -v shellcheck >/dev/null || {
    echo "SKIP: shellcheck not installed (Debian package shellcheck)"
    exit 77
}
cd "$1" || exit 1
# Every *.sh, and every other file that starts as a shell script (such as
# .ci/run), outside the build trees.
scripts=$(find . -type d \( -name 'build*' -o -name 'dist*' -o -name .git \) -prune -o \
    -type f \( -name '*.sh' -o -exec sh -c 'head -n 1 "$1" | grep -q "^#!/bin/sh"' sh {} \; \) \
    -print | sort)
count=$(echo "$scripts" | wc -l)
IFS='
'
# shellcheck disable=SC2086 # one script a line
if shellcheck --shell=sh --external-sources --source-path=SCRIPTDIR -f gcc $scripts; then
    echo "$count scripts: 1 passed, 0 failed"
else
    echo "$count scripts: 0 passed, 1 failed"
    exit 1
fi
