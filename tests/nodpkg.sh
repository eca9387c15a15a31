#!/bin/sh
# SPDX-License-Identifier: MIT
# scripts/build.sh where there is no dpkg or apt-get (Fedora, Arch, Alpine,
# macOS, the BSDs): with CMake, make and a C++ compiler it builds the
# command; without one of them it stops at once, naming that one alone.
#   nodpkg.sh SOURCE_DIR
. "$(dirname "$0")/lib.sh"

for tool in cmake make c++; do
    command -v "$tool" >/dev/null || {
        echo "SKIP: no $tool here"
        exit 77
    }
done
unset CXX
# A PATH of links to every command but dpkg's, apt's and the row's hidden
# ones (the first of each name, as PATH finds it).
IFS=:
for d in $PATH; do
    [ -d "$d" ] && mkdir -p "$T/all" && ln -s "$d"/* "$T/all/" 2>/dev/null
done
unset IFS
rm -f "$T/all"/dpkg* "$T/all"/apt*

# hidden commands | what build.sh says is missing (- builds)
while IFS='|' read -r hidden want; do
    rm -rf "$T/src" "$T/cmds"
    mkdir "$T/src"
    (cd "$K" && find . -mindepth 1 -maxdepth 1 ! -name 'build*' ! -name 'dist*' ! -name .git \
        -exec cp -R {} "$T/src" \;)
    cp -R "$T/all" "$T/cmds"
    for h in $hidden; do rm -f "$T/cmds/$h"; done
    status=0
    PATH=$T/cmds sh "$T/src/scripts/build.sh" >"$T/out" 2>"$T/err" || status=$?
    if [ "$want" != - ]; then
        check "build.sh without $hidden: status" 1 "$status"
        check "build.sh without $hidden: says" "scripts/build.sh: missing here: $want;" \
            "$(sed -n 's/;.*/;/p' "$T/err")"
        built=no
        [ ! -d "$T/src/build" ] || built=yes
        check "build.sh without $hidden: built" no "$built"
        continue
    fi
    check "build.sh without dpkg: status" 0 "$status"
    [ "$status" = 0 ] || cat "$T/err"
    for _ in 1 2 3; do
        month=$(date +%m | sed 's/^0//')
        got=0
        "$T/src/build/korvanex" m >/dev/null 2>&1 || got=$?
        [ "$(date +%m | sed 's/^0//')" = "$month" ] && break
    done
    check "korvanex m built without dpkg: status" "$month" "$got"
done <<EOF_TABLE
|-
cmake|cmake
make gmake|make
c++ g++ clang++|a C++ compiler (g++ or clang++)
EOF_TABLE
finish
