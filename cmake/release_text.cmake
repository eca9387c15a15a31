# SPDX-License-Identifier: MIT
#
# Text files that the packages carry, made at build time from files in the
# repository:
#   cmake -DKIND=KIND -DIN=SOURCE -DOUT=RESULT -P release_text.cmake
# KIND crlf: SOURCE with every line ending in CR LF, for Windows.
# (The Debian package's changelog and copyright file are in debian/.)
cmake_minimum_required(VERSION 3.25)

file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")

if(KIND STREQUAL "crlf")
  string(REPLACE "\n" "\r\n" out "${text}")
else()
  message(FATAL_ERROR "KIND must be crlf, not \"${KIND}\"")
endif()

file(WRITE "${OUT}" "${out}")
