# SPDX-License-Identifier: MIT
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
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF -DKORVANEX_WERROR=ON \
        ${KORVANEX_MAINTAINER:+"-DKORVANEX_MAINTAINER=$KORVANEX_MAINTAINER"} "$@" >/dev/null
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
    for try in 1 2 3; do
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

# buildinfo: dist/korvanex_VERSION_ARCH.buildinfo, the build environment as
# Debian records it: the packages that the build used, with their versions,
# and the checksums of every file built.  Like Debian's, it says when it was
# made and in what locale.
buildinfo() {
    dir=build-package/buildinfo
    mkdir -p "$dir/debian"
    deps="cmake, make, g++, dpkg-dev, git"
    [ -n "$deb_only" ] || deps="$deps, zip, g++-aarch64-linux-gnu, g++-arm-linux-gnueabihf"
    [ -n "$deb_only" ] || deps="$deps, g++-arm-linux-gnueabi, g++-mingw-w64-x86-64-posix"
    [ -n "$deb_only" ] || deps="$deps, g++-mingw-w64-i686-posix, musl-dev"
    sed "/^Maintainer:/a Build-Depends: $deps" "build-package/deb-$native/debian/control" \
        >"$dir/debian/control"
    cp "build-package/deb-$native/changelog" "$dir/debian/changelog"
    (cd dist && for f in *; do
        case $f in
        *.deb) echo "$f utils optional" ;;
        *) echo "$f byhand -" ;;
        esac
    done) >"$dir/debian/files"
    (cd "$dir" && dpkg-genbuildinfo --build=binary "-u$OLDPWD/dist" \
        "-O$OLDPWD/dist/korvanex_${version}_$native.buildinfo")
}

# rebuild_twice: the same bytes again, from two fresh clones of the commit
# elsewhere, under another umask, time zone and locale, at another time,
# with SOURCE_DATE_EPOCH at its default (the commit's time), and one on a
# file system that lists a directory in another order (tmpfs, where
# /dev/shm is one).
rebuild_twice() {
    commit=$(git rev-parse HEAD)
    # rebuild DIR UMASK TZ LOCALE
    rebuild() {
        mkdir -p "$(dirname "$1")"
        (
            umask "$2"
            TZ=$3 LC_ALL=$4
            export TZ LC_ALL
            unset SOURCE_DATE_EPOCH
            git clone -q . "$1" && cd "$1" && git checkout -q --detach "$commit" &&
                sh scripts/package.sh --build-only $deb_only
        ) >"$1.log" 2>&1 || fail "rebuild in $1: $(tail -n 20 "$1.log")"
    }
    # same WHAT DIR1 DIR2: DIR1/dist and DIR2/dist hold the same files, byte
    # for byte; of the .buildinfo, all but the date and locale.
    same() {
        (cd "$2/dist" && ls) >"$T/names1"
        (cd "$3/dist" && ls) >"$T/names2"
        cmp -s "$T/names1" "$T/names2" || fail "$1: other files: $(cat "$T/names1") / $(cat "$T/names2")"
        differ=
        for f in $(cat "$T/names1"); do
            case $f in
            *.buildinfo)
                volatile='^(Build-Date:| LANG=| LC_[A-Z]*=)'
                grep -vE "$volatile" "$2/dist/$f" >"$T/info1"
                grep -vE "$volatile" "$3/dist/$f" | cmp -s "$T/info1" -
                ;;
            *) cmp -s "$2/dist/$f" "$3/dist/$f" ;;
            esac || differ="$differ $f"
        done
        [ -z "$differ" ] || fail "$1: these differ:$differ (diffoscope on $2/dist and $3/dist tells where)"
    }
    other=$T/b
    if [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ] && [ -w /dev/shm ]; then
        other=$(mktemp -d /dev/shm/korvanex.XXXXXX)
        undo="rm -rf '$other'; $undo"
    fi
    rebuild "$T/a/korvanex" 022 UTC0 C
    rebuild "$other/another/place/korvanex-$version" 077 "<+1245>-12:45" C.UTF-8
    same "two rebuilds" "$T/a/korvanex" "$other/another/place/korvanex-$version"
    if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
        ok "two rebuilds elsewhere agree byte for byte (uncommitted changes here: dist/ not compared)"
    elif [ "$SOURCE_DATE_EPOCH" != "$commit_time" ]; then
        ok "two rebuilds elsewhere agree byte for byte (SOURCE_DATE_EPOCH given: dist/ not compared)"
    else
        same "this build and a rebuild" . "$T/a/korvanex"
        ok "two rebuilds elsewhere give every file in dist/ byte for byte"
    fi
}
