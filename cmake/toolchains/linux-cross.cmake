# SPDX-License-Identifier: MIT
# Linux on another CPU, with Debian's cross compiler KORVANEX_TRIPLET-g++;
# CTest runs the programs under QEMU KORVANEX_QEMU_ARCH's user mode, with
# the target's own C library.  The including file sets both.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${KORVANEX_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${KORVANEX_TRIPLET}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVANEX_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
find_program(KORVANEX_QEMU NAMES qemu-${KORVANEX_QEMU_ARCH}-static qemu-${KORVANEX_QEMU_ARCH})
if(KORVANEX_QEMU)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANEX_QEMU} -L /usr/${KORVANEX_TRIPLET})
endif()
