# SPDX-License-Identifier: MIT
# Variables such as version, native and T are set by scripts/package.sh.
# shellcheck shell=sh disable=SC2154
# What the recipes in scripts/package/ share, sourced by scripts/package.sh
# (which sets version, commit_time, native, deb_only, T and undo first).

ok() {
    echo "ok: $*"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL: $*"
    exit 1
}

# normalise DIR: what the archives record of each file under DIR, whatever
# the umask and the clock: mode 755 for directories and programs, 644 for
# the rest, SOURCE_DATE_EPOCH as the time.
normalise() {
    find "$1" -type d -exec chmod 755 {} +
    find "$1" -type f -perm -u+x -exec chmod 755 {} +
    find "$1" -type f ! -perm -u+x -exec chmod 644 {} +
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# tarball DIR TOP FILE: FILE, a .tar.gz of DIR/TOP, its members sorted by
# name whatever order the file system lists them in, owned by root.
tarball() {
    normalise "$1/$2"
    tar -C "$1" --sort=name --owner=0 --group=0 --numeric-owner --format=gnu -cf - "$2" |
        gzip -9n >"$3"
}

# build DIR [CMAKE_ARGS...]: a fresh Release build in DIR, warnings as errors.
build() {
    dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF -DKORVANEX_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" --parallel "$(getconf _NPROCESSORS_ONLN)"
}

# built KIND NAME: what check_KIND is to check.  The checks name the
# toolchain for NAME themselves, so that a file built for the wrong CPU
# fails them.
built() {
    echo "$1 $2" >>build-package/built
}

# month_run WHAT COMMAND...: COMMAND m must end with the month, read around
# it from the host clock, and write nothing to standard error; sets status,
# the output in $T/out.
month_run() {
    what=$1
    shift
    for _ in 1 2 3; do
        month=$(date +%-m)
        status=0
        "$@" m >"$T/out" 2>"$T/err" || status=$?
        [ "$(date +%-m)" = "$month" ] && break
    done
    [ "$status" = "$month" ] || fail "$what m ended with $status, not $month"
    [ ! -s "$T/err" ] || fail "$what m wrote to standard error: $(cat "$T/err")"
}

# tests_on WHAT PROGRAM [TOOLCHAIN]: the build's own tests that take a
# program (command.*, windows.*) on PROGRAM, a shipped one, with the tests'
# helpers built by cmake/toolchains/TOOLCHAIN.cmake (none: this machine's).
# Their rows on the running clock take the shipped program itself.
tests_on() {
    dir=$PWD/build-package/tests-$(echo "$1" | tr ' ' -)
    toolchain=${3:+cmake/toolchains/$3.cmake}
    cmake -S . -B "$dir" -DKORVANEX_UNIT_TESTS=OFF "-DKORVANEX_COMMAND=$2" \
        ${toolchain:+--toolchain "$toolchain"} >"$T/cmake" 2>&1 ||
        fail "$1: the tests could not be set up: $(tail -n 5 "$T/cmake")"
    cmake --build "$dir" --target test_helpers >/dev/null
    (cd "$dir" && ctest -R '^(command|windows|wine)[.]' --no-tests=error --output-on-failure) \
        >"$T/ctest" 2>&1 || fail "$1: end-to-end tests: $(tail -n 40 "$T/ctest")"
    ok "$1: $(sed -n 's/.*tests passed, 0 tests failed out of //p' "$T/ctest") end-to-end tests pass"
}

# steady: build-package/steady/, each file of dist/ as a rebuild must give
# it again.  A .buildinfo records when and in what locale it was made: not
# its Build-Date and locale lines, then; and a .changes the checksums of its
# .buildinfo: not those lines.
steady() {
    mkdir -p build-package/steady
    for f in dist/*; do
        case $f in
        *.buildinfo) grep -vE '^(Build-Date:| LANG=| LC_[A-Z]*=)' "$f" ;;
        *.changes) grep -v '[.]buildinfo$' "$f" ;;
        *) cat "$f" ;;
        esac >"build-package/steady/${f#dist/}"
    done
}

# reproduce: reprotest builds every release file twice more from a fresh
# clone of the commit, with SOURCE_DATE_EPOCH at its default (the commit's
# time), the second time varied in all it can vary here; then this build
# must match the first.  diffoscope's report tells where any file differs.
reproduce() {
    git clone -q . "$T/src"
    git -C "$T/src" checkout -q --detach "$(git rev-parse HEAD)"
    # Building as other users needs sudo and users made for it.
    vary=-user_group
    # Listing directories in another order takes a FUSE file system.
    if [ ! -c /dev/fuse ] || ! command -v disorderfs >/dev/null; then
        vary="$vary,-fileordering"
        echo "not varied: file order (no FUSE here)"
    fi
    # Another host and domain name take a UTS namespace.
    if ! unshare --uts true 2>/dev/null; then
        vary="$vary,-domain_host"
        echo "not varied: host and domain name (no UTS namespace here)"
    fi
    store=$PWD/build-package/reprotest
    nice reprotest --vary="$vary" --store-dir "$store" -s "$T/src" \
        "sh scripts/package.sh --build-only $deb_only" 'build-package/steady/*' \
        >build-package/reprotest.log 2>&1 ||
        fail "reprotest: the rebuilds differ or failed (the log: build-package/reprotest.log;
diffoscope's report: $store/experiment-1.diffoscope.out):
$(tail -n 30 build-package/reprotest.log)"
    ok "reprotest: two rebuilds from the commit give every release file alike, varied in all but $(echo "${vary#-}" | sed 's/,-/, /g')"
    first=$store/control/source-root/build-package/steady
    if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
        echo "this build not compared with the rebuilds: uncommitted changes here"
    elif [ "$SOURCE_DATE_EPOCH" != "$commit_time" ]; then
        echo "this build not compared with the rebuilds: SOURCE_DATE_EPOCH given"
    else
        diffoscope --exclude-directory-metadata=yes build-package/steady "$first" \
            >build-package/diffoscope.txt 2>&1 ||
            fail "this build and a rebuild differ: $(head -n 40 build-package/diffoscope.txt)"
        ok "this build gives every release file as the rebuilds do"
    fi
}
