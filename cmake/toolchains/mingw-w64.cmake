# SPDX-License-Identifier: MIT
# Windows for KORVANEX_MINGW_ARCH by Debian's mingw-w64 under Wine's KORVANEX_WINE_LOADER, or by
# the compilers and KORVANEX_WINE the including file set, as must KORVANEX_WINNT (the oldest).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KORVANEX_MINGW_ARCH})

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(NOT CMAKE_CXX_COMPILER)
  # The posix thread model, for GoogleTest's std::mutex (static: no DLL).
  set(CMAKE_C_COMPILER ${KORVANEX_MINGW_ARCH}-w64-mingw32-gcc-posix)
  set(CMAKE_CXX_COMPILER ${KORVANEX_MINGW_ARCH}-w64-mingw32-g++-posix)
  set(CMAKE_RC_COMPILER ${KORVANEX_MINGW_ARCH}-w64-mingw32-windres)
  set(CMAKE_FIND_ROOT_PATH /usr/${KORVANEX_MINGW_ARCH}-w64-mingw32)
  # Debian keeps wine and wine64 in /usr/lib/wine.
  find_program(KORVANEX_WINE NAMES ${KORVANEX_WINE_LOADER} HINTS /usr/lib/wine)
endif()
if(KORVANEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANEX_WINE})
endif()

# The headers hide later APIs, and the PE OS and subsystem versions make an older Windows refuse
# the program, not fail on a missing import.  No timestamp: the same sources give the same bytes.
math(EXPR korvanex_winnt_major "${KORVANEX_WINNT} >> 8")
math(EXPR korvanex_winnt_minor "${KORVANEX_WINNT} & 0xff")
string(APPEND CMAKE_CXX_FLAGS_INIT " -D_WIN32_WINNT=${KORVANEX_WINNT}")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--no-insert-timestamp"
       " -Wl,--major-os-version=${korvanex_winnt_major},--minor-os-version=${korvanex_winnt_minor}"
       " -Wl,--major-subsystem-version=${korvanex_winnt_major}"
       ",--minor-subsystem-version=${korvanex_winnt_minor}")
