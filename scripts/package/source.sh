# SPDX-License-Identifier: MIT
# The source tarball: the commit's files, with its time in packaging/source-date-epoch so that it
# builds the same release files again.  Sourced by scripts/package.sh.
# shellcheck shell=sh disable=SC2154

# make_source: dist/korvanex-VERSION.tar.gz.
make_source() {
    dir=build-package/source
    mkdir "$dir"
    git archive --format=tar --prefix="korvanex-$version/" HEAD | tar -x -C "$dir"
    tarball "$dir" "korvanex-$version" "dist/korvanex-$version.tar.gz"
    echo "source:$version -" >>build-package/built
}

# check_source VERSION
check_source() {
    tarball=dist/korvanex-$1.tar.gz
    # The commit's files, in tar's order: by name within each directory ("/" sorts first).
    # shellcheck disable=SC2046 # a path a word: none holds a space
    holds "$tarball" "$(tar -tzf "$tarball" | grep -v '/$')" \
        $(git ls-files | sed "s|^|korvanex-$1/|" | tr / '\001' | LC_ALL=C sort | tr '\001' /)
    tar -xzf "$tarball" -C "$T"
    [ "$(cat "$T/korvanex-$1/packaging/source-date-epoch")" = "$(git log -1 --format=%ct)" ] ||
        fail "$tarball: packaging/source-date-epoch is not the commit's time"
    (cd "$T/korvanex-$1" && sh scripts/build.sh) >"$T/build.log" 2>&1 ||
        fail "$tarball: scripts/build.sh failed: $(tail -n 20 "$T/build.log")"
    month_run "korvanex built from $tarball" "$T/korvanex-$1/build/korvanex"
    ok "$tarball holds the commit's files and builds on its own with scripts/build.sh"
}
