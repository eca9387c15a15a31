#!/bin/sh
# Builds build/korvanex, installing a missing tool with apt-get; without apt-get, stops, naming it.
set -eu
cd "$(dirname "$0")/.."
missing=
add() { missing="${missing:+$missing,} $1"; }
for tool in cmake make; do command -v "$tool" >/dev/null || add "$tool"; done
# The names CMake looks for.
command -v "${CXX:-c++}" >/dev/null || command -v g++ >/dev/null ||
    command -v clang++ >/dev/null || add "a C++ compiler (g++ or clang++)"
if [ -z "$missing" ]; then
    :
elif command -v apt-get >/dev/null && command -v dpkg-query >/dev/null; then
    sh scripts/deps.sh build
else
    echo "scripts/build.sh: missing here:$missing; install it, then run this again" >&2
    exit 1
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKORVANEX_TESTS=OFF >/dev/null
cmake --build build
