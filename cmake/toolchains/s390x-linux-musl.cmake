# SPDX-License-Identifier: MIT
# 64-bit IBM Z Linux, big-endian, static on musl (Debian's musl-dev:s390x).
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(KORVANEX_MUSL s390x-linux-musl)
set(KORVANEX_GNU s390x-linux-gnu)
set(KORVANEX_QEMU_ARCH s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-musl.cmake)
