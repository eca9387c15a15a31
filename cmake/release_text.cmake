# SPDX-License-Identifier: MIT
#
# Text files that the packages carry, made at build time from files in the
# repository:
#   cmake -DKIND=KIND -DIN=SOURCE -DOUT=RESULT [-DNAME=VALUE...] -P release_text.cmake
# KIND crlf:      SOURCE with every line ending in CR LF, for Windows.
# KIND copyright: Debian's machine-readable copyright file for the licence in
#                 SOURCE (LICENSE); needs PACKAGE.
# KIND changelog: a Debian native package's changelog from SOURCE
#                 (CHANGELOG.md); needs PACKAGE, VERSION (which must be the
#                 newest entry's) and MAINTAINER.
cmake_minimum_required(VERSION 3.25)

file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")

# next_line(): moves the first line of text into line; more is false at the end.
macro(next_line)
  string(FIND "${text}" "\n" nl)
  if(nl EQUAL -1)
    set(line "${text}")
    set(text "")
  else()
    string(SUBSTRING "${text}" 0 ${nl} line)
    math(EXPR nl "${nl} + 1")
    string(SUBSTRING "${text}" ${nl} -1 text)
  endif()
endmacro()

if(KIND STREQUAL "crlf")
  string(REPLACE "\n" "\r\n" out "${text}")

elseif(KIND STREQUAL "copyright")
  # LICENSE: a title, the copyright line, then the licence's terms.
  if(NOT text MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
    message(FATAL_ERROR "${IN}: no \"Copyright (c)\" line followed by the terms")
  endif()
  set(holders "${CMAKE_MATCH_1}")
  # Continuation lines are indented; an empty one is a lone dot.
  string(REPLACE "\n" "\n " terms " ${CMAKE_MATCH_2}")
  string(REPLACE "\n \n" "\n .\n" terms "${terms}")
  string(REPLACE "\n \n" "\n .\n" terms "${terms}")
  string(CONCAT out
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: ${PACKAGE}\n"
    "\n"
    "Files: *\n"
    "Copyright: ${holders}\n"
    "License: MIT\n"
    "\n"
    "License: MIT\n"
    "${terms}\n")

elseif(KIND STREQUAL "changelog")
  # CHANGELOG.md: "## VERSION - YYYY-MM-DD" headings, each followed by items
  # "- text" whose further lines are indented by two spaces.
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  set(out "")
  set(trailer "")
  set(newest "")
  set(number 0)
  while(NOT "${text}" STREQUAL "")
    next_line()
    math(EXPR number "${number} + 1")
    if(line MATCHES "^## ([0-9][0-9.]*) - ([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
      set(release "${CMAKE_MATCH_1}")
      set(year "${CMAKE_MATCH_2}")
      set(dd "${CMAKE_MATCH_4}")
      string(REGEX REPLACE "^0" "" month "${CMAKE_MATCH_3}")
      string(REGEX REPLACE "^0" "" day "${dd}")
      if(newest STREQUAL "")
        set(newest "${release}")
      endif()
      # The day of the week (0 Sunday), by Sakamoto's method.
      math(EXPR m "${month} - 1")
      list(GET offsets ${m} offset)
      set(y ${year})
      if(month LESS 3)
        math(EXPR y "${y} - 1")
      endif()
      math(EXPR w "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
      list(GET weekdays ${w} weekday)
      list(GET months ${m} monthname)
      string(APPEND out "${trailer}${PACKAGE} (${release}) unstable; urgency=medium\n\n")
      set(trailer "\n -- ${MAINTAINER}  ${weekday}, ${dd} ${monthname} ${year} 00:00:00 +0000\n\n")
    elseif(NOT newest STREQUAL "" AND line MATCHES "^- (.+)$")
      string(APPEND out "  * ${CMAKE_MATCH_1}\n")
    elseif(NOT newest STREQUAL "" AND line MATCHES "^  ([^ ].*)$")
      string(APPEND out "    ${CMAKE_MATCH_1}\n")
    elseif(NOT newest STREQUAL "" AND NOT line STREQUAL "")
      message(FATAL_ERROR "${IN}:${number}: neither a release heading nor an item: ${line}")
    endif()
  endwhile()
  if(NOT newest STREQUAL VERSION)
    message(FATAL_ERROR "${IN}: the newest release is \"${newest}\", the project's version ${VERSION}")
  endif()
  # The trailer of the last entry ends the file without an empty line.
  string(REGEX REPLACE "\n\n$" "\n" trailer "${trailer}")
  string(APPEND out "${trailer}")

else()
  message(FATAL_ERROR "KIND must be crlf, copyright or changelog, not \"${KIND}\"")
endif()

file(WRITE "${OUT}" "${out}")
