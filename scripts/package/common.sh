# SPDX-License-Identifier: MIT
# What the recipes in scripts/package/ share; scripts/package.sh, which sources them, sets version,
# native, T.
# shellcheck shell=sh disable=SC2154

ok() { echo "ok: $*" && passed=$((passed + 1)); }
# die MESSAGE: the step has failed; stop (tests/lib.sh's fail counts a failure and goes on).
die() { echo "FAIL: $*" && exit 1; }

# normalise DIR: what the archives record of each file under DIR, whatever the umask and the clock:
# mode 755 for directories and programs, 644 for the rest, SOURCE_DATE_EPOCH as the time.
normalise() {
    chmod -R u=rwX,go=rX "$1"
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# write_tarball DIR TOP FILE: FILE, a .tar.gz of DIR/TOP, its members sorted by name whatever order
# the file system lists them in, owned by root.  tar runs gzip itself, so that either's failure is
# tar's.
write_tarball() {
    normalise "$1/$2"
    tar -C "$1" --sort=name --owner=0 --group=0 --numeric-owner --format=gnu -I 'gzip -9n' \
        -cf "$3" "$2"
}

# release_build DIR [CMAKE_ARGS...]: a fresh Release build in DIR, warnings as errors.
release_build() {
    dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF -DKORVANEX_WERROR=ON "$@" \
        >/dev/null
    cmake --build "$dir" --parallel "$(getconf _NPROCESSORS_ONLN)"
}

# expect_lines WHAT LISTING WANT...: LISTING, what WHAT holds, must be the lines WANT.
expect_lines() { [ "$2" = "$(shift 2 && printf '%s\n' "$@")" ] || die "$1 holds: $2"; }

# month_run WHAT COMMAND...: COMMAND m must end with the month, read around it from the host clock,
# and write nothing to standard error; sets status, the output in $T/out.
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

# tests_on WHAT PROGRAM TOOLCHAIN_FILE: the build's own end-to-end tests on PROGRAM, a shipped one,
# with the tests' helpers built by its row's TOOLCHAIN_FILE: the binary checks and the output bytes;
# every one on this machine's .deb (TOOLCHAIN_FILE -), built with Debian's flags rather than the
# tests'.
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

# copy_comparable: build-package/comparable/, each file of dist/ as a rebuild must give it again:
# less, in a .buildinfo, when and in what locale it was made, and in a .changes, the checksums of
# its .buildinfo.
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

# reproduce: reprotest builds every release file twice from a fresh clone of the commit, the second
# time varied in all it can vary here, and diffoscope must find them alike (a .buildinfo and a
# .changes through their comparable copies).  The first build is the release: its dist/ and its
# checks' texts come here.
reproduce() {
    git clone -q . "$T/src"
    git -C "$T/src" checkout -q --detach "$(git rev-parse HEAD)"
    [ -z "$(git status --porcelain --untracked-files=no)" ] ||
        echo "uncommitted changes are not in the release: it is built from the commit"
    # Other users take sudo and users made for them; file order, FUSE; host and domain name, a UTS
    # namespace.  What is not varied, the ok line says.
    vary=-user_group
    [ -c /dev/fuse ] && command -v disorderfs >/dev/null || vary="$vary,-fileordering"
    unshare --uts true 2>/dev/null || vary="$vary,-domain_host"
    store=$PWD/build-package/reprotest
    # The release files, and the list the checks go by.
    artifacts='dist/* build-package/comparable/* build-package/built'
    # The manifests, where no download address makes them release files.
    [ -n "$deb_only" ] || [ -n "${KORVANEX_DOWNLOAD_URL:-}" ] ||
        artifacts="$artifacts build-package/manifests/*"
    now nice reprotest --vary="$vary" --store-dir "$store" \
        --diffoscope-arg=--exclude-directory-metadata=yes \
        --diffoscope-arg='--exclude=*/dist/*.buildinfo' \
        --diffoscope-arg='--exclude=*/dist/*.changes' \
        -s "$T/src" "sh scripts/package.sh --build-only $deb_only" \
        "$artifacts" \
        >build-package/reprotest.log 2>&1 || {
        # A build that failed says why in the lines before its verdict.
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

# write_sums DIR FILE: FILE, the SHA-256 of every file in DIR, in the bytes' order whatever the
# locale, as sha256sum -c reads it.  The list goes through a file, where find's failure stops the
# step.
write_sums() {
    (cd "$1" && find . -type f) >"$T/files"
    sed 's|^[.]/||' "$T/files" >"$T/names"
    LC_ALL=C sort -o "$T/names" "$T/names"
    (cd "$1" && xargs sha256sum) <"$T/names" >"$2"
}
