# SPDX-License-Identifier: MIT
# What the recipes share; scripts/package.sh sets version, native and T.
# shellcheck shell=sh disable=SC2154

ok() {
    echo "ok: $*"
    passed=$((passed + 1))
}
# Unlike tests/lib.sh's fail, die stops at once.
die() { echo "FAIL: $*"; exit 1; }

# The archives' modes and times, whatever the umask and clock.
normalise() {
    chmod -R u=rwX,go=rX "$1"
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# write_tarball DIR TOP FILE: FILE, a .tar.gz of DIR/TOP; tar runs gzip, so its failure is tar's.
write_tarball() {
    normalise "$1/$2"
    tar -C "$1" --sort=name --owner=0 --group=0 --numeric-owner --format=gnu -I 'gzip -9n' \
        -cf "$3" "$2"
}

release_build() {
    dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF -DKORVANEX_WERROR=ON "$@" \
        >/dev/null
    cmake --build "$dir" --parallel "$(getconf _NPROCESSORS_ONLN)"
}

# expect_lines WHAT LISTING WANT...: LISTING (WHAT's) is the lines WANT.
expect_lines() { [ "$2" = "$(shift 2 && printf '%s\n' "$@")" ] || die "$1 holds: $2"; }

# month_run WHAT COMMAND...: COMMAND m ends with the month read around it, no error; out: $T/out.
month_run() {
    what=$1
    shift
    for _ in 1 2 3; do
        month=$(date +%-m) got=0
        "$@" m >"$T/out" 2>"$T/err" || got=$?
        [ "$(date +%-m)" = "$month" ] && break
    done
    [ "$got" = "$month" ] || die "$what m ended with $got, not $month"
    [ ! -s "$T/err" ] || die "$what m wrote to standard error: $(cat "$T/err")"
}

# tests_on WHAT PROGRAM TOOLCHAIN_FILE: the binary and output tests on a shipped PROGRAM, all on
# this machine's .deb (-), of Debian's flags.
tests_on() {
    dir=$PWD/build-package/tests-$(echo "$1" | tr ' ' -)
    toolchain=$3 tests='^e2e[.](binary|output)$'
    [ "$3" != - ] || toolchain='' tests='^e2e[.]'
    cmake -S . -B "$dir" -DKORVANEX_UNIT_TESTS=OFF "-DKORVANEX_COMMAND=$2" \
        ${toolchain:+--toolchain "$toolchain"} >"$T/cmake" 2>&1 ||
        die "$1: the tests could not be set up: $(tail -n 5 "$T/cmake")"
    cmake --build "$dir" --target test_helpers >/dev/null
    (cd "$dir" && ctest -R "$tests" --no-tests=error --output-on-failure) \
        >"$T/ctest" 2>&1 || die "$1: end-to-end tests: $(tail -n 40 "$T/ctest")"
    ok "$1: $(sed -n 's/.*passed, 0 tests failed out of //p' "$T/ctest") end-to-end tests pass"
}

# copy_comparable: build-package/comparable/, dist/ less what a rebuild changes (a .buildinfo's
# date and locale, a .changes' sums of it).
copy_comparable() {
    mkdir -p build-package/comparable
    for f in dist/*; do
        case $f in
        *.buildinfo) grep -vE '^(Build-Date:| LANG=| LC_[A-Z]*=)' "$f" ;;
        *.changes) grep -v '[.]buildinfo$' "$f" ;;
        *) cat "$f" ;;
        esac >"build-package/comparable/${f#dist/}"
    done
}

# reproduce: reprotest builds twice from a clone, the second varied in all it can, and diffoscope
# finds them alike; the first is the release.
reproduce() {
    git clone -q . "$T/src"
    git -C "$T/src" checkout -q --detach "$(git rev-parse HEAD)"
    [ -z "$(git status --porcelain --untracked-files=no)" ] ||
        echo "uncommitted changes are not in the release: it is built from the commit"
    # Not varied: users (sudo), file order without FUSE, host names without a UTS namespace.
    vary=-user_group
    [ -c /dev/fuse ] && command -v disorderfs >/dev/null || vary="$vary,-fileordering"
    unshare --uts true 2>/dev/null || vary="$vary,-domain_host"
    store=$PWD/build-package/reprotest
    # Quoted for reprotest's shell.
    made=$(printf '%s\n' "$KORVANEX_TOOLCHAINS" | sed "s/'/'\\\\''/g")
    artifacts='dist/* build-package/comparable/* build-package/built'
    [ -n "$deb_only" ] || [ -n "${KORVANEX_DOWNLOAD_URL:-}" ] ||
        artifacts="$artifacts build-package/manifests/*"
    now nice reprotest --vary="$vary" --store-dir "$store" \
        --diffoscope-arg=--exclude-directory-metadata=yes \
        --diffoscope-arg='--exclude=*/dist/*.buildinfo' \
        --diffoscope-arg='--exclude=*/dist/*.changes' \
        -s "$T/src" "KORVANEX_TOOLCHAINS='$made' sh scripts/package.sh --build-only $deb_only" \
        "$artifacts" \
        >build-package/reprotest.log 2>&1 || {
        ! grep -q '^packages: FAILED' build-package/reprotest.log ||
            die "reprotest: a build failed, saying:
$(sed -n '/^packages: FAILED/q;p' build-package/reprotest.log | tail -n 25)"
        die "reprotest: the builds differ ($store/experiment-1.diffoscope.out tells where):
$(tail -n 30 build-package/reprotest.log)"
    }
    ok "reprotest: two builds from the commit give every release file alike, varied in all but" \
        "$(echo "${vary#-}" | sed 's/,-/, /g')"
    cp -R "$store/control/source-root/." .
    write_sums dist build-package/SHA256SUMS
}

# write_sums DIR FILE: FILE, sha256sum's lines for DIR in the bytes' order; find's failure stops.
write_sums() {
    (cd "$1" && find . -type f) >"$T/files"
    sed 's|^[.]/||' "$T/files" >"$T/names"
    LC_ALL=C sort -o "$T/names" "$T/names"
    (cd "$1" && xargs sha256sum) <"$T/names" >"$2"
}
