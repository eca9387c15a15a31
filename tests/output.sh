#!/bin/sh
# SPDX-License-Identifier: MIT
# Exact bytes on standard output, on the usage path and the report path.
. "$(dirname "$0")/lib.sh"

run
same_bytes "no argument" "$T/usage" "$T/out"
check "no argument: status" 0 "$status"
no_stderr "no argument" "$T/err"

# Linux since 5.18 puts an empty program name in place of an empty vector;
# older kernels and other systems start the program with argc 0.
"$LAUNCH" no-argv "$K" >"$T/out" 2>"$T/err"
status=$?
same_bytes "empty argument vector" "$T/usage" "$T/out"
check "empty argument vector: status" 0 "$status"
no_stderr "empty argument vector" "$T/err"

for arg in m M d y c h i s month x "" "/?"; do
    run "$arg"
    same_bytes "argument '$arg'" "$T/banner" "$T/out"
    no_stderr "argument '$arg'" "$T/err"
done

# Read back through a pipe rather than a file: same bytes.
"$K" | cat >"$T/out"
same_bytes "no argument, into a pipe" "$T/usage" "$T/out"

finish
