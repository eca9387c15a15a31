#!/bin/sh
# Lets 32-bit Wine run where the kernel runs 64-bit code only, as this CI's does: its 32-bit Linux
# loader runs under QEMU, registered for 32-bit x86. Registered without the F flag, the kernel opens
# the emulator at each exec in the caller's root, so a fresh root runs its own release's QEMU
# (Debian 12's spins for minutes in Debian 13's Wine 10); an F registration is replaced. Run as
# root.
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
# Whether this kernel runs 32-bit code, 32-bit Wine tells (QEMU: static-i686's).
sh scripts/deps.sh mingw32 static-i686
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
    [ -e "$binfmt/qemu-i386" ] || register
    /usr/lib/wine/wine --version >/dev/null
fi
