#!/bin/sh
# Builds the Debian package and the 64-bit and 32-bit Windows zips into
# dist/, and checks what they hold.  With --install it also installs the
# .deb with apt, runs the installed command, and removes it again.
#   sh scripts/package.sh [--install]
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh package
rm -rf dist
mkdir -p dist

# package DIR GENERATOR [CMAKE_ARGS...]
package() {
    dir=build-package/$1
    generator=$2
    shift 2
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF -DKORVANEX_WERROR=ON \
        "$@" >/dev/null
    cmake --build "$dir" -j 2
    (cd "$dir" && cpack -G "$generator" >/dev/null)
    find "$dir" -maxdepth 1 -name 'korvanex*.deb' -exec cp {} dist/ \;
    find "$dir" -maxdepth 1 -name 'korvanex*.zip' -exec cp {} dist/ \;
}
package linux DEB
package win64 ZIP --toolchain cmake/toolchains/x86_64-w64-mingw32.cmake
package win32 ZIP --toolchain cmake/toolchains/i686-w64-mingw32.cmake
ls -l dist

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

deb=$(ls dist/korvanex_*_amd64.deb)
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' >"$T/files"
printf '%s\n' ./usr/bin/korvanex ./usr/share/man/man1/korvanex.1.gz >"$T/want"
cmp -s "$T/want" "$T/files" || fail "$deb holds: $(cat "$T/files")"
depends=$(dpkg-deb -f "$deb" Depends)
case $depends in
libc6*) ;;
*) fail "$deb depends on: $depends" ;;
esac
ok "$deb holds the command and its manual page, depends on $depends"

for zip in dist/korvanex-*-win64.zip dist/korvanex-*-win32.zip; do
    top=$(basename "$zip" .zip)
    cmake -E tar tf "$zip" | sort >"$T/files"
    printf '%s\n' "$top/README.txt" "$top/korvanex.exe" >"$T/want"
    cmp -s "$T/want" "$T/files" || fail "$zip holds: $(cat "$T/files")"
    (cd "$T" && cmake -E tar xf "$OLDPWD/$zip")
    grep -q "$(printf '\r')$" "$T/$top/README.txt" || fail "$zip: README.txt lines do not end in CR LF"
    out=$(sh tests/win_version.sh "$T/$top/korvanex.exe" 1.1) || fail "$zip: version resource: $out"
    ok "$zip holds korvanex.exe (version resource 1.1) and README.txt"
done

out=$(sh tests/man_lint.sh man/korvanex.1) || fail "manual page: $out"
ok "manual page renders without warnings"

if [ "${1:-}" = --install ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q "./$deb" >/dev/null
    [ -f /usr/share/man/man1/korvanex.1.gz ] || fail "installed manual page missing"
    for try in 1 2 3; do
        before=$(date +%-m)
        status=0
        /usr/bin/korvanex m >"$T/out" || status=$?
        [ "$(date +%-m)" = "$before" ] && break
    done
    apt-get remove -y -q korvanex >/dev/null
    [ "$status" = "$before" ] || fail "installed korvanex m ended with $status, not $before"
    [ "$(wc -l <"$T/out")" = 4 ] || fail "installed korvanex m wrote: $(cat "$T/out")"
    ok "apt installs $deb; the installed korvanex m ends with $status"
fi
echo "packages: $passed passed, 0 failed"
