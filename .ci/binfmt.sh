#!/bin/sh
# Run as root by CI before the package step and the fresh roots: lets
# 32-bit Wine run where the kernel runs 64-bit code only, as this CI's does.
# Wine runs 32-bit Windows programs through a 32-bit Linux loader, which
# there runs under QEMU's user-mode emulation, registered for 32-bit x86
# programs.  Registered without the F flag, the kernel opens the emulator at
# each exec in the caller's root: a fresh root (scripts/fresh-root.sh) runs
# its own release's QEMU, which it installs, rather than this machine's
# (Debian 12's QEMU spins for minutes in Debian 13's Wine 10).  An F
# registration, which pins the one opened at registration, is replaced.
set -eu
cd "$(dirname "$0")/.."
binfmt=/proc/sys/fs/binfmt_misc
register() {
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:" >"$binfmt/register"
}
if grep -q '^flags:.*F' "$binfmt/qemu-i386" 2>/dev/null; then
    echo -1 >"$binfmt/qemu-i386"
    register
fi
# 32-bit Wine (and QEMU, with the 32-bit static build's packages) tells
# whether this kernel runs 32-bit code.
sh scripts/deps.sh mingw32 static-i686
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
    [ -e "$binfmt/qemu-i386" ] || register
    /usr/lib/wine/wine --version >/dev/null
fi
