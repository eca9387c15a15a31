# SPDX-License-Identifier: MIT
# The Debian packages, built by debhelper as Debian builds its own.
# shellcheck shell=sh disable=SC2154

# make_deb ARCH: dist/korvanex_VERSION_ARCH.{deb,buildinfo,changes}, cross-built without tests for
# another ARCH; a copy each, as dpkg-buildpackage writes beside the tree.
make_deb() {
    arch=$1
    dir=build-package/deb-$arch
    src=$dir/korvanex-$version
    mkdir -p "$src"
    if [ -e .git ]; then
        # A file, so that git's failure stops the step.
        git archive -o "$T/source.tar" HEAD
        tar -x -C "$src" -f "$T/source.tar"
    else
        find . -mindepth 1 -maxdepth 1 ! -name 'build*' ! -name 'dist*' -exec cp -R {} "$src" \;
    fi
    # The licence's text is written once, in LICENSE.
    {
        printf 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n'
        printf 'Upstream-Name: korvanex\n\nFiles: *\nCopyright: %s\nLicense: MIT\n\n' \
            "$(sed -n 's/^Copyright (c) //p' LICENSE)"
        echo 'License: MIT'
        # shellcheck disable=SC2016 # sed's $, the last line
        sed -n '/^Permission/,${s/^$/./;s/^/ /;p;}' LICENSE
    } >"$src/debian/copyright"
    if [ -n "${KORVANEX_MAINTAINER:-}" ]; then
        name=$(printf '%s\n' "$KORVANEX_MAINTAINER" | sed 's/[|&\\]/\\&/g')
        sed -i "s|^ -- .*  \([A-Z][a-z][a-z], \)| -- $name  \1|" "$src/debian/changelog"
    fi
    maintainer=$(cd "$src" && dpkg-parsechangelog -S Maintainer)
    cmake -DKIND=control "-DMAINTAINER=$maintainer" -DIN=debian/control \
        "-DOUT=$src/debian/control" -DREADME=README.md -P cmake/text.cmake
    cross=
    [ "$arch" = "$native" ] || cross="--host-arch $arch -Pcross,nocheck"
    # Two jobs whatever the machine: the .buildinfo records the number.
    # shellcheck disable=SC2086
    (cd "$src" && dpkg-buildpackage -b -us -uc -J2 $cross) >"$dir/build.log" 2>&1 ||
        die "dpkg-buildpackage $cross: $(tail -n 20 "$dir/build.log")"
    made=$dir/korvanex_${version}_$arch
    cp "$made.deb" "$made.buildinfo" "$made.changes" dist/
}

check_deb() {
    deb=dist/korvanex_${version}_$1.deb
    files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort)
    expect_lines "$deb" "$files" ./usr/bin/korvanex ./usr/share/doc/korvanex/changelog.gz \
        ./usr/share/doc/korvanex/copyright ./usr/share/man/man1/korvanex.1.gz
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$1" ] || die "$deb: Architecture is not $1"
    depends=$(dpkg-deb -f "$deb" Depends)
    printf '%s\n' "$depends" | grep -qxE 'libc6 \(>= [0-9][0-9.]*\)' ||
        die "$deb depends on: $depends"
    dpkg -x "$deb" "$T/deb-$1"
    # No compiler names, as in Debian's own; the notes stay.
    sections=$(readelf -S -W "$T/deb-$1/usr/bin/korvanex") ||
        die "readelf cannot read $deb's program"
    case $sections in *" .comment "*) die "$deb: the program keeps its .comment section" ;; esac
    ok "$deb holds the command, its manual page, changelog and copyright; depends on $depends"

    changes=dist/korvanex_${version}_$1.changes
    lintian --fail-on error,warning,info --display-info "$changes" >"$T/lintian" 2>"$T/err" ||
        die "lintian $changes: $(cat "$T/lintian" "$T/err")"
    ok "lintian passes $changes"
    sed 's/^/    /' "$T/lintian"
    tests_on "packaged $1 program" "$T/deb-$1/usr/bin/korvanex" "$2"
}
