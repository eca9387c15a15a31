# SPDX-License-Identifier: MIT
# The source tarball; packaging/source-date-epoch keeps the commit's time, so that it builds the
# same release files.
# shellcheck shell=sh disable=SC2154

# make_source VERSION: dist/korvanex-VERSION.tar.gz
make_source() {
    dir=build-package/source
    mkdir "$dir"
    # A file, so that git's failure stops the step.
    git archive --format=tar --prefix="korvanex-$1/" -o "$dir.tar" HEAD
    tar -x -C "$dir" -f "$dir.tar"
    write_tarball "$dir" "korvanex-$1" "dist/korvanex-$1.tar.gz"
}

check_source() {
    tarball=dist/korvanex-$1.tar.gz
    tar -xzf "$tarball" -C "$T"
    [ "$(cat "$T/korvanex-$1/packaging/source-date-epoch")" = "$(git log -1 --format=%ct)" ] ||
        die "$tarball: packaging/source-date-epoch is not the commit's time"
    (cd "$T/korvanex-$1" && sh scripts/build.sh) >"$T/build.log" 2>&1 ||
        die "$tarball: scripts/build.sh failed: $(tail -n 20 "$T/build.log")"
    month_run "korvanex built from $tarball" "$T/korvanex-$1/build/korvanex"
    ok "$tarball builds on its own with scripts/build.sh"
}
