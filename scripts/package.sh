#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the release files into dist/ and checks them (docs/releasing.md).
set -eu
cd "$(dirname "$0")/.."

# A wrong call: status 2, before any build; die (common.sh): 1.
refuse() { echo "$*" >&2; exit 2; }
deb_only="" install="" checks=yes
for arg; do
    case $arg in
    --deb) deb_only=--deb ;;
    --install) install=yes ;;
    --build-only) checks= ;;
    *) refuse "usage: sh scripts/package.sh [--deb] [--install] [--build-only]" ;;
    esac
done
command -v dpkg >/dev/null || refuse "scripts/package.sh builds on Debian: dpkg is missing here"
native=$(dpkg --print-architecture)
[ -n "$deb_only" ] || [ "$native" = amd64 ] ||
    refuse "scripts/package.sh: every release file is built on amd64, this machine is $native;
here, sh scripts/package.sh --deb builds and checks the $native package alone"
# Release rows: KIND ARG TOOLCHAIN_FILE NAME; this machine's .deb by its compiler (-) alone.
targets=$(sh scripts/targets.sh release toolchain name -- ' (deb|zip|tar):')
rows=$(while read -r release toolchain name; do
    kind=${release%%:*} arg=${release#*:} file=cmake/toolchains/$toolchain.cmake
    [ "$toolchain" != - ] || file=-
    [ "$arg" != native ] || arg=$native
    [ "$kind:$arg" != "deb:$native" ] || [ "$file" = - ] || continue
    echo "$kind $arg $file $name"
done <<EOF
$targets
EOF
)
[ -z "$deb_only" ] || rows=$(echo "$rows" | grep '^deb [^ ]* - ')
# A .deb for ARCH takes its Depends from libc6-dev:ARCH's symbols.
# shellcheck disable=SC2046
sh scripts/deps.sh deb $(echo "$rows" | while read -r kind arg file name; do
    case $kind:$file in
    deb:-) ;;
    deb:*) echo "deb-$arg" ;;
    zip:*) echo zip ;;
    esac
    echo "$name"
done | LC_ALL=C sort -u)

# Toolchains beyond Debian's, made once, outside reprotest's clones.
KORVANEX_TOOLCHAINS=${KORVANEX_TOOLCHAINS:-$PWD/build-toolchains}
export KORVANEX_TOOLCHAINS
for name in $(echo "$rows" | cut -d ' ' -f 4); do
    boot=$(sh scripts/targets.sh bootstrap -- "^$name ")
    [ "$boot" = - ] || sh "$boot"
done

# Options that would change the files' bytes.
unset GZIP ZIP ZIPOPT TAR_OPTIONS DEB_BUILD_OPTIONS DEB_BUILD_PROFILES
version=$(dpkg-parsechangelog -S Version)
[ -e .git ] || SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(cat packaging/source-date-epoch)}
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH

# shellcheck source=scripts/prologue.sh
. scripts/prologue.sh
passed=0 finished=
# A failed or stopped run's files must not look released.
set_aside_unreleased() {
    [ -z "$finished" ] || return 0
    rm -f dist/SHA256SUMS build-package/SHA256SUMS
    [ ! -d dist ] || mv dist dist-failed
    echo "packages: FAILED after $passed checks: nothing released, unchecked files in dist-failed/"
    [ "$exit_status" -ne 0 ] || exit_status=1
}
undo=set_aside_unreleased
rm -rf dist dist-failed build-package
mkdir -p dist build-package
for part in common deb zip manifests tar source; do
    # shellcheck disable=SC1090 # each checked on its own
    . "scripts/package/$part.sh"
done

# What was made, for check_KIND ARG TOOLCHAIN_FILE, through reprotest too.
record() { echo "$*" >>build-package/built; }

# From a clone the release is reprotest's first build; else, or --build-only, this one.
if [ -n "$checks" ] && [ -e .git ]; then
    reproduce
else
    zips=
    while read -r kind arg file _ <&3; do
        "make_$kind" "$arg" "$file"
        record "$kind" "$arg" "$file"
        [ "$kind" != zip ] || zips="$zips $arg"
    done 3<<EOF
$rows
EOF
    manifests=dist
    if [ -z "${KORVANEX_DOWNLOAD_URL:-}" ]; then
        manifests=build-package/manifests
        echo "no manifests released: KORVANEX_DOWNLOAD_URL is not set (checked in $manifests/)"
    fi
    if [ -z "$deb_only" ]; then
        # shellcheck disable=SC2086 # the names are words
        make_manifests "$manifests" $zips
        record manifests "$manifests" -
    fi
    [ -e .git ] || echo "no source tarball: this is not a git clone"
    if [ -e .git ] && [ -z "$deb_only" ]; then
        make_source "$version"
        record source "$version" -
    fi
    write_sums dist build-package/SHA256SUMS
    copy_comparable
    ls -l dist
fi
if [ -z "$checks" ]; then
    finished=yes
    echo "packages: built, unchecked: SHA256SUMS is in build-package/, not dist/"
    exit 0
fi

# Descriptor 3: the checks run programs that may read their input.
while read -r kind arg file <&3; do
    "check_$kind" "$arg" "$file"
done 3<build-package/built

# shellcheck disable=SC2046
expect_lines build-package/SHA256SUMS "$(sed 's/^[0-9a-f]\{64\}  //' build-package/SHA256SUMS)" \
    $(cd dist && LC_ALL=C ls)
(cd dist && sha256sum --quiet -c ../build-package/SHA256SUMS) || die "sha256sum -c SHA256SUMS"
ok "SHA256SUMS covers every file in dist/ and checks"

# The README's recipe finds this build's packages in the .buildinfo, and tells a changed one.
info=dist/korvanex_${version}_$native.buildinfo
cmake -DKIND=raw -DRECIPE=buildinfo -DREADME=docs/releasing.md -P cmake/text.cmake >"$T/recipe.md"
sed "s/korvanex_VERSION_amd64[.]buildinfo/\"\$1\"/" "$T/recipe.md" >"$T/recipe"
sed '/^Installed-Build-Depends:/{n;s/(= [^)]*)/(= 0~other)/;}' "$info" >"$T/other.buildinfo"
other=$(sed -n '/^Installed-Build-Depends:/{n;s/^ \([^ ]*\) .*/\1/p;}' "$info")
said=$(for f in "$info" "$T/other.buildinfo"; do
    sh "$T/recipe" "$f" 2>&1 || echo "failed on $f"
    echo .
done)
[ "$said" = ".
$other: 0~other in the release, $(dpkg-query -W -f '${Version}\n' "$other" | head -n 1) here
." ] || die "the README's buildinfo recipe, on $info and then on a copy with $other at 0~other:
$(echo "$said" | head -n 8)"
ok "the .buildinfo records the packages of this build, as the README's recipe reads them"

[ -e .git ] || echo "not rebuilt by reprotest: this is not a git clone"

installed=$(dpkg-query -W -f '${Status}' korvanex 2>/dev/null || :)
if [ -n "$install" ] && [ "$installed" = "install ok installed" ]; then
    echo "not tried: korvanex is installed already, and --install would replace it"
elif [ -n "$install" ]; then
    as_root=$([ "$(id -u)" = 0 ] || echo sudo)
    export DEBIAN_FRONTEND=noninteractive
    $as_root apt-get install -y -q "./dist/korvanex_${version}_$native.deb" >/dev/null
    undo="$as_root apt-get remove -y -q korvanex >/dev/null; $undo"
    for f in /usr/share/man/man1/korvanex.1.gz /usr/share/doc/korvanex/copyright; do
        [ -f "$f" ] || die "apt installed no $f"
    done
    month_run "installed korvanex" /usr/bin/korvanex
    [ "$(wc -l <"$T/out")" = 4 ] || die "installed korvanex m wrote: $(cat "$T/out")"
    ok "apt installs the $native .deb; the installed korvanex m ends with the month"
fi

finished=yes
mv build-package/SHA256SUMS dist/
echo "packages: $passed passed, 0 failed: dist/ is checked, SHA256SUMS written"
