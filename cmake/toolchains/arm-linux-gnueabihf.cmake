# SPDX-License-Identifier: MIT
# 32-bit ARM Linux, hard float (Debian's armhf): a 32-bit time_t unless the
# build asks for 64 bits, as ours does.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(KORVANEX_TRIPLET arm-linux-gnueabihf)
set(KORVANEX_QEMU_ARCH arm)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
