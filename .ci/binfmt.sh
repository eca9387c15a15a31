#!/bin/sh
# As root: where the kernel runs only 64-bit code (as CI's), 32-bit Wine's loader runs under QEMU,
# without the F flag (replaced), so that each root execs its own QEMU (12's spins in 13's Wine).
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
# 32-bit Wine tells whether the kernel runs 32-bit code (QEMU comes with static-i686).
sh scripts/deps.sh mingw32 static-i686
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
    [ -e "$binfmt/qemu-i386" ] || register
    /usr/lib/wine/wine --version >/dev/null
fi
