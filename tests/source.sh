#!/bin/sh
# SPDX-License-Identifier: MIT
# shellcheck disable=SC2016 # stand-ins and patterns, for other shells and grep
# The sources' checks: source.sh SOURCE_DIR format|shellcheck|nodpkg|files VERSION, or PAGE man.
. "$(dirname "$0")/lib.sh"
case $2 in
format)
    need clang-format clang-format
    cd "$K" || exit 1
    clang-format --dry-run -Werror src/*.cpp src/*.h src/*/*.cpp src/*/*.h tests/*.cpp bench/*.cpp
    exit
    ;;
shellcheck)
    need shellcheck shellcheck
    cd "$K" && find . -type d \( -name 'build*' -o -name 'dist*' -o -name .git \) -prune -o \
        -type f \( -name '*.sh' -o -exec sh -c 'head -n 1 "$1" | grep -q "^#!/bin/sh"' sh {} \; \) \
        -print | LC_ALL=C sort | tr '\n' '\0' |
        xargs -0 shellcheck --shell=sh --external-sources --source-path=SCRIPTDIR -f gcc
    exit
    ;;
man)
    need groff groff-base
    check "groff's warnings" "" "$(groff -man -ww -z "$K" 2>&1 || echo "groff failed")"
    # Without the site's mappings (Debian's print - and \- alike): the examples are the README's
    # recipes, \- for each hyphen-minus, the rest ASCII.
    mkdir "$T/tmac"
    : >"$T/tmac/man.local"
    cat >"$T/tmac/typeset.tmac" <<'EOF'
.am TH
.char - \[hy]
.char \- \[mi]
.char ' \[cq]
.char ` \[oq]
.char ~ \[u02DC]
.char ^ \[u02C6]
..
EOF
    groff -M "$T/tmac" -man -mtypeset -Tutf8 -P-cbou "$K" | sed 's/^ *//' >"$T/page"
    for name in sh batch windows-sh; do
        recipe "$name" >"$T/recipe" || fail "no $name recipe"
        sed -i 's/^ *//; s/-/\xe2\x88\x92/g; /^$/d' "$T/recipe"
        check "the $name recipe's lines not in the page as copied" "" \
            "$(grep -v -x -F -f "$T/page" "$T/recipe" | head -n 3)"
    done
    ;;
files)
    # The version in debian/changelog alone (the texts take it from the build); line and file sizes.
    cd "$K" || exit 1
    # git's list; in a source tarball all but the builds.
    if [ -e .git ]; then
        git ls-files
    else
        find . \( -name .git -o -name build -o -name 'build-*' -o -name 'dist*' \) -prune \
            -o -type f -print | sed 's|^[.]/||'
    fi >"$T/files" || fail "no list of the files"
    # grep's status 1: no line found; 2, a failure (xargs's 123).
    grep -v -x debian/changelog "$T/files" | tr '\n' '\0' >"$T/others"
    xargs -0 sh -c 'grep -n -E "$0" -- "$@"; [ $? -le 1 ]' "(^|[^0-9.])$(echo "$3" |
        sed 's/[.]/[.]/g')([^0-9]|\$)" <"$T/others" >"$T/hits" ||
        fail "grep could not read the files"
    check "files read; files that write the version $3 out" "yes " \
        "$([ "$(grep -c . "$T/files")" -gt 50 ] && echo yes) $(cat "$T/hits")"
    check "texts without @PROJECT_VERSION@" "" "$(grep -L '@PROJECT_VERSION@' man/korvanex.1 \
        packaging/linux/README.txt packaging/windows/README.txt)"
    tr '\n' '\0' <"$T/files" | xargs -0 awk '
        length > 100 && !(FILENAME ~ /[.]md$/ && /^[|]/) { print FILENAME ":" FNR }
        FNR == 201 && FILENAME !~ /^man[/]/ { print FILENAME ": over 200 lines" }' >"$T/wide" ||
        fail "awk could not read the files"
    check "lines over 100 columns, files over 200 lines" "" "$(head -n 5 "$T/wide")"
    ;;
nodpkg)
    need cmake cmake
    need make make
    need c++ g++
    unset CXX
    # Links to every command but dpkg's and apt's (the first of a name).
    IFS=:
    for d in $PATH; do
        [ -d "$d" ] && mkdir -p "$T/all" && ln -s "$d"/* "$T/all/" 2>/dev/null
    done
    unset IFS
    rm -f "$T/all"/dpkg* "$T/all"/apt*
    # Without dpkg or apt-get (Fedora, Alpine, the BSDs) build.sh builds, or stops at once naming
    # what is missing.  Hidden commands | status, message, a build.
    while IFS='|' read -r hidden want; do
        rm -rf "$T/src" "$T/cmds"
        mkdir "$T/src"
        (cd "$K" && find . -mindepth 1 -maxdepth 1 ! -name 'build*' ! -name 'dist*' ! -name .git \
            -exec cp -R {} "$T/src" \;)
        cp -R "$T/all" "$T/cmds"
        for h in $hidden; do rm -f "$T/cmds/$h"; done
        PATH=$T/cmds sh "$T/src/scripts/build.sh" >"$T/out" 2>"$T/err"
        built=$?
        check "build.sh without ${hidden:-dpkg}: status, message, a build" "$want" \
            "$built $(sed -n 's/;.*/;/p' "$T/err") $([ -d "$T/src/build" ] && echo yes || echo no)"
        [ -z "$hidden" ] || continue
        [ "$built" = 0 ] || cat "$T/err"
        before=$(date +%s)
        "$T/src/build/korvanex" m >/dev/null 2>&1
        during "korvanex m built without dpkg" %-m $? "$before" "$(date +%s)"
    done <<EOF_TABLE
|0  yes
cmake|1 scripts/build.sh: missing here: cmake; no
make gmake|1 scripts/build.sh: missing here: make; no
c++ g++ clang++|1 scripts/build.sh: missing here: a C++ compiler (g++ or clang++); no
EOF_TABLE
    ;;
esac
finish
