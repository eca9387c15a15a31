#!/bin/sh
# Installs what the tests need when it is missing, then builds and runs
# every suite, warnings as errors: the native build, the same build under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the 64-bit and 32-bit
# Windows programs under Wine.
set -eu
cd "$(dirname "$0")/.."
# Nothing reads standard input; a closed one would hand its descriptor to
# the first file a test or Wine opens.
exec </dev/null
sh scripts/deps.sh test
for preset in native sanitize mingw64 mingw32; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
