# SPDX-License-Identifier: MIT
# 32-bit ARM Linux, hard float (Debian's armhf).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(KORVANEX_TRIPLET arm-linux-gnueabihf)
set(KORVANEX_QEMU_ARCH arm)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
