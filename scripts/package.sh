#!/bin/sh
# Builds the release files into dist/ and checks them: the Debian package,
# the 64-bit and 32-bit Windows zips, the source tarball of the commit, and
# SHA256SUMS over them all.  The checks read what each file holds, run
# lintian on the .deb and the end-to-end tests on its program, and build
# everything again in two fresh clones (other paths, umask, time zone and
# locale), which must give the same bytes.
#   sh scripts/package.sh [--deb] [--install]
# --deb:        the Debian package for this machine's architecture only,
#               without the cross and Windows toolchains
# --install:    then also installs the .deb with apt, runs the installed
#               command, and removes it again
# --build-only: the files alone, unchecked (what the rebuilds run)
# Every time stamp in the files is SOURCE_DATE_EPOCH, by default the last
# commit's time; KORVANEX_MAINTAINER, when set, names the Debian maintainer.
set -eu
cd "$(dirname "$0")/.."

deb_only= install= checks=yes
for arg in "$@"; do
    case $arg in
    --deb) deb_only=--deb ;;
    --install) install=yes ;;
    --build-only) checks= ;;
    *)
        echo "usage: sh scripts/package.sh [--deb] [--install]" >&2
        exit 2
        ;;
    esac
done
if [ -n "$deb_only" ]; then
    sh scripts/deps.sh deb
else
    sh scripts/deps.sh deb zips
fi

# Options from the environment that would change the archives' bytes.
unset GZIP ZIP ZIPOPT TAR_OPTIONS
version=$(sed -n 's/^project(korvanex VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    if [ -e .git ]; then
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    else
        # A source tarball, where git archive wrote the commit's time.
        SOURCE_DATE_EPOCH=$(cat packaging/source-date-epoch)
    fi
fi
export SOURCE_DATE_EPOCH
rm -rf dist build-package
mkdir -p dist build-package

# normalise DIR: what the archives record of each file under DIR, whatever
# the umask and the clock: mode 755 for directories and programs, 644 for
# the rest, SOURCE_DATE_EPOCH as the time.
normalise() {
    find "$1" -type d -exec chmod 755 {} +
    find "$1" -type f -perm -u+x -exec chmod 755 {} +
    find "$1" -type f ! -perm -u+x -exec chmod 644 {} +
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# build DIR [CMAKE_ARGS...]: a fresh Release build in DIR, warnings as errors.
build() {
    dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF -DKORVANEX_WERROR=ON \
        ${KORVANEX_MAINTAINER:+"-DKORVANEX_MAINTAINER=$KORVANEX_MAINTAINER"} "$@" >/dev/null
    cmake --build "$dir" --parallel "$(getconf _NPROCESSORS_ONLN)"
}

# deb ARCH [TOOLCHAIN_FILE [EMULATOR...]]: dist/korvanex_VERSION_ARCH.deb
# for the Debian architecture ARCH, cross-compiled with TOOLCHAIN_FILE when
# one is given; the checks run its program under EMULATOR.
deb() {
    arch=$1
    toolchain=${2:-}
    shift $(($# < 2 ? $# : 2))
    [ -z "$toolchain" ] || sh scripts/deps.sh "deb-$arch"
    dir=build-package/deb-$arch
    root=$PWD/$dir/root
    # Debian's compiler flags for the architecture: hardening, bind-now
    # included (the report path binds no more symbols than it calls), and the
    # source directory mapped to "." in whatever the compiler records.  Not
    # the stack protector: it guards no buffer here (only locals whose
    # address is taken), and binding its failure handler costs every run
    # some 230 instructions, 0.2 per cent of the start-up.
    flags() {
        DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow,-stackprotector DEB_HOST_ARCH=$arch \
            dpkg-buildflags --get "$1"
    }
    build "$dir" ${toolchain:+--toolchain "$toolchain"} -DCMAKE_INSTALL_PREFIX=/usr \
        "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)"
    DESTDIR=$root cmake --install "$dir" --strip >/dev/null
    # As Debian's own packages: no compiler identification either.
    strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$dir/CMakeCache.txt")
    "$strip" --remove-section=.comment --remove-section=.note "$root/usr/bin/korvanex"
    mkdir "$root/DEBIAN"
    (cd "$root" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$root/DEBIAN/md5sums"
    # The dependencies on shared libraries, as the architecture's packages
    # declare them; then the control file, with the version of the changelog.
    (
        cd "$dir"
        export DEB_HOST_ARCH="$arch"
        dpkg-shlibdeps -Tdebian/substvars root/usr/bin/korvanex
        dpkg-gencontrol -cdebian/control -lchangelog -Tdebian/substvars -fdebian/files -Proot
    )
    normalise "$root"
    dpkg-deb --root-owner-group --threads-max=1 -Zxz --build "$root" \
        "dist/korvanex_${version}_$arch.deb" >/dev/null
    echo "$arch ${toolchain:--} $*" >>build-package/debs
}

# windows NAME TOOLCHAIN_FILE: dist/korvanex-VERSION-NAME.zip.
windows() {
    dir=build-package/$1
    top=korvanex-$version-$1
    build "$dir" --toolchain "$2"
    # strip stamps the PE header with SOURCE_DATE_EPOCH.
    cmake --install "$dir" --prefix "$PWD/$dir/zip/$top" --strip >/dev/null
    normalise "$dir/zip"
    # Members sorted, times read as UTC, no Unix owners or extra time fields.
    zip=$PWD/dist/$top.zip
    (cd "$dir/zip" && find "$top" -type f | LC_ALL=C sort | TZ=UTC0 zip -X -D -9 -q "$zip" -@)
}

# source_tarball: dist/korvanex-VERSION.tar.gz, the commit's files under
# korvanex-VERSION/.
source_tarball() {
    top=korvanex-$version
    dir=build-package/source
    mkdir "$dir"
    git archive --format=tar --prefix="$top/" HEAD | tar -x -C "$dir"
    normalise "$dir/$top"
    tar -C "$dir" --sort=name --owner=0 --group=0 --numeric-owner --format=gnu -cf - "$top" |
        gzip -9n >"dist/$top.tar.gz"
}

deb "$(dpkg --print-architecture)"
if [ -z "$deb_only" ]; then
    deb arm64 cmake/toolchains/aarch64-linux-gnu.cmake qemu-aarch64-static -L /usr/aarch64-linux-gnu
    deb armhf cmake/toolchains/arm-linux-gnueabihf.cmake qemu-arm-static -L /usr/arm-linux-gnueabihf
    windows win64 cmake/toolchains/x86_64-w64-mingw32.cmake
    windows win32 cmake/toolchains/i686-w64-mingw32.cmake
    if [ -e .git ]; then
        source_tarball
    else
        echo "no source tarball: this is not a git clone"
    fi
fi
(cd dist && ls | LC_ALL=C sort | xargs sha256sum) >build-package/SHA256SUMS
mv build-package/SHA256SUMS dist/
ls -l dist
[ -n "$checks" ] || exit 0

passed=0
ok() {
    echo "ok: $*"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL: $*"
    echo "packages: $passed passed, 1 failed"
    exit 1
}
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

# korvanex m must end with the month, read around it from the host clock.
# month_run WHAT COMMAND...: sets status and month, the output in $T/out.
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

native=$(dpkg --print-architecture)
while read -r arch toolchain emulator <&3; do
    deb=dist/korvanex_${version}_$arch.deb
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort >"$T/files"
    printf '%s\n' ./usr/bin/korvanex ./usr/share/doc/korvanex/changelog.gz \
        ./usr/share/doc/korvanex/copyright ./usr/share/man/man1/korvanex.1.gz >"$T/want"
    cmp -s "$T/want" "$T/files" || fail "$deb holds: $(cat "$T/files")"
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "$deb: Architecture is not $arch"
    depends=$(dpkg-deb -f "$deb" Depends)
    case $depends in
    "libc6 (>= "*")") ;;
    *) fail "$deb depends on: $depends" ;;
    esac
    ok "$deb holds the command, its manual page, changelog and copyright; depends on $depends"

    lintian --fail-on error,warning,info --display-info "$deb" >"$T/lintian" 2>"$T/err" ||
        fail "lintian $deb: $(cat "$T/lintian" "$T/err")"
    ok "lintian passes $deb"
    sed 's/^/    /' "$T/lintian"

    # The packaged program is built with Debian's flags, not the test
    # presets': the end-to-end tests run again on it, as the presets run
    # them, with their helpers built for the architecture.
    dpkg -x "$deb" "$T/$arch"
    program=$T/$arch/usr/bin/korvanex
    # shellcheck disable=SC2086
    month_run "packaged $arch korvanex" $emulator "$program"
    [ "$toolchain" != - ] || toolchain=
    helpers=$PWD/build-package/tests-$arch
    cmake -S . -B "$helpers" -DKORVANEX_UNIT_TESTS=OFF "-DKORVANEX_COMMAND=$program" \
        ${toolchain:+--toolchain "$toolchain"} >/dev/null
    cmake --build "$helpers" --target launch frozen_clock >/dev/null
    (cd "$helpers" && ctest -R '^command[.]' --no-tests=error --output-on-failure) >"$T/ctest" 2>&1 ||
        fail "packaged $arch program, end-to-end tests: $(cat "$T/ctest")"
    ok "the packaged $arch program passes the end-to-end tests${emulator:+ under $emulator}"
done 3<build-package/debs

if [ -z "$deb_only" ]; then
    cr=$(printf '\r')
    copyright=$(grep '^Copyright (c) ' LICENSE)
    for zip in dist/korvanex-$version-win64.zip dist/korvanex-$version-win32.zip; do
        top=$(basename "$zip" .zip)
        cmake -E tar tf "$zip" | LC_ALL=C sort >"$T/files"
        printf '%s\n' "$top/LICENSE.txt" "$top/README.txt" "$top/korvanex.exe" >"$T/want"
        cmp -s "$T/want" "$T/files" || fail "$zip holds: $(cat "$T/files")"
        (cd "$T" && cmake -E tar xf "$OLDPWD/$zip")
        sed "s/\$/$cr/" LICENSE | cmp -s - "$T/$top/LICENSE.txt" ||
            fail "$zip: LICENSE.txt is not LICENSE with CR LF line ends"
        sed "s/\$/$cr/" packaging/windows/README.txt | cmp -s - "$T/$top/README.txt" ||
            fail "$zip: README.txt is not packaging/windows/README.txt with CR LF line ends"
        out=$(sh tests/win_version.sh "$T/$top/korvanex.exe" "$version") ||
            fail "$zip: version resource: $out"
        legal=$(strings -el -n 3 "$T/$top/korvanex.exe" | grep -A1 -x LegalCopyright | sed -n 2p)
        [ "$legal" = "$copyright" ] || fail "$zip: LegalCopyright is '$legal'"
        stamp=$(TZ=UTC0 objdump -p "$T/$top/korvanex.exe" | sed -n 's/^Time\/Date[[:space:]]*//p')
        [ "$stamp" = "$(TZ=UTC0 date -d "@$SOURCE_DATE_EPOCH" '+%a %b %e %H:%M:%S %Y')" ] ||
            fail "$zip: the PE header's time stamp is $stamp"
        ok "$zip holds korvanex.exe (version $version, $copyright), LICENSE.txt and README.txt"
    done

    # The Windows README shows the README's Windows recipes as they are tested.
    for name in batch windows-sh; do
        awk -v name="$name" -f tests/recipe.awk README.md | sed 's/^/    /' | tr '\n' '\1' >"$T/want"
        [ -s "$T/want" ] || fail "README.md has no $name recipe"
        case $(tr '\n' '\1' <packaging/windows/README.txt) in
        *"$(cat "$T/want")"*) ;;
        *) fail "packaging/windows/README.txt lacks the README's $name recipe" ;;
        esac
    done
    ok "packaging/windows/README.txt shows the README's batch and POSIX shell recipes"

    if [ -e .git ]; then
        tarball=dist/korvanex-$version.tar.gz
        tar -tzf "$tarball" | grep -v '/$' | LC_ALL=C sort >"$T/files"
        git ls-files | sed "s|^|korvanex-$version/|" | LC_ALL=C sort >"$T/want"
        cmp -s "$T/want" "$T/files" || fail "$tarball holds other files than the commit"
        tar -xzf "$tarball" -C "$T"
        [ "$(cat "$T/korvanex-$version/packaging/source-date-epoch")" = "$(git log -1 --format=%ct)" ] ||
            fail "$tarball: packaging/source-date-epoch is not the commit's time"
        (cd "$T/korvanex-$version" && sh scripts/build.sh) >"$T/build.log" 2>&1 ||
            fail "$tarball: scripts/build.sh failed: $(tail -n 20 "$T/build.log")"
        month_run "korvanex built from $tarball" "$T/korvanex-$version/build/korvanex"
        ok "$tarball holds the commit's files and builds on its own with scripts/build.sh"
    fi
fi

(cd dist && ls | grep -vx SHA256SUMS) >"$T/want"
sed 's/^[0-9a-f]\{64\}  //' dist/SHA256SUMS >"$T/files"
cmp -s "$T/want" "$T/files" || fail "SHA256SUMS covers: $(cat "$T/files")"
(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS"
ok "SHA256SUMS covers every file in dist/ and checks"

out=$(sh tests/man_lint.sh man/korvanex.1) || fail "manual page: $out"
ok "manual page renders without warnings"

# The same bytes again, from two fresh clones of the commit elsewhere, under
# another umask, time zone and locale, at another time.
if [ -e .git ]; then
    commit=$(git rev-parse HEAD)
    # rebuild DIR UMASK TZ LOCALE
    rebuild() {
        mkdir -p "$(dirname "$1")"
        (
            umask "$2"
            TZ=$3 LC_ALL=$4
            export TZ LC_ALL
            git clone -q . "$1" && cd "$1" && git checkout -q --detach "$commit" &&
                sh scripts/package.sh --build-only $deb_only
        ) >"$1.log" 2>&1 || fail "rebuild in $1: $(tail -n 20 "$1.log")"
    }
    # same WHAT DIR1 DIR2: DIR1/dist and DIR2/dist hold the same files.
    same() {
        (cd "$2/dist" && ls) >"$T/names1"
        (cd "$3/dist" && ls) >"$T/names2"
        cmp -s "$T/names1" "$T/names2" || fail "$1: other files: $(cat "$T/names1") / $(cat "$T/names2")"
        differ=
        for f in $(cat "$T/names1"); do
            cmp -s "$2/dist/$f" "$3/dist/$f" || differ="$differ $f"
        done
        [ -z "$differ" ] || fail "$1: these differ:$differ (diffoscope on $2/dist and $3/dist tells where)"
    }
    rebuild "$T/a/korvanex" 022 UTC0 C
    rebuild "$T/b/another/place/korvanex-$version" 077 "<+1245>-12:45" C.UTF-8
    same "two rebuilds" "$T/a/korvanex" "$T/b/another/place/korvanex-$version"
    if [ -z "$(git status --porcelain --untracked-files=no)" ]; then
        same "this build and a rebuild" . "$T/a/korvanex"
        ok "two rebuilds elsewhere give every file in dist/ byte for byte"
    else
        ok "two rebuilds elsewhere agree byte for byte (uncommitted changes here: dist/ not compared)"
    fi
fi

if [ -n "$install" ]; then
    deb=dist/korvanex_${version}_$native.deb
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q "./$deb" >/dev/null
    # Removed again however the checks end.
    trap 'apt-get remove -y -q korvanex >/dev/null; rm -rf "$T"' EXIT
    [ -f /usr/share/man/man1/korvanex.1.gz ] || fail "installed manual page missing"
    [ -f /usr/share/doc/korvanex/copyright ] || fail "installed copyright file missing"
    month_run "installed korvanex" /usr/bin/korvanex
    [ "$(wc -l <"$T/out")" = 4 ] || fail "installed korvanex m wrote: $(cat "$T/out")"
    ok "apt installs $deb; the installed korvanex m ends with $status"
fi
echo "packages: $passed passed, 0 failed"
