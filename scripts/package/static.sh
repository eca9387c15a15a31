# SPDX-License-Identifier: MIT
# Variables such as version, native and T are set by scripts/package.sh.
# shellcheck shell=sh disable=SC2154
# The static Linux programs, one tarball for each CPU family: the command
# linked statically against musl, so that it runs on any Linux of that
# family whatever its C library, with its manual page, the licences (ours
# and musl's, whose code it holds) and a README.  Sourced by
# scripts/package.sh.

# make_static ARCH TOOLCHAIN_FILE: dist/korvanex-VERSION-linux-ARCH.tar.gz,
# ARCH as uname -m names the CPU.
make_static() {
    dir=build-package/static-$1
    top=korvanex-$version-linux-$1
    build "$dir" --toolchain "$2"
    mkdir -p "$dir/tar/$top"
    strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$dir/CMakeCache.txt")
    "$strip" --strip-all --remove-section=.comment -o "$dir/tar/$top/korvanex" "$dir/korvanex"
    cp "$dir/korvanex.1" LICENSE "$dir/tar/$top/"
    cp /usr/share/doc/musl-dev/copyright "$dir/tar/$top/LICENSE.musl"
    cp "$dir/README.static.txt" "$dir/tar/$top/README"
    tarball "$dir/tar" "$top" "dist/$top.tar.gz"
    built static "$1"
}

# check_static ARCH: what the tarball holds, and its program with the tests
# of the build for that CPU (under QEMU for another one).
check_static() {
    top=korvanex-$version-linux-$1
    tarball=dist/$top.tar.gz
    tar -tzvf "$tarball" | awk '{ print $1, $2, $6 }' >"$T/files"
    printf '%s\n' "drwxr-xr-x 0/0 $top/" "-rw-r--r-- 0/0 $top/LICENSE" \
        "-rw-r--r-- 0/0 $top/LICENSE.musl" "-rw-r--r-- 0/0 $top/README" \
        "-rwxr-xr-x 0/0 $top/korvanex" "-rw-r--r-- 0/0 $top/korvanex.1" >"$T/want"
    cmp -s "$T/want" "$T/files" || fail "$tarball holds: $(cat "$T/files")"
    tar -xzf "$tarball" -C "$T"
    # The licences as they stand here, the texts as the build made them.
    dir=build-package/static-$1
    for f in LICENSE "$dir/korvanex.1" "$dir/README.static.txt" /usr/share/doc/musl-dev/copyright; do
        case $f in
        */README.static.txt) held=README ;;
        *copyright) held=LICENSE.musl ;;
        *) held=$(basename "$f") ;;
        esac
        cmp -s "$f" "$T/$top/$held" || fail "$tarball does not hold $f as it is"
    done
    ok "$tarball holds the program, its manual page, README, and the licences of korvanex and musl"
    tests_on "static $1 program" "$T/$top/korvanex" "$(toolchain_of "tar:$1")"
}
