# SPDX-License-Identifier: MIT
# 32-bit ARM Linux from ARMv5TE on (the Raspberry Pi 1 and Zero too), soft
# float, static on musl (Debian's musl-dev:armel).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(KORVANEX_MUSL arm-linux-musleabi)
set(KORVANEX_GNU arm-linux-gnueabi)
set(KORVANEX_QEMU_ARCH arm)
set(KORVANEX_CPU_FLAGS "-march=armv5te -marm")
include(${CMAKE_CURRENT_LIST_DIR}/linux-musl.cmake)
