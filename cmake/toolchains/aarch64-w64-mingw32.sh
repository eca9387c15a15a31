#!/bin/sh
# SPDX-License-Identifier: MIT
# What Debian lacks to build and test for Windows on ARM64, made once into DIR from Debian's own
# packages: the mingw-w64 C runtime and compiler-rt's builtins, built by this machine's clang from
# the source packages of its mingw-w64 headers and of its LLVM; ARM64 Wine's loader and server,
# run by QEMU user emulation.  Run again, it does nothing unless those packages changed.
#   sh cmake/toolchains/aarch64-w64-mingw32.sh DIR
set -eu
[ $# -eq 1 ] || {
    echo "usage: sh $0 DIR" >&2
    exit 2
}
mkdir -p "$1"
dir=$(cd "$1" && pwd)
triple=aarch64-w64-mingw32
die() {
    echo "$triple toolchain: $*" >&2
    exit 1
}
resources=$(clang -print-resource-dir) || die "no clang here (Debian package clang)"
major=$(clang -dumpversion | cut -d . -f 1)
llvm_bin=/usr/lib/llvm-$major/bin
# Source=version of each installed package, to fetch and to compare with the last run's.
versions=$(dpkg-query -W -f '${source:Package}=${source:Version}\n' "clang-$major" \
    mingw-w64-common libwine:arm64) ||
    die "clang-$major, mingw-w64-common or libwine:arm64 is missing"
[ "$(cat "$dir/done" 2>/dev/null)" != "$versions" ] || exit 0
# The two source packages built here.
sources=$(echo "$versions" | grep -v '^wine=')
echo "$triple toolchain: building into $dir what Debian lacks, from" \
    "$(echo "$sources" | paste -s -d ' ' -)"
rm -rf "$dir/src" "$dir/build" "$dir/sysroot" "$dir/resource" "$dir/wine" "$dir/done"
mkdir -p "$dir/src" "$dir/build" "$dir/sysroot/lib" "$dir/resource/lib/windows" "$dir/apt/lists"

# Debian's source packages, by a list of this machine's mirrors for sources alone, kept here.
apt_get() {
    apt-get -q -o "Dir::Etc::SourceList=$dir/apt/sources.list" -o Dir::Etc::SourceParts=- \
        -o "Dir::State::Lists=$dir/apt/lists" -o "Dir::Cache=$dir/apt" \
        -o APT::Sandbox::User="$(id -un)" "$@"
}
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
# shellcheck disable=SC2016 # apt's own $(FIELD)s
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
    LC_ALL=C sort -u | sed "s|^|deb-src [signed-by=$keyring] |" >"$dir/apt/sources.list"
[ -s "$dir/apt/sources.list" ] || die "apt knows no Debian mirror here to fetch sources from"
fetched() {
    echo "$triple toolchain: Debian's source of $1 could not be fetched from the mirrors of" \
        "/etc/apt/sources.list (as deb-src lines, in $dir/apt/sources.list); apt-get said:" >&2
    tail -n 5 "$dir/apt/log" >&2
    exit 1
}
apt_get update >"$dir/apt/log" 2>&1 || fetched "any package"
for source in $sources; do
    (cd "$dir/src" && apt_get source --download-only "$source") >"$dir/apt/log" 2>&1 && continue
    # The upstream tarball, checked against the signed index, is all that is built from; a mirror
    # may have it and not the .dsc.
    set -- "$dir/src/${source%%=*}"_*.orig.tar.*
    [ -e "$1" ] || fetched "$source"
done
# Only what is built here is unpacked (Debian's patches touch neither).
unpack() {
    for tarball in "$dir/src/$1"_*.orig.tar.*; do
        case $tarball in *.asc) continue ;; esac
        shift
        tar -x -C "$dir/src" -f "$tarball" --wildcards "$@"
    done
}
unpack mingw-w64 '*/mingw-w64-crt/*'
unpack "llvm-toolchain-$major" '*/compiler-rt/*' '*/cmake/*'
crt=$(echo "$dir"/src/*/mingw-w64-crt) rt=$(echo "$dir"/src/*/compiler-rt)

# Objects that do not tell where they were built, nor carry debug information.
flags="-O2 -ffile-prefix-map=$dir=/toolchain"
cc="$llvm_bin/clang --target=$triple --sysroot=$dir/sysroot -resource-dir=$dir/resource"
ln -s /usr/share/mingw-w64/include "$dir/sysroot/include"
ln -s "$resources/include" "$dir/resource/include"
# The C runtime for msvcrt.dll, as Debian's headers are made for (configure's default is UCRT).
(cd "$dir/build" && mkdir crt && cd crt && "$crt/configure" -q --host=$triple \
    --prefix="$dir/sysroot" --libdir="$dir/sysroot/lib" --enable-libarm64 --disable-lib32 \
    --disable-lib64 --with-default-msvcrt=msvcrt CC="$cc" CFLAGS="$flags" \
    AR="$llvm_bin/llvm-ar" RANLIB="$llvm_bin/llvm-ranlib" DLLTOOL="$llvm_bin/llvm-dlltool" &&
    make -s -j "$(getconf _NPROCESSORS_ONLN)" && make -s install) >"$dir/build/crt.log" 2>&1 ||
    die "the C runtime did not build: $(tail -n 20 "$dir/build/crt.log")"
{
    cmake -S "$rt/lib/builtins" -B "$dir/build/builtins" -DCMAKE_SYSTEM_NAME=Windows \
        -DCMAKE_C_COMPILER="$llvm_bin/clang" -DCMAKE_ASM_COMPILER="$llvm_bin/clang" \
        -DCMAKE_C_COMPILER_TARGET=$triple -DCMAKE_ASM_COMPILER_TARGET=$triple \
        -DCMAKE_SYSROOT="$dir/sysroot" -DCMAKE_C_FLAGS="$flags -resource-dir=$dir/resource" \
        -DCMAKE_ASM_FLAGS="$flags" -DCMAKE_AR="$llvm_bin/llvm-ar" \
        -DCMAKE_RANLIB="$llvm_bin/llvm-ranlib" -DCMAKE_C_COMPILER_WORKS=ON \
        -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY -DCOMPILER_RT_DEFAULT_TARGET_ONLY=ON \
        -DCOMPILER_RT_BAREMETAL_BUILD=OFF -DCMAKE_BUILD_TYPE=Release \
        -DLLVM_COMMON_CMAKE_UTILS="$rt/../cmake" &&
        cmake --build "$dir/build/builtins" -j "$(getconf _NPROCESSORS_ONLN)"
} >"$dir/build/builtins.log" 2>&1 ||
    die "compiler-rt's builtins did not build: $(tail -n 20 "$dir/build/builtins.log")"
find "$dir/build/builtins" -name 'libclang_rt.builtins*.a' \
    -exec cp {} "$dir/resource/lib/windows/" \;

# ARM64 Wine: its loader and server unpacked (the package would displace x86-64 Wine's), each
# behind a script that runs it under QEMU.  Wine starts its processes by the loader beside it, its
# server by WINESERVER.  QEMU's default CPU makes Wine spin on an illegal instruction.
(cd "$dir/src" && apt-get download -q -o APT::Sandbox::User="$(id -un)" \
    "wine64:arm64=$(dpkg-query -W -f '${Version}' libwine:arm64)") >"$dir/apt/log" 2>&1 ||
    fetched wine64:arm64
dpkg-deb -x "$dir"/src/wine64_*_arm64.deb "$dir/wine"
mkdir -p "$dir/wine/usr/lib/aarch64-linux-gnu" "$dir/wine/usr/share"
ln -s /usr/lib/aarch64-linux-gnu/wine "$dir/wine/usr/lib/aarch64-linux-gnu/wine"
ln -s /usr/share/wine "$dir/wine/usr/share/wine"
# Wine 8 starts them as wine64 and wineserver64, Wine 10 as wine and wineserver.
for program in wine64 wineserver64; do
    mv "$dir/wine/usr/lib/wine/$program" "$dir/wine/usr/lib/wine/$program.elf"
    for name in "$program" "${program%64}"; do
        sed "s/PROGRAM/$program/" >"$dir/wine/usr/lib/wine/$name" <<'EOF'
#!/bin/sh
exec env WINELOADERNOEXEC=1 QEMU_CPU=neoverse-n1 qemu-aarch64-static -0 "$0" \
    "$(dirname "$0")/PROGRAM.elf" "$@"
EOF
        chmod +x "$dir/wine/usr/lib/wine/$name"
    done
done
rm -rf "$dir/src" "$dir/build"
echo "$versions" >"$dir/done"
