# SPDX-License-Identifier: MIT
# Shared by the mingw-w64 toolchain files, which set KORVANEX_MINGW_ARCH
# (the compiler's prefix) and KORVANEX_WINE_LOADER first: cross-compiles
# with Debian's mingw-w64, and lets CTest run the programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KORVANEX_MINGW_ARCH})

# The posix thread model: GoogleTest needs std::mutex. Linked statically,
# it adds no DLL to the programs.
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

# No link time in the PE header: the same sources link to the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--no-insert-timestamp")
