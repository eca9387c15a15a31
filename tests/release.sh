#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks of scripts/package/ needing no release: release.sh SRC manifests|sums|readme VERSION BUILD
. "$(dirname "$0")/lib.sh"
version=$3 B=$4
cd "$K" || exit 1
# shellcheck source=scripts/package/common.sh
. scripts/package/common.sh
case $2 in
manifests)
    need yq yq
    need jq jq
    # shellcheck source=scripts/package/manifests.sh
    . scripts/package/manifests.sh
    zips=$(sh scripts/targets.sh release -- ' zip:')
    [ -n "$zips" ] || fail "no zip rows in targets.txt"
    # Stand-in zips, named as released, and their manifests.
    mkdir -p "$T/good/dist"
    cd "$T/good" || exit 1
    ln -s "$K/packaging" "$K/cmake" "$K/README.md" "$K/LICENSE" .
    for w in $zips; do echo "$w" >"dist/korvanex-$version-${w#zip:}.zip"; done
    # shellcheck disable=SC2046 # the names are words
    make_manifests out $(echo "$zips" | sed 's/^zip://')
    cd "$T" || exit 1
    # A fault (a file, the sed command making it) is refused; none, passed.
    while read -r file edit; do
        rm -rf bad
        cp -R good bad
        [ -z "$file" ] || sed -i "$edit" "bad/$file"
        [ -z "$file" ] || ! cmp -s "good/$file" "bad/$file" || fail "$edit changed nothing in $file"
        (cd bad && check_manifests out) >said 2>&1
        got=$? want=1
        [ -n "$file" ] || want=0
        check "manifests, ${file:-as made} $edit ($(tail -n 1 said))" "$want" "$got"
    done <<EOF_TABLE

out/Korvanex.Korvanex.yaml s/^ManifestVersion: .*/ManifestVersion: 1.12/
out/korvanex.json s/},$/}/
out/Korvanex.Korvanex.installer.yaml s/Architecture: x64/Architecture: amd64/
out/Korvanex.Korvanex.installer.yaml s/Architecture: arm64/Architecture: x64/
out/Korvanex.Korvanex.locale.en-US.yaml /^License:/d
out/korvanex.json s/"hash": "/&x/
dist/korvanex-$version-win64.zip s/^/another /
EOF_TABLE
    ;;
sums)
    [ -f /usr/share/i18n/locales/en_US ] || skip "no locale sources (Debian package locales)"
    mkdir "$T/loc"
    localedef -i en_US -f UTF-8 "$T/loc/en_US.UTF-8" || fail "localedef could not make en_US.UTF-8"
    mkdir "$T/dist"
    cd "$T/dist" || exit 1
    touch korvanex_1.0_amd64.deb korvanex-1.0.tar.gz korvanex-1.0-win32.zip
    # A locale not in the bytes' order: - and _ count for less than letters.
    export LOCPATH="$T/loc" LC_ALL=en_US.UTF-8
    check "the locale's order" "korvanex_1.0_amd64.deb korvanex-1.0.tar.gz korvanex-1.0-win32.zip" \
        "$(printf '%s\n' * | sort | paste -s -d ' ')"
    write_sums "$T/dist" "$T/SUMS"
    check "SHA256SUMS's order, in $LC_ALL" \
        "korvanex-1.0-win32.zip korvanex-1.0.tar.gz korvanex_1.0_amd64.deb" \
        "$(sed 's/^[0-9a-f]*  //' "$T/SUMS" | paste -s -d ' ')"
    ;;
readme)
    # shellcheck source=scripts/package/tar.sh
    . scripts/package/tar.sh
    readme_install "$B" "$B/README.static.txt"
    ok "README.static.txt's install lines install a korvanex that runs"
    ;;
esac
finish
