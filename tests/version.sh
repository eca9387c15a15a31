#!/bin/sh
# SPDX-License-Identifier: MIT
# The version is written once, in CMakeLists.txt's project(); the manual
# page and the READMEs take it from there (@PROJECT_VERSION@), and only
# debian/changelog names it again, as its newest entry.
#   version.sh SOURCE_DIR VERSION
. "$(dirname "$0")/lib.sh"

cd "$1" || exit 1
check "debian/changelog's newest version" "$2" \
    "$(sed -n '1s/^korvanex (\([^)]*\)).*/\1/p' debian/changelog)"
pattern="(^|[^0-9.])$(echo "$2" | sed 's/[.]/[.]/g')([^0-9]|\$)"
# The project's files: git's list in a clone; elsewhere (a source tarball)
# every file but the build trees'.
if [ -e .git ]; then
    git ls-files
else
    find . \( -name .git -o -name build -o -name 'build-*' -o -name 'dist*' \) -prune \
        -o -type f -print | sed 's|^[.]/||'
fi | grep -v -x -E 'CMakeLists.txt|debian/changelog' | tr '\n' '\0' |
    xargs -0 grep -n -E "$pattern" -- >"$T/hits" 2>/dev/null
check "files that write the version $2 out" "" "$(cat "$T/hits")"
# The texts that need it do take it.
for f in man/korvanex.1 packaging/linux/README.txt packaging/windows/README.txt; do
    if grep -q '@PROJECT_VERSION@' "$f"; then
        passed=$((passed + 1))
    else
        fail "$f: no @PROJECT_VERSION@"
    fi
done

finish
