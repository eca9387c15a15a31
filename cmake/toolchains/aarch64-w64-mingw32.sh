#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes into DIR what Debian lacks for Windows on ARM64: the mingw-w64 C runtime and compiler-rt's
# builtins, by clang from the installed headers' and LLVM's source packages, and Wine run by QEMU.
# Run again, it does nothing unless those packages changed.
#   sh cmake/toolchains/aarch64-w64-mingw32.sh [DIR]  (default: where the toolchain file looks)
set -eu
triple=aarch64-w64-mingw32
dir=${1:-${KORVANEX_TOOLCHAINS:-$(dirname "$0")/../../build-toolchains}/$triple}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
die() {
    echo "$triple toolchain: $*" >&2
    exit 1
}
resources=$(clang -print-resource-dir) || die "no clang here (Debian package clang)"
major=$(clang -dumpversion | cut -d . -f 1)
bin=/usr/lib/llvm-$major/bin
versions=$(dpkg-query -W -f '${source:Package}=${source:Version}\n' "clang-$major" \
    mingw-w64-common libwine:arm64) ||
    die "clang-$major, mingw-w64-common or libwine:arm64 is missing"
[ "$(cat "$dir/done" 2>/dev/null)" != "$versions" ] || exit 0
sources=$(echo "$versions" | grep -v '^wine=')
echo "$triple toolchain: building into $dir from $(echo "$sources" | paste -s -d ' ' -)"
cd "$dir"
rm -rf src crt builtins sysroot resource wine apt log "$dir/done"
mkdir -p src crt sysroot/lib resource/lib/windows apt/lists

# Source packages by deb-src lines for this machine's mirrors, in lists of their own.
apt_get() {
    apt-get -q -o "Dir::Etc::SourceList=$dir/apt/sources.list" -o Dir::Etc::SourceParts=- \
        -o "Dir::State::Lists=$dir/apt/lists" -o "Dir::Cache=$dir/apt" \
        -o APT::Sandbox::User="$(id -un)" "$@" >"$dir/apt/log" 2>&1
}
# shellcheck disable=SC2016 # apt's own $(FIELD)s
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
    LC_ALL=C sort -u |
    sed 's|^|deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] |' \
        >"$dir/apt/sources.list"
[ -s "$dir/apt/sources.list" ] || die "apt knows no Debian mirror here to fetch sources from"
fetched() {
    die "Debian's source of $1 could not be fetched by the deb-src lines of" \
        "$dir/apt/sources.list; apt-get said: $(tail -n 5 "$dir/apt/log")"
}
# orig PACKAGE: its upstream tarball, all that is built from.
orig() {
    for f in "$1"_*.orig.tar.*; do
        case $f in *.asc) ;; *) [ -e "$f" ] && echo "$f" && return ;; esac
    done
    return 1
}
apt_get update || fetched "any package"
cd "$dir/src"
for source in $sources; do
    # A mirror may lack the .dsc.
    apt_get source --download-only "$source" || orig "${source%%=*}" >/dev/null ||
        fetched "$source"
done
tar -xf "$(orig mingw-w64)" --wildcards '*/mingw-w64-crt/*'
tar -xf "$(orig "llvm-toolchain-$major")" --wildcards '*/compiler-rt/*' '*/cmake/*'

# configure refuses a path with spaces: the builds go by a link from one without.
tmp=$(mktemp -d /tmp/$triple.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
ln -s "$dir" "$tmp/d"
dir=$tmp/d
# No build paths nor debug information in what the program links.
flags="-O2 -ffile-prefix-map=$dir=/toolchain"
ln -s /usr/share/mingw-w64/include "$dir/sysroot/include"
ln -s "$resources/include" "$dir/resource/include"
jobs=$(getconf _NPROCESSORS_ONLN)
# For msvcrt.dll, as Debian's headers are (configure's default is UCRT, and a mismatch is silent).
crt=$(echo "$dir"/src/*/mingw-w64-crt)
(cd "$dir/crt" && "$crt/configure" -q --host=$triple \
    --prefix="$dir/sysroot" --enable-libarm64 --disable-lib32 --disable-lib64 \
    --with-default-msvcrt=msvcrt CFLAGS="$flags" AR="$bin/llvm-ar" RANLIB="$bin/llvm-ranlib" \
    CC="$bin/clang --target=$triple --sysroot=$dir/sysroot -resource-dir=$dir/resource" \
    DLLTOOL="$bin/llvm-dlltool" && make -s -j "$jobs" && make -s install) >"$dir/log" 2>&1 ||
    die "the C runtime did not build: $(tail -n 20 "$dir/log")"
{
    cmake -S "$(echo "$dir"/src/*/compiler-rt/lib/builtins)" -B "$dir/builtins" \
        -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_AR="$bin/llvm-ar" \
        -DCMAKE_C_COMPILER="$bin/clang" -DCMAKE_ASM_COMPILER="$bin/clang" \
        -DCMAKE_C_COMPILER_TARGET=$triple -DCMAKE_ASM_COMPILER_TARGET=$triple \
        -DCMAKE_SYSROOT="$dir/sysroot" -DCMAKE_C_FLAGS="$flags -resource-dir=$dir/resource" \
        -DCMAKE_ASM_FLAGS="$flags" -DCMAKE_RANLIB="$bin/llvm-ranlib" \
        -DCMAKE_C_COMPILER_WORKS=ON -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY \
        -DCOMPILER_RT_DEFAULT_TARGET_ONLY=ON \
        -DLLVM_COMMON_CMAKE_UTILS="$(echo "$dir"/src/*/cmake)" &&
        cmake --build "$dir/builtins" -j "$jobs"
} >"$dir/log" 2>&1 || die "compiler-rt's builtins did not build: $(tail -n 20 "$dir/log")"
find "$dir/builtins" -name 'libclang_rt.builtins*.a' -exec cp {} "$dir/resource/lib/windows" \;

# Wine's loader and server unpacked (the package would displace x86-64 Wine's), each behind
# scripts, named as Wine 8 and 10 start them, running it by QEMU, whose default CPU makes Wine
# spin on an illegal instruction.
apt-get download -q -o APT::Sandbox::User="$(id -un)" \
    "wine64:arm64=$(dpkg-query -W -f '${Version}' libwine:arm64)" >"$dir/log" 2>&1 ||
    die "ARM64 Wine could not be fetched; apt-get said: $(tail -n 5 "$dir/log")"
dpkg-deb -x wine64_*_arm64.deb "$dir/wine"
wine=$dir/wine/usr/lib/wine
mkdir -p "$wine/../aarch64-linux-gnu"
ln -s /usr/lib/aarch64-linux-gnu/wine "$wine/../aarch64-linux-gnu/wine"
ln -s /usr/share/wine "$dir/wine/usr/share/wine"
for program in wine64 wineserver64; do
    mv "$wine/$program" "$wine/$program.elf"
    for name in "$program" "${program%64}"; do
        # shellcheck disable=SC2016 # for the script's shell
        printf '#!/bin/sh\nexec env WINELOADERNOEXEC=1 QEMU_CPU=neoverse-n1 %s "$0" %s "$@"\n' \
            "qemu-aarch64-static -0" "\"\$(dirname \"\$0\")/$program.elf\"" >"$wine/$name"
        chmod +x "$wine/$name"
    done
done
cd "$dir" && rm -rf src crt builtins log apt/*.bin
echo "$versions" >"$dir/done"
