#!/bin/sh
# Installs what the tests need when it is missing, then builds and runs the
# suites, warnings as errors, one CMake preset each, every row of
# targets.txt in its order: the native build, the same build under
# AddressSanitizer and UndefinedBehaviorSanitizer, the static programs on
# musl, the other Linux CPUs under QEMU, and the 64-bit and 32-bit Windows
# programs under Wine.  Given preset names, only those, with only what they
# need installed.
#   sh scripts/test.sh [PRESET...]
set -eu
cd "$(dirname "$0")/.."
# Nothing reads standard input; a closed one would hand its descriptor to
# the first file a test or Wine opens.
exec </dev/null
# Every preset, in the order they run when none is named.
all=$(sh scripts/targets.sh preset | paste -s -d ' ' -)
presets=${*:-$all}
for preset in $presets; do
    case " $all " in
    *" $preset "*) ;;
    *)
        echo "usage: sh scripts/test.sh [PRESET...]; presets: $all" >&2
        exit 2
        ;;
    esac
done
# shellcheck disable=SC2086
sh scripts/deps.sh $presets
# As many build jobs as the machine has processors.
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(getconf _NPROCESSORS_ONLN)}
export CMAKE_BUILD_PARALLEL_LEVEL
# A test skips when a tool or emulator is missing; here, where everything
# was installed first, a skip is a missing install step: a failure.
junit=$(mktemp)
trap 'rm -f "$junit"' EXIT
for preset in $presets; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" --output-junit "$junit"
    skipped=$(sed -n 's/.*<testcase name="\([^"]*\)".*status="notrun".*/\1/p' "$junit" | paste -s -d ' ' -)
    if [ -n "$skipped" ]; then
        echo "FAIL: $preset: skipped, for want of a tool (their SKIP lines are in" \
            "Testing/Temporary/LastTest.log of the build tree): $skipped" >&2
        exit 1
    fi
done
