#!/bin/sh
# SPDX-License-Identifier: MIT
# Holds the harness to failing: harness.sh SOURCE_DIR [prologue] (that alone).  A plain exit: it
# sources neither scripts/prologue.sh, under test, nor lib.sh.
set -u
src=$(cd "$1" && pwd) || exit 2
tmp=$(mktemp -d "${TMPDIR:-/tmp}/harness.XXXXXX") || exit 2
trap 'rm -rf "$tmp"' EXIT
trap 'exit 143' HUP INT QUIT PIPE TERM
mkdir "$tmp/bin" "$tmp/tmp"
passed=0 failed=0
check() { # WHAT WANT GOT
    [ "$2" = "$3" ] && passed=$((passed + 1)) && return
    echo "FAIL: $1: expected $2, got $3"
    failed=$((failed + 1))
}
# What a run left: folders, processes ($tmp/pids) given a second.
alive() { [ -e "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }
left() {
    printf '[%s] [' "$(ls "$tmp/tmp")"
    while read -r pid; do
        for _ in $(seq 10); do alive "$pid" && sleep 0.1; done
        ! alive "$pid" || { printf '%s ' "$pid"; kill -KILL "$pid"; }
    done <"$tmp/pids"
    printf ']'
    rm -rf "${tmp:?}/tmp/"*
}
# A command with a child, both recorded, running until stopped.
# shellcheck disable=SC2016 # its own $$ and $!
printf '#!/bin/sh\nsleep 300 &\necho "$$ $!" | tr " " "\\n" >>"$PIDS"\nwait\n' >"$tmp/child"
chmod +x "$tmp/child"
export PIDS="$tmp/pids" TMPDIR="$tmp/tmp"

# A script with the prologue starts the command and ends so: its status, nothing left.
while read -r want ending; do
    : >"$tmp/pids"
    # shellcheck disable=SC2016 # for the child shell
    env --default-signal=INT,QUIT sh -c 'set -e
        . "$1/scripts/prologue.sh"
        start "$2/child"
        for i in $(seq 300); do [ -s "$PIDS" ] || sleep 0.1; done
        eval "$3"' sh "$src" "$tmp" "$ending" >/dev/null 2>&1
    check "a script ending with '$ending': status [folders] [processes] started" "$want [] [] 2" \
        "$? $(left) $(grep -c . "$tmp/pids")"
done <<'EOF_TABLE'
0   true
3   exit 3
1   false
7   undo='exit_status=7'
129 kill -HUP $$
130 kill -INT $$
131 kill -QUIT $$
141 kill -PIPE $$
143 kill -TERM $$
EOF_TABLE
if [ "${2-}" != prologue ]; then
    # A suite whose checks fail, on a command that only exits 0.
    sh "$src/tests/failures.sh" /bin/true >"$tmp/out" 2>&1
    check "tests/failures.sh on /bin/true: status, its last line" "1 failed" \
        "$? $(tail -n 1 "$tmp/out" | sed -n 's/^[0-9]* passed, [1-9][0-9]* \(failed\)$/\1/p')"
    # test.sh over a ctest that fails, skips or runs until INT or TERM; TERM to a group.
    ln -s /bin/true "$tmp/bin/cmake"
    cat >"$tmp/bin/ctest" <<'EOF'
#!/bin/sh
while [ "$1" != --output-junit ]; do shift; done
case $CTEST in
fail) exit 8 ;;
skip) echo '<testcase name="e2e.output" status="notrun"/>' >"$2" ;;
run) exec "$CHILD" ;;
esac
EOF
    chmod +x "$tmp/bin/ctest"
    while read -r ctest to signal want; do
        : >"$tmp/pids"
        set -- scripts/test.sh native
        [ "$to" = script ] || set -- tests/status.sh "$tmp/child"
        CTEST=$ctest CHILD=$tmp/child PATH=$tmp/bin:$PATH \
            env --default-signal=INT,QUIT setsid sh "$src/$1" "$2" >"$tmp/out" 2>&1 &
        pid=$!
        for _ in $(seq 300); do [ "$signal" = - ] || [ -s "$tmp/pids" ] || sleep 0.1; done
        case $to in script) group= ;; group) group=- ;; esac
        [ "$signal" = - ] || kill "-$signal" "$group$pid"
        wait "$pid"
        check "$1, ctest $ctest, $signal to the $to: status [folders] [processes] skips said" \
            "$want" "$? $(left) $(grep -c ' 1 skipped, for want' "$tmp/out")"
    done <<'EOF_TABLE'
fail  script -    8 [] [] 0
skip  script -    1 [] [] 1
run   script INT  130 [] [] 0
run   script TERM 143 [] [] 0
-     group  TERM 143 [] [] 0
EOF_TABLE
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
