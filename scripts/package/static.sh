# SPDX-License-Identifier: MIT
# The static Linux programs, one tarball for each CPU family: linked statically against musl, the command
# runs on any Linux of that family whatever its C library; musl's licence goes with the code of musl it holds.
# Sourced by scripts/package.sh.
# shellcheck shell=sh disable=SC2154

# make_static ARCH TOOLCHAIN_FILE: dist/korvanex-VERSION-linux-ARCH.tar.gz, ARCH as uname -m names the CPU.
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
}

# check_tar ARCH TOOLCHAIN: what the tarball holds, and its program with the tests of the build for that CPU.
check_tar() {
    top=korvanex-$version-linux-$1
    tarball=dist/$top.tar.gz
    holds "$tarball" "$(tar -tzvf "$tarball" | awk '{ print $1, $2, $6 }')" "drwxr-xr-x 0/0 $top/" \
        "-rw-r--r-- 0/0 $top/LICENSE" "-rw-r--r-- 0/0 $top/LICENSE.musl" "-rw-r--r-- 0/0 $top/README" \
        "-rwxr-xr-x 0/0 $top/korvanex" "-rw-r--r-- 0/0 $top/korvanex.1"
    tar -xzf "$tarball" -C "$T"
    # The licences as they stand here, the texts as the build made them.
    dir=build-package/static-$1
    for f in LICENSE:LICENSE "$dir/korvanex.1:korvanex.1" "$dir/README.static.txt:README" \
        /usr/share/doc/musl-dev/copyright:LICENSE.musl; do
        cmp -s "${f%:*}" "$T/$top/${f#*:}" || fail "$tarball does not hold ${f%:*} as it is"
    done
    ok "$tarball holds the program, its manual page, README, and the licences of korvanex and musl"
    tests_on "static $1 program" "$T/$top/korvanex" "tar:$1" "$2"
}
