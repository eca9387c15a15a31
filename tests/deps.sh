#!/bin/sh
# SPDX-License-Identifier: MIT
# scripts/deps.sh, apt-get, dpkg, dpkg-query, sudo and sleep stood in for: deps.sh SOURCE_DIR.
. "$(dirname "$0")/lib.sh"
# A copy, where targets.sh and debian/control break.
mkdir "$T/bin" "$T/src"
cp -R "$K/scripts" "$K/targets.txt" "$T/src"
mkdir "$T/src/debian"
export CALLS="$T/calls" K
# Given $FAIL first, a stand-in ends with 3 after its output.
cat >"$T/src/scripts/targets.sh" <<'EOF'
#!/bin/sh
sh "$K/scripts/targets.sh" "$@"
[ "$1" != "$FAIL" ] || exit 3
EOF
cat >"$T/bin/apt-get" <<'EOF'
#!/bin/sh
echo "$*" | sed 's/ -[^ ]*//g' >>"$CALLS"
case $1:$APT in
update:lists) echo 'E: Failed to fetch http://m/d/binary-i386/Packages  Hash Sum mismatch' ;;
install:unknown) echo 'E: Unable to locate package x' ;;
*) exit 0 ;;
esac
exit 100
EOF
cat >"$T/bin/dpkg" <<'EOF'
#!/bin/sh
[ "$1" != --print-architecture ] || echo amd64
EOF
# deb's needs are installed; debhelper, in state $DPKG, provides debhelper-compat.
cat >"$T/bin/dpkg-query" <<'EOF'
#!/bin/sh
for p in build-essential git lintian reprotest diffoscope-minimal faketime disorderfs cmake; do
    echo "ii |$p|amd64|"
done
echo "$DPKG |debhelper|all|debhelper-compat (= 13), dh-sequence-single-binary"
[ "$1" != "$FAIL" ] || exit 3
EOF
# shellcheck disable=SC2016 # the stand-in's text, for the shell that runs it
printf '#!/bin/sh\necho "sleep $1" >>"$CALLS"\n' >"$T/bin/sleep"
printf '#!/bin/sh\nexec "$@"\n' >"$T/bin/sudo"
chmod +x "$T/bin/"*
# Failed i386 lists fail what needs them after four tries, naming the builds needing none.
others=$(sh "$K/scripts/targets.sh" name packages | awk '$2 !~ /:i386/ { printf " %s", $1 }')
# APT (how apt-get fails), DPKG, FAIL (control: none), the step; status, [calls], messages.
while read -r apt dpkg fail name want; do
    : >"$T/calls"
    rm -f "$T/src/debian/control"
    [ "$fail" = control ] || cp "$K/debian/control" "$T/src/debian"
    APT=$apt DPKG=$dpkg FAIL=$fail PATH=$T/bin:$PATH \
        sh "$T/src/scripts/deps.sh" "$name" >"$T/out" 2>&1
    check "deps.sh $name (apt-get $apt, debhelper $dpkg, failing $fail): status [calls] messages" \
        "$want" "$? [$(paste -s -d , "$T/calls")] $(grep -c -e 'lists for i386$' \
        -e 'going on without the lists for i386' \
        -e " sh scripts/test.sh$others\$" "$T/out")"
done <<'EOF_TABLE'
lists   ii -        build   0 [update,install g++ make] 1
lists   ii -        mingw32 1 [update,sleep 60,update,sleep 120,update,sleep 240,update] 2
unknown ii -        build   1 [update,install g++ make] 0
-       ii -        deb     0 [] 0
-       rc -        deb     0 [update,install debhelper-compat] 0
-       ii -W       deb     3 [] 0
-       ii control  deb     2 [] 0
-       ii packages mingw32 3 [] 0
lists   ii name     mingw32 3 [update,sleep 60,update,sleep 120,update,sleep 240,update] 0
EOF_TABLE
finish
