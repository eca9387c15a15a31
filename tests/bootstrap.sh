#!/bin/sh
# SPDX-License-Identifier: MIT
# The ARM64 toolchain's bootstrap over stand-ins for clang, dpkg-query and apt-get: whether it
# builds, and what it says (what it builds, its row's suite tests).  bootstrap.sh SOURCE_DIR
. "$(dirname "$0")/lib.sh"
script=$K/cmake/toolchains/aarch64-w64-mingw32.sh
mkdir "$T/bin"
export CALLS="$T/calls"
cat >"$T/bin/clang" <<'EOF'
#!/bin/sh
case $1 in -dumpversion) echo 14.0.6 ;; *) echo /nonexistent ;; esac
EOF
# $STATE: the packages at these versions, or none installed.
cat >"$T/bin/dpkg-query" <<'EOF'
#!/bin/sh
[ "$STATE" != none ] || exit 1
printf 'llvm-toolchain-14=1:14.0.6-12\nmingw-w64=10.0.0-3\nwine=8.0~repack-4\n'
EOF
# $APT: the mirror's state; every call is logged.
cat >"$T/bin/apt-get" <<'EOF'
#!/bin/sh
while [ $# -gt 0 ]; do
    case $1 in
    -o) shift 2 ;;
    -*) shift ;;
    *) echo "$1" >>"$CALLS" && break ;;
    esac
done
case " $* :$APT" in
*" indextargets "*:nomirror) ;;
*" indextargets "*) echo 'http://deb.debian.org/debian/ bookworm main' ;;
*" source "*:nosource) echo 'E: Failed to fetch http://m/p/mingw-w64_10.0.0-3.dsc' && exit 100 ;;
*" source "*:signature) p=${*##* } && touch "${p%%=*}_1.orig.tar.xz.asc" && exit 100 ;;
*) exit 0 ;;
esac
EOF
chmod +x "$T/bin"/*
versions='llvm-toolchain-14=1:14.0.6-12
mingw-w64=10.0.0-3
wine=8.0~repack-4'
# The last run's versions less DONE (- for no last run), STATE, APT; the status, a word that stderr
# holds (- for an empty stderr), the apt-get commands run (- for none).
while read -r last state apt status says calls; do
    rm -rf "$T/made" && mkdir "$T/made" && : >"$CALLS"
    [ "$last" = - ] || echo "$versions" | sed "s/$last//" >"$T/made/done"
    said=$(PATH=$T/bin:$PATH STATE=$state APT=$apt sh "$script" "$T/made" 2>&1 >/dev/null)
    check "last run less $last, $state, $apt: status" "$status" "$?"
    case $says:$said in
    -: | [!-]*:*"$says"*) said=yes ;;
    esac
    check "last run less $last, $state, $apt: stderr holds $says" yes "$said"
    check "last run less $last, $state, $apt: apt-get" "$calls" \
        "$(LC_ALL=C sort -u "$CALLS" | paste -s -d , - | sed 's/^$/-/')"
    [ "$status" -eq 0 ] || [ ! -e "$T/made/done" ] || fail "a failed run left done behind"
done <<'EOF_TABLE'
nothing  some  mirror    0  -        -
-        none  mirror    1  missing  -
-        some  nomirror  1  mirror   indextargets
-        some  nosource  1  fetched  indextargets,source,update
=1:      some  nosource  1  fetched  indextargets,source,update
-        some  signature 1  fetched  indextargets,source,update
EOF_TABLE
finish
