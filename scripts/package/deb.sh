# SPDX-License-Identifier: MIT
# The Debian packages, one for each architecture, dynamically linked as
# Debian's policy wants: the command, its manual page, changelog and
# copyright.  Sourced by scripts/package.sh.

# make_deb ARCH [TOOLCHAIN_FILE]: dist/korvanex_VERSION_ARCH.deb for the
# Debian architecture ARCH, cross-compiled with TOOLCHAIN_FILE if given.
make_deb() {
    arch=$1
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
    build "$dir" ${2:+--toolchain "$2"} -DCMAKE_INSTALL_PREFIX=/usr \
        "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)"
    DESTDIR=$root cmake --install "$dir" --strip >/dev/null
    # As Debian's own packages: no compiler identification either.  The
    # notes stay: the build ID, and the CPU's hardening marks.
    strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$dir/CMakeCache.txt")
    "$strip" --remove-section=.comment "$root/usr/bin/korvanex"
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
    built deb "$arch"
}

# check_deb ARCH
check_deb() {
    deb=dist/korvanex_${version}_$1.deb
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort >"$T/files"
    printf '%s\n' ./usr/bin/korvanex ./usr/share/doc/korvanex/changelog.gz \
        ./usr/share/doc/korvanex/copyright ./usr/share/man/man1/korvanex.1.gz >"$T/want"
    cmp -s "$T/want" "$T/files" || fail "$deb holds: $(cat "$T/files")"
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$1" ] || fail "$deb: Architecture is not $1"
    depends=$(dpkg-deb -f "$deb" Depends)
    printf '%s\n' "$depends" | grep -qxE 'libc6 \(>= [0-9][0-9.]*\)' ||
        fail "$deb depends on: $depends"
    ok "$deb holds the command, its manual page, changelog and copyright; depends on $depends"

    lintian --fail-on error,warning,info --display-info "$deb" >"$T/lintian" 2>"$T/err" ||
        fail "lintian $deb: $(cat "$T/lintian" "$T/err")"
    ok "lintian passes $deb"
    sed 's/^/    /' "$T/lintian"

    # Built with Debian's flags, not the test presets'.
    case $1 in
    "$native") toolchain= ;;
    arm64) toolchain=aarch64-linux-gnu ;;
    armhf) toolchain=arm-linux-gnueabihf ;;
    esac
    dpkg -x "$deb" "$T/deb-$1"
    tests_on "packaged $1 program" "$T/deb-$1/usr/bin/korvanex" "$toolchain"
}
