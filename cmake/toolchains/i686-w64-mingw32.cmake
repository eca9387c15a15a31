# SPDX-License-Identifier: MIT
# 32-bit Windows, from Windows 2000 on.
set(KORVANEX_MINGW_ARCH i686)
set(KORVANEX_WINE_LOADER wine)
set(KORVANEX_WINNT 0x0500)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
