# SPDX-License-Identifier: MIT
# 64-bit Windows.
set(KORVANEX_MINGW_ARCH x86_64)
set(KORVANEX_WINE_LOADER wine64)
# The oldest it runs on: Windows XP x64 and Server 2003 x64 (NT 5.2),
# the first Windows for x86-64.
set(KORVANEX_WINNT 0x0502)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
