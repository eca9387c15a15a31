#!/bin/sh
# SPDX-License-Identifier: MIT
# The C++ sources keep the repository's .clang-format.
#   format.sh SOURCE_DIR
command -v clang-format >/dev/null || {
    echo "SKIP: clang-format not installed (Debian package clang-format)"
    exit 77
}
cd "$1" || exit 1
if clang-format --dry-run -Werror src/*.cpp src/*.h src/*/*.cpp src/*/*.h tests/*.cpp bench/*.cpp; then
    echo "1 passed, 0 failed"
else
    echo "0 passed, 1 failed"
    exit 1
fi
