# SPDX-License-Identifier: MIT
# 64-bit Windows.
set(KORVANEX_MINGW_ARCH x86_64)
set(KORVANEX_WINE_LOADER wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
