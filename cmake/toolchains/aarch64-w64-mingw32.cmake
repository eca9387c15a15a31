# SPDX-License-Identifier: MIT
# Windows on ARM64, from Windows 10 on (the first for ARM64 PCs), by Debian's clang and lld.  What
# Debian lacks, aarch64-w64-mingw32.sh beside this file makes into
# KORVANEX_TOOLCHAINS/aarch64-w64-mingw32 (by default build-toolchains/ in the source tree), as
# scripts/test.sh and scripts/package.sh run it first.
set(KORVANEX_MINGW_ARCH aarch64)
set(KORVANEX_WINNT 0x0A00)
set(korvanex_toolchains ${CMAKE_CURRENT_LIST_DIR}/../../build-toolchains)
if(DEFINED ENV{KORVANEX_TOOLCHAINS})
  set(korvanex_toolchains $ENV{KORVANEX_TOOLCHAINS})
endif()
get_filename_component(korvanex_made ${korvanex_toolchains}/aarch64-w64-mingw32 ABSOLUTE)
if(NOT EXISTS ${korvanex_made}/done)
  message(FATAL_ERROR "Not made: ${korvanex_made}; run first: sh "
                      "${CMAKE_CURRENT_LIST_DIR}/aarch64-w64-mingw32.sh ${korvanex_made}")
endif()

# The LLVM of Debian's clang, whose builtins were built.
execute_process(COMMAND clang -dumpversion OUTPUT_VARIABLE korvanex_clang)
string(REGEX REPLACE "[.].*" "" korvanex_clang "${korvanex_clang}")
set(korvanex_llvm /usr/lib/llvm-${korvanex_clang})
set(CMAKE_C_COMPILER ${korvanex_llvm}/bin/clang)
set(CMAKE_CXX_COMPILER ${korvanex_llvm}/bin/clang++)
set(CMAKE_RC_COMPILER ${korvanex_llvm}/bin/llvm-windres)
set(CMAKE_OBJDUMP ${korvanex_llvm}/bin/llvm-objdump)
set(CMAKE_STRIP ${korvanex_llvm}/bin/llvm-strip)
set(CMAKE_C_COMPILER_TARGET aarch64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET aarch64-w64-mingw32)
set(CMAKE_SYSROOT ${korvanex_made}/sysroot)
# libc++'s headers, but no C++ library linked; compiler-rt's builtins, and no unwinder.
set(CMAKE_C_FLAGS_INIT "-resource-dir=${korvanex_made}/resource")
set(CMAKE_CXX_FLAGS_INIT "-resource-dir=${korvanex_made}/resource")
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${korvanex_llvm}/include/c++/v1)
string(CONCAT CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib++ --rtlib=compiler-rt"
       " --unwindlib=none")
set(CMAKE_RC_FLAGS_INIT "--target=aarch64-w64-mingw32 --include-dir=${CMAKE_SYSROOT}/include")
# ARM64 Wine, under QEMU.
set(KORVANEX_WINE ${korvanex_made}/wine/usr/lib/wine/wine64)
set(KORVANEX_WINESERVER ${korvanex_made}/wine/usr/lib/wine/wineserver64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
# GNU ld stamps the PE header with SOURCE_DATE_EPOCH by itself, lld when told.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--Xlink=-timestamp:$ENV{SOURCE_DATE_EPOCH}")
endif()
