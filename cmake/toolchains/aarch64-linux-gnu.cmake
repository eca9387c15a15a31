# SPDX-License-Identifier: MIT
# 64-bit ARM Linux (Debian's arm64).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(KORVANEX_TRIPLET aarch64-linux-gnu)
set(KORVANEX_QEMU_ARCH aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
