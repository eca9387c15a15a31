# SPDX-License-Identifier: MIT
# Shared by the toolchain files for static programs on musl, which set
# KORVANEX_MUSL (musl's directory name under /usr/lib and /usr/include),
# KORVANEX_GNU (the prefix of Debian's g++ for the CPU, unset for this
# machine's own) and KORVANEX_QEMU_ARCH (unset for this machine's own) first.
#
# A program linked statically against musl needs no loader and no shared
# library, so it runs on any Linux of its CPU family, whatever its C library.
# Debian has musl (musl-dev, for each architecture) but no C++ library built
# for it, and the programs here need none: they take the C++ headers of the
# system's g++, told that no glibc is underneath, and link musl's libc and
# libgcc alone.
set(CMAKE_SYSTEM_NAME Linux)
# Read by the tests, for what stdio and the time zone code of each C library
# may do differently, and for how the frozen clock gets into the program.
set(KORVANEX_LIBC musl)
set(KORVANEX_LINK static)

if(KORVANEX_GNU)
  set(CMAKE_C_COMPILER ${KORVANEX_GNU}-gcc)
  set(CMAKE_CXX_COMPILER ${KORVANEX_GNU}-g++)
else()
  set(CMAKE_C_COMPILER gcc)
  set(CMAKE_CXX_COMPILER g++)
endif()
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpversion OUTPUT_VARIABLE gxx_version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine OUTPUT_VARIABLE gxx_machine
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(KORVANEX_GNU)
  set(cxx_headers /usr/${gxx_machine}/include/c++/${gxx_version})
  set(cxx_target_headers ${cxx_headers}/${gxx_machine})
else()
  set(cxx_headers /usr/include/c++/${gxx_version})
  set(cxx_target_headers /usr/include/${gxx_machine}/c++/${gxx_version})
endif()

set(CMAKE_FIND_ROOT_PATH /usr/lib/${KORVANEX_MUSL})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(musl_flags "-specs /usr/lib/${KORVANEX_MUSL}/musl-gcc.specs ${KORVANEX_CPU_FLAGS}")
set(CMAKE_C_FLAGS_INIT "${musl_flags}")
string(CONCAT CMAKE_CXX_FLAGS_INIT "${musl_flags}"
  " -isystem ${cxx_headers} -isystem ${cxx_target_headers}"
  " \"-D__GLIBC_PREREQ(major, minor)=0\"")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -nodefaultlibs")
# A group: on 32-bit ARM libgcc's division helpers call musl's raise(),
# and code with exception tables (the tests' helpers) names the EABI
# unwinder's personality routines, in libgcc_eh.  The command, built
# without exceptions, takes nothing from libgcc_eh.
set(CMAKE_CXX_STANDARD_LIBRARIES "-Wl,--start-group -lc -lgcc -lgcc_eh -Wl,--end-group")
set(CMAKE_C_STANDARD_LIBRARIES "${CMAKE_CXX_STANDARD_LIBRARIES}")

if(KORVANEX_QEMU_ARCH)
  find_program(KORVANEX_QEMU NAMES qemu-${KORVANEX_QEMU_ARCH}-static qemu-${KORVANEX_QEMU_ARCH})
  if(KORVANEX_QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANEX_QEMU})
  endif()
endif()
