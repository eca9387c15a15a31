# SPDX-License-Identifier: MIT
# 64-bit Windows, from the first for x86-64 on: XP x64 and Server 2003 x64.
set(KORVANEX_MINGW_ARCH x86_64)
set(KORVANEX_WINE_LOADER wine64)
set(KORVANEX_WINNT 0x0502)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
