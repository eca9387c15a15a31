#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows program's exact bytes: the runtime's text mode makes each
# "\n" one CR LF, so the output matches the Linux build's byte for byte.
. "$(dirname "$0")/lib.sh"

run
same_bytes "no argument" "$T/usage" "$T/out"
no_stderr "no argument" "$T/err"

for arg in m Y x "" "/?"; do
    run "$arg"
    same_bytes "argument '$arg'" "$T/banner" "$T/out"
    no_stderr "argument '$arg'" "$T/err"
done

# Redirected to a file by cmd, as a batch file would.
batch "\"$(winpath "$K")\" >\"$(winpath "$T/file")\""
same_bytes "no argument, redirected by cmd" "$T/usage" "$T/file"
batch "\"$(winpath "$K")\" d >\"$(winpath "$T/file")\""
same_bytes "argument 'd', redirected by cmd" "$T/banner" "$T/file"

finish
