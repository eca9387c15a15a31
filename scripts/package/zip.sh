# SPDX-License-Identifier: MIT
# The Windows zips.
# shellcheck shell=sh disable=SC2154

# make_zip NAME TOOLCHAIN_FILE: dist/korvanex-VERSION-NAME.zip
make_zip() {
    dir=build-package/$1
    top=korvanex-$version-$1
    release_build "$dir" --toolchain "$2"
    # Stripped by the install step (CMakeLists.txt).
    cmake --install "$dir" --prefix "$PWD/$dir/zip/$top" >/dev/null
    normalise "$dir/zip"
    # Sorted, times in UTC, no Unix owners or extra times; a list file, so find's failure stops.
    (cd "$dir/zip" && find "$top" -type f) >"$T/members"
    LC_ALL=C sort -o "$T/members" "$T/members"
    zip=$PWD/dist/$top.zip
    (cd "$dir/zip" && TZ=UTC0 zip -X -D -9 -q "$zip" -@) <"$T/members"
}

check_zip() {
    top=korvanex-$version-$1
    zip=dist/$top.zip
    expect_lines "$zip" "$(cmake -E tar tf "$zip" | LC_ALL=C sort)" \
        "$top/LICENSE.txt" "$top/README.txt" "$top/korvanex.exe"
    (cd "$T" && cmake -E tar xf "$OLDPWD/$zip")
    cr=$(printf '\r')
    readme=$T/$top/README.txt
    grep -q -x "korvanex $version for Windows$cr" "$readme" ||
        die "$zip: README.txt names no $version"
    ok "$zip holds korvanex.exe, LICENSE.txt and README.txt"
    # e2e.binary: the PE header's stamp is SOURCE_DATE_EPOCH.
    tests_on "zipped $1 program" "$T/$top/korvanex.exe" "$2"
}
