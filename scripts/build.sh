#!/bin/sh
# Builds the command (Release) into build/, installing the compiler and
# CMake first when they are missing.
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF >/dev/null
cmake --build build
