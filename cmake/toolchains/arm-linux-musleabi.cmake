# SPDX-License-Identifier: MIT
# 32-bit ARM Linux from ARMv5TE on, soft float, static on musl (Debian's
# musl-dev:armel): every 32-bit ARM board, the ARMv6 Raspberry Pi 1 and Zero
# too.  musl's time_t has 64 bits on every CPU.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(KORVANEX_MUSL arm-linux-musleabi)
set(KORVANEX_GNU arm-linux-gnueabi)
set(KORVANEX_QEMU_ARCH arm)
set(KORVANEX_CPU_FLAGS "-march=armv5te -marm")
include(${CMAKE_CURRENT_LIST_DIR}/linux-musl.cmake)
