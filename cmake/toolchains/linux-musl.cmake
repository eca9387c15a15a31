# SPDX-License-Identifier: MIT
# Static on musl: g++'s C++ headers told there is no glibc (Debian has no C++ library for musl;
# none is needed).  The including file sets KORVANEX_MUSL (under /usr/lib), and for another CPU
# KORVANEX_GNU (g++'s prefix) and KORVANEX_QEMU_ARCH.
set(CMAKE_SYSTEM_NAME Linux)
# The tests allow for musl's stdio, time zones and clock freezing.
set(KORVANEX_LIBC musl)
set(KORVANEX_LINK static)

string(REGEX REPLACE "(.+)" "\\1-" gnu "${KORVANEX_GNU}")
set(CMAKE_C_COMPILER ${gnu}gcc)
set(CMAKE_CXX_COMPILER ${gnu}g++)
foreach(x version machine)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dump${x} OUTPUT_VARIABLE gxx_${x}
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
endforeach()
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
# A group: 32-bit ARM's libgcc division calls musl's raise(), and the tests' exception tables name
# the EABI unwinder's personality routines, in libgcc_eh.
set(CMAKE_CXX_STANDARD_LIBRARIES "-Wl,--start-group -lc -lgcc -lgcc_eh -Wl,--end-group")
set(CMAKE_C_STANDARD_LIBRARIES "${CMAKE_CXX_STANDARD_LIBRARIES}")
if(KORVANEX_QEMU_ARCH)
  find_program(KORVANEX_QEMU NAMES qemu-${KORVANEX_QEMU_ARCH}-static qemu-${KORVANEX_QEMU_ARCH})
  if(KORVANEX_QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANEX_QEMU})
  endif()
endif()
