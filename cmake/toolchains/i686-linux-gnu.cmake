# SPDX-License-Identifier: MIT
# 32-bit x86 Linux (Debian's i386, i686 on).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVANEX_TRIPLET i686-linux-gnu)
set(KORVANEX_QEMU_ARCH i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
