# SPDX-License-Identifier: MIT
# Windows, with Debian's mingw-w64 for KORVANEX_MINGW_ARCH; CTest runs the
# programs under Wine's KORVANEX_WINE_LOADER.  The including file sets both,
# and KORVANEX_WINNT, the oldest Windows as _WIN32_WINNT names it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KORVANEX_MINGW_ARCH})

# The posix thread model, for GoogleTest's std::mutex (static: no DLL).
set(CMAKE_C_COMPILER ${KORVANEX_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVANEX_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${KORVANEX_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVANEX_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Debian keeps the loader for each word size under /usr/lib/wine.
find_program(KORVANEX_WINE NAMES ${KORVANEX_WINE_LOADER} HINTS /usr/lib/wine)
if(KORVANEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANEX_WINE})
endif()

# The oldest Windows in one value: the headers hide what came later, and the
# PE header's OS and subsystem versions say it, so an older Windows refuses
# the program rather than failing on a missing import.  No link time in the
# PE header: the same sources link to the same bytes.
math(EXPR korvanex_winnt_major "${KORVANEX_WINNT} >> 8")
math(EXPR korvanex_winnt_minor "${KORVANEX_WINNT} & 0xff")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=${KORVANEX_WINNT}")
string(CONCAT CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--no-insert-timestamp"
       " -Wl,--major-os-version=${korvanex_winnt_major},--minor-os-version=${korvanex_winnt_minor}"
       " -Wl,--major-subsystem-version=${korvanex_winnt_major}"
       ",--minor-subsystem-version=${korvanex_winnt_minor}")
