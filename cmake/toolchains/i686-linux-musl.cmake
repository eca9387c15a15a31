# SPDX-License-Identifier: MIT
# 32-bit x86 Linux from the i686 on, static on musl (Debian's musl-dev:i386).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVANEX_MUSL i386-linux-musl)
set(KORVANEX_GNU i686-linux-gnu)
set(KORVANEX_QEMU_ARCH i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-musl.cmake)
