#!/bin/sh
# SPDX-License-Identifier: MIT
# The sources' lints, one a row:
#   lint.sh format SOURCE_DIR      C++ as the repository's .clang-format says
#   lint.sh shellcheck SOURCE_DIR  every shell script (any *.sh, any file
#                                  that starts "#!/bin/sh") as POSIX sh,
#                                  following the files each one sources
#   lint.sh man PAGE               the built manual page: not one warning
set -u
while read -r name tool package; do
    [ "$name" = "$1" ] || continue
    command -v "$tool" >/dev/null || {
        echo "SKIP: $tool not installed (Debian package $package)"
        exit 77
    }
done <<'EOF_TABLE'
format      clang-format  clang-format
shellcheck  shellcheck    shellcheck
man         groff         groff-base
EOF_TABLE
case $1 in
format)
    cd "$2" && clang-format --dry-run -Werror src/*.cpp src/*.h src/*/*.cpp src/*/*.h tests/*.cpp \
        tests/*.h bench/*.cpp
    ;;
shellcheck)
    cd "$2" && find . -type d \( -name 'build*' -o -name 'dist*' -o -name .git \) -prune -o \
        -type f \( -name '*.sh' -o -exec sh -c 'head -n 1 "$1" | grep -q "^#!/bin/sh"' sh {} \; \) \
        -print | sort | tr '\n' '\0' |
        xargs -0 shellcheck --shell=sh --external-sources --source-path=SCRIPTDIR -f gcc
    ;;
man)
    out=$(groff -man -ww -z "$2" 2>&1) || out="groff failed: $out"
    printf '%s' "$out"
    [ -z "$out" ]
    ;;
esac
