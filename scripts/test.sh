#!/bin/sh
# Installs what the tests need when it is missing, then builds and runs
# every suite, warnings as errors: the native build and the same build
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh test
for preset in native sanitize; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
