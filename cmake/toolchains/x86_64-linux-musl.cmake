# SPDX-License-Identifier: MIT
# x86_64 Linux, static on musl.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVANEX_MUSL x86_64-linux-musl)
include(${CMAKE_CURRENT_LIST_DIR}/linux-musl.cmake)
