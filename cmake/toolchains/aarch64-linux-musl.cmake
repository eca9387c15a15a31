# SPDX-License-Identifier: MIT
# 64-bit ARM Linux, static on musl (Debian's musl-dev:arm64).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(KORVANEX_MUSL aarch64-linux-musl)
set(KORVANEX_GNU aarch64-linux-gnu)
set(KORVANEX_QEMU_ARCH aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-musl.cmake)
