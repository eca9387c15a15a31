#!/bin/sh
# SPDX-License-Identifier: MIT
# shellcheck disable=SC2016 # the stand-ins' own variables
# The ARM64 bootstrap over stand-in clang, dpkg-query and apt-get: bootstrap.sh SOURCE_DIR
. "$(dirname "$0")/lib.sh"
mkdir "$T/bin"
export CALLS="$T/calls"
printf '#!/bin/sh\n[ "$1" = -dumpversion ] && echo 14.0.6 || echo /none\n' >"$T/bin/clang"
versions='llvm-toolchain-14=1:14.0.6-12
mingw-w64=10.0.0-3
wine=8.0~repack-4'
# $STATE: the packages at these versions, or none installed.
printf '#!/bin/sh\n[ "$STATE" != none ] && echo "%s"\n' "$versions" >"$T/bin/dpkg-query"
# $APT: the mirror's state; each command is logged.
cat >"$T/bin/apt-get" <<'EOF'
#!/bin/sh
while case $1 in -o) shift ;; -*) ;; *) false ;; esac do shift; done
echo "$1" >>"$CALLS"
case " $* :$APT" in
*" indextargets "*:nomirror) ;;
*" indextargets "*) echo 'http://deb.debian.org/debian/ bookworm main' ;;
*" source "*:nosource) echo 'E: Failed to fetch http://m/p/mingw-w64_10.0.0-3.dsc' && exit 100 ;;
*" source "*:signature) p=${*##* } && touch "${p%%=*}_1.orig.tar.xz.asc" && exit 100 ;;
esac
EOF
chmod +x "$T/bin"/*
# The last run's versions less LAST (- for no last run), STATE, APT; the status, a word that
# stderr holds (- for an empty stderr), the apt-get commands run (- for none).
while read -r last state apt status says calls; do
    rm -rf "$T/made" && mkdir "$T/made" && : >"$CALLS"
    [ "$last" = - ] || echo "$versions" | sed "s/$last//" >"$T/made/done"
    said=$(PATH=$T/bin:$PATH STATE=$state APT=$apt \
        sh "$K/cmake/toolchains/aarch64-w64-mingw32.sh" "$T/made" 2>&1 >/dev/null)
    check "$last, $state, $apt: status" "$status" "$?"
    case $says:$said in -: | [!-]*:*"$says"*) said=yes ;; esac
    check "$last, $state, $apt: stderr holds $says" yes "$said"
    check "$last, $state, $apt: apt-get" "$calls" \
        "$(LC_ALL=C sort -u "$CALLS" | paste -s -d , - | sed 's/^$/-/')"
    [ "$status" -eq 0 ] || [ ! -e "$T/made/done" ] || fail "a failed run left done behind"
done <<'EOF_TABLE'
nothing  some  mirror     0  -        -
-        none  mirror     1  missing  -
-        some  nomirror   1  mirror   indextargets
-        some  nosource   1  fetched  indextargets,source,update
=1:      some  nosource   1  fetched  indextargets,source,update
-        some  signature  1  fetched  indextargets,source,update
EOF_TABLE
finish
