# SPDX-License-Identifier: MIT
# x86_64 Linux with musl as the C library instead of glibc: the POSIX host
# must build and run on any C library.  Debian has musl (musl-dev,
# musl-tools) but no C++ library built for it, and the programs here need
# none: they take the C++ headers from the system's g++, told that no glibc
# is underneath, and link musl's libc and libgcc alone.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
# Read by the tests, for what stdio and the time zone code of each C library
# may do differently.
set(KORVANEX_LIBC musl)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpversion OUTPUT_VARIABLE gxx_version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(musl_flags "-specs /usr/lib/x86_64-linux-musl/musl-gcc.specs")
set(CMAKE_C_FLAGS_INIT "${musl_flags}")
string(CONCAT CMAKE_CXX_FLAGS_INIT "${musl_flags}"
  " -isystem /usr/include/c++/${gxx_version}"
  " -isystem /usr/include/x86_64-linux-gnu/c++/${gxx_version}"
  " \"-D__GLIBC_PREREQ(major, minor)=0\"")
set(CMAKE_EXE_LINKER_FLAGS_INIT -nodefaultlibs)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -nodefaultlibs)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -nodefaultlibs)
set(CMAKE_CXX_STANDARD_LIBRARIES "-lc -lgcc")
