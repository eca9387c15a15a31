#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the release files into dist/ and checks them, each kind by its recipe in scripts/package/;
# docs/releasing.md says what they are, the options and the checks.
set -eu
cd "$(dirname "$0")/.."

# die MESSAGE: stop before anything is built.
die() { echo "$*" >&2 && exit 2; }
deb_only="" install="" checks=yes
for arg; do
    case $arg in
    --deb) deb_only=--deb ;;
    --install) install=yes ;;
    --build-only) checks= ;;
    *) die "usage: sh scripts/package.sh [--deb] [--install] [--build-only]" ;;
    esac
done
command -v dpkg >/dev/null || die "scripts/package.sh builds on Debian: dpkg is missing here"
native=$(dpkg --print-architecture)
[ -n "$deb_only" ] || [ "$native" = amd64 ] ||
    die "scripts/package.sh: every release file is built on an amd64 machine, this one is $native;
here, sh scripts/package.sh --deb builds and checks the $native package alone"
# The release files, as targets.txt names them: KIND:NAME, toolchain and build.
releases=$(sh scripts/targets.sh release toolchain name -- ' (deb|zip|tar):')
[ -z "$deb_only" ] || releases=$(echo "$releases" | grep '^deb:native ')
# The packaging tools and each release file's build; a .deb cross-built for ARCH also needs libc6-dev:ARCH,
# whose symbols file gives its Depends, and the zips need zip (and jq, to check their manifests).
# shellcheck disable=SC2046
sh scripts/deps.sh deb $(echo "$releases" | while read -r release toolchain name; do
    case $release in
    deb:native) ;;
    deb:*) echo "deb-${release#deb:}" ;;
    zip:*) echo zip ;;
    esac
    echo "$name"
done | LC_ALL=C sort -u)

# Options from the environment that would change the files' bytes.
unset GZIP ZIP ZIPOPT TAR_OPTIONS DEB_BUILD_OPTIONS DEB_BUILD_PROFILES
version=$(dpkg-parsechangelog -S Version)
# The commit's time, which git archive wrote into a source tarball.
[ -e .git ] || SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(cat packaging/source-date-epoch)}
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH

# shellcheck source=scripts/prologue.sh
. scripts/prologue.sh
passed=0 finished=
# Files that a failed or interrupted run made must not look released.
unreleased() {
    [ -z "$finished" ] || return 0
    rm -f dist/SHA256SUMS build-package/SHA256SUMS
    [ ! -d dist ] || mv dist dist-failed
    echo "packages: FAILED after $passed checks: nothing released, the unchecked files are in dist-failed/"
    [ "$exit_status" -ne 0 ] || exit_status=1
}
undo=unreleased
rm -rf dist dist-failed build-package
mkdir -p dist build-package
for part in common deb zip manifests static source; do
    # shellcheck disable=SC1090 # each checked on its own
    . "scripts/package/$part.sh"
done

# The release: from a clone, reprotest's first build of the commit; elsewhere or with --build-only, this one.
if [ -n "$checks" ] && [ -e .git ]; then
    reproduce
else
    # Each release file's row, carried whole into build-package/built for its check.
    while read -r release toolchain _ <&3; do
        file=cmake/toolchains/$toolchain.cmake
        case $release in
        deb:native) release=deb:$native && make_deb "$native" ;;
        # This machine's package is the one built without a toolchain file.
        deb:"$native") continue ;;
        deb:*) make_deb "${release#deb:}" ;;
        zip:*) make_zip "${release#zip:}" "$file" ;;
        tar:*) make_static "${release#tar:}" "$file" ;;
        esac
        echo "$release $toolchain" >>build-package/built
    done 3<<EOF
$releases
EOF
    # Once the zips are there, their winget and Scoop manifests.
    [ -n "$deb_only" ] || make_manifests
    [ -e .git ] || echo "no source tarball: this is not a git clone"
    [ ! -e .git ] || [ -n "$deb_only" ] || make_source
    sums
    steady
    ls -l dist
fi
if [ -z "$checks" ]; then
    finished=yes
    echo "packages: built, unchecked: SHA256SUMS is in build-package/, not dist/"
    exit 0
fi

# Read from descriptor 3: the checks run programs that may read their input.
while read -r release toolchain <&3; do
    "check_${release%%:*}" "${release#*:}" "$toolchain"
done 3<build-package/built

# shellcheck disable=SC2046
holds build-package/SHA256SUMS "$(sed 's/^[0-9a-f]\{64\}  //' build-package/SHA256SUMS)" $(cd dist && LC_ALL=C ls)
(cd dist && sha256sum --quiet -c ../build-package/SHA256SUMS) || fail "sha256sum -c SHA256SUMS"
ok "SHA256SUMS covers every file in dist/ and checks"

# The README's recipe, run on the .buildinfo, finds this build's packages as recorded; and run on a copy
# whose first package is at another version, tells that one.
info=dist/korvanex_${version}_$native.buildinfo
cmake -DKIND=raw -DRECIPE=buildinfo -DREADME=docs/releasing.md -P cmake/text.cmake |
    sed "s/korvanex_VERSION_amd64[.]buildinfo/\"\$1\"/" >"$T/recipe"
sed '/^Installed-Build-Depends:/{n;s/(= [^)]*)/(= 0~other)/;}' "$info" >"$T/other.buildinfo"
other=$(sed -n '/^Installed-Build-Depends:/{n;s/^ \([^ ]*\) .*/\1/p;}' "$info")
said=$(for f in "$info" "$T/other.buildinfo"; do
    sh "$T/recipe" "$f" 2>&1 || echo "failed on $f"
    echo .
done)
[ "$said" = ".
$other: 0~other in the release, $(dpkg-query -W -f '${Version}\n' "$other" | head -n 1) here
." ] || fail "the README's buildinfo recipe, on $info and then on a copy with $other at 0~other:
$(echo "$said" | head -n 8)"
ok "the .buildinfo records the packages of this build, as the README's recipe reads them"

[ -e .git ] || echo "not rebuilt by reprotest: this is not a git clone"

if [ -n "$install" ] && dpkg-query -W -f '${Status}' korvanex 2>/dev/null | grep -q 'ok installed'; then
    echo "not tried: korvanex is installed already, and --install would replace it"
elif [ -n "$install" ]; then
    as_root=$([ "$(id -u)" = 0 ] || echo sudo)
    export DEBIAN_FRONTEND=noninteractive
    $as_root apt-get install -y -q "./dist/korvanex_${version}_$native.deb" >/dev/null
    undo="$as_root apt-get remove -y -q korvanex >/dev/null; $undo"
    for f in /usr/share/man/man1/korvanex.1.gz /usr/share/doc/korvanex/copyright; do
        [ -f "$f" ] || fail "apt installed no $f"
    done
    month_run "installed korvanex" /usr/bin/korvanex
    [ "$(wc -l <"$T/out")" = 4 ] || fail "installed korvanex m wrote: $(cat "$T/out")"
    ok "apt installs the $native .deb; the installed korvanex m ends with the month"
fi

finished=yes
mv build-package/SHA256SUMS dist/
echo "packages: $passed passed, 0 failed: dist/ is checked, SHA256SUMS written"
