#!/bin/sh
# Installs what the tests need, then builds (warnings as errors) and runs in build-test/NAME the
# suite of each row of targets.txt, or those named.
#   sh scripts/test.sh [NAME...]
set -eu
cd "$(dirname "$0")/.."
# The prologue decides this script's status: tested first.
if ! said=$(sh tests/harness.sh . prologue 2>&1); then
    printf '%s\nFAIL: scripts/prologue.sh loses exit statuses: no result is to be trusted\n' \
        "$said" >&2
    exit 1
fi
. scripts/prologue.sh
# A closed standard input would hand its descriptor to the first file a test or Wine opens.
exec </dev/null
all=$(sh scripts/targets.sh name)
all=$(echo "$all" | paste -s -d ' ' -)
names=${*:-$all}
for name in $names; do
    case " $all " in *" $name "*) continue ;; esac
    echo "usage: sh scripts/test.sh [NAME...]; names: $all" >&2
    exit 2
done
# shellcheck disable=SC2086
sh scripts/deps.sh $names
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(getconf _NPROCESSORS_ONLN)}
export CMAKE_BUILD_PARALLEL_LEVEL
for name in $names; do
    began=$(date +%s)
    echo "== $name"
    set -- -DCMAKE_BUILD_TYPE=Release -DKORVANEX_WERROR=ON -DKORVANEX_UNIT_TESTS=ON
    row=$(sh scripts/targets.sh toolchain options -- "^$name ")
    # shellcheck disable=SC2046 # one option a line, no spaces in them
    set -- "$@" $(echo "$row" | awk '{
        if ($1 != "-") print "--toolchain=cmake/toolchains/" $1 ".cmake"
        if ($2 != "-") { n = split($2, o, ","); for (i = 1; i <= n; i++) print "-D" o[i] } }')
    # Toolchains beyond Debian's, made once.
    boot=$(sh scripts/targets.sh bootstrap -- "^$name ")
    [ "$boot" = - ] || now sh "$boot"
    # Wine's server leaves the process group: stopped through its prefix.
    prefix=build-test/$name/wineprefix
    undo="[ ! -d $prefix ] || WINEPREFIX=\$PWD/$prefix sh tests/wine.sh stop"
    now cmake -S . -B "build-test/$name" "$@" >/dev/null
    now cmake --build "build-test/$name"
    now ctest --test-dir "build-test/$name" --output-on-failure --timeout 900 --no-tests=error \
        --output-junit "$T/junit.xml"
    # A test skips for want of a tool; all installed first, a skip is a missing install step.
    sed -n 's/.*<testcase name="\([^"]*\)".*status="notrun".*/\1/p' "$T/junit.xml" >"$T/skipped"
    if [ -s "$T/skipped" ]; then
        echo "FAIL: $name: $(grep -c . "$T/skipped") skipped, for want of a tool (their SKIP" \
            "lines are in Testing/Temporary/LastTest.log of the build tree):" \
            "$(paste -s -d " " "$T/skipped")" >&2
        exit 1
    fi
    echo "== $name: $(($(date +%s) - began)) s"
done
