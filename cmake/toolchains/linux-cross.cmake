# SPDX-License-Identifier: MIT
# Shared by the toolchain files for Linux on other CPUs, which set
# KORVANEX_TRIPLET (the cross compiler's prefix) and KORVANEX_QEMU_ARCH
# first: cross-compiles with Debian's cross compilers, and lets CTest run the
# programs under QEMU's user-mode emulation, with the target's own C library
# (no binfmt registration needed).
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
