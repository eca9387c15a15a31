# SPDX-License-Identifier: MIT
# The Windows zips, 64-bit and 32-bit.  Sourced by scripts/package.sh.
# shellcheck shell=sh disable=SC2154

# make_zip NAME TOOLCHAIN_FILE: dist/korvanex-VERSION-NAME.zip.
make_zip() {
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

# check_zip NAME TOOLCHAIN: what the zip holds, and its program under Wine with its Windows build's tests.
check_zip() {
    top=korvanex-$version-$1
    zip=dist/$top.zip
    holds "$zip" "$(cmake -E tar tf "$zip" | LC_ALL=C sort)" "$top/LICENSE.txt" "$top/README.txt" "$top/korvanex.exe"
    (cd "$T" && cmake -E tar xf "$OLDPWD/$zip")
    cr=$(printf '\r')
    sed "s/\$/$cr/" LICENSE | cmp -s - "$T/$top/LICENSE.txt" ||
        fail "$zip: LICENSE.txt is not LICENSE with CR LF line ends"
    readme=$T/$top/README.txt
    if ! cmp -s "build-package/$1/README.txt" "$readme" || grep -q -v "$cr\$" "$readme" ||
        ! grep -q -x "korvanex $version for Windows$cr" "$readme"; then
        fail "$zip: README.txt is not its build's, with CR LF line ends and the version"
    fi
    copyright=$(grep '^Copyright (c) ' LICENSE)
    legal=$(strings -el -n 3 "$T/$top/korvanex.exe" | grep -A1 -x LegalCopyright | sed -n 2p)
    [ "$legal" = "$copyright" ] || fail "$zip: LegalCopyright is '$legal'"
    stamp=$(TZ=UTC0 objdump -p "$T/$top/korvanex.exe" | sed -n 's/^Time\/Date[[:space:]]*//p')
    [ "$stamp" = "$(LC_ALL=C TZ=UTC0 date -d "@$SOURCE_DATE_EPOCH" '+%a %b %e %H:%M:%S %Y')" ] ||
        fail "$zip: the PE header's time stamp is $stamp"
    ok "$zip holds korvanex.exe ($copyright), LICENSE.txt and README.txt"
    tests_on "zipped $1 program" "$T/$top/korvanex.exe" "zip:$1" "$2"
}
