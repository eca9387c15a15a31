# SPDX-License-Identifier: MIT
# The static Linux programs, on musl, whose licence goes with its code in them.
# shellcheck shell=sh disable=SC2154

# make_tar ARCH TOOLCHAIN_FILE: dist/korvanex-VERSION-linux-ARCH.tar.gz, ARCH as in uname -m.
make_tar() {
    dir=build-package/static-$1
    top=korvanex-$version-linux-$1
    release_build "$dir" --toolchain "$2"
    # Stripped by the install step (CMakeLists.txt).
    cmake --install "$dir" --prefix "$PWD/$dir/installed" >/dev/null
    mkdir -p "$dir/tar/$top"
    cp "$dir/installed/bin/korvanex" "$dir/korvanex.1" LICENSE "$dir/tar/$top/"
    cp /usr/share/doc/musl-dev/copyright "$dir/tar/$top/LICENSE.musl"
    cp "$dir/README.static.txt" "$dir/tar/$top/README"
    write_tarball "$dir/tar" "$top" "dist/$top.tar.gz"
}

# readme_install DIR README [EMULATOR]: README's install lines run in DIR, a prefix in T for
# /usr/local; the installed korvanex m ends with the month.
readme_install() {
    prefix=$T/prefix
    sed -n "s|^ *\(install .*\) /usr/local/|\1 $prefix/|p" "$2" >"$T/install.sh"
    [ "$(grep -c . "$T/install.sh")" = 2 ] ||
        die "$2: not two install lines: $(cat "$T/install.sh")"
    (cd "$1" && sh -e "$T/install.sh") || die "$2: the install lines failed"
    # shellcheck disable=SC2086 # the emulator's words
    month_run "korvanex installed by $2's lines" ${3:-} "$prefix/bin/korvanex"
    rm -rf "$prefix"
}

check_tar() {
    top=korvanex-$version-linux-$1
    tarball=dist/$top.tar.gz
    files=$(tar -tzvf "$tarball" | awk '{ print $1, $2, $6 }')
    expect_lines "$tarball" "$files" "drwxr-xr-x 0/0 $top/" "-rw-r--r-- 0/0 $top/LICENSE" \
        "-rw-r--r-- 0/0 $top/LICENSE.musl" "-rw-r--r-- 0/0 $top/README" \
        "-rwxr-xr-x 0/0 $top/korvanex" "-rw-r--r-- 0/0 $top/korvanex.1"
    tar -xzf "$tarball" -C "$T"
    tests_on "static $1 program" "$T/$top/korvanex" "$2"
    # The emulator the tests' toolchain found.
    readme_install "$T/$top" "$T/$top/README" \
        "$(sed -n 's/^KORVANEX_QEMU:FILEPATH=//p' "$dir/CMakeCache.txt")"
    ok "$tarball holds the program, its manual page, README and licences; README's lines install it"
}
