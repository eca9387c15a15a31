# SPDX-License-Identifier: MIT
# Sourced by the end-to-end scripts, $1 the command.  Runs are queued, then run and checked:
# Windows's in one batch file, as each Wine start costs seconds.
# shellcheck shell=sh
# shellcheck disable=SC2034 # some variables are for the scripts
set -u
K=$1
# EMULATOR: Wine, one path; or QEMU and options, words.
PLATFORM=${PLATFORM:-linux} EMULATOR=${EMULATOR:-}
. "$(dirname "$0")/../scripts/prologue.sh"
passed=0 failed=0 n=0 zone=-
: >"$T/cases"
printf '@echo off\r\n' >"$T/run.bat"

fail() { printf 'FAIL: %s\n' "$*"; failed=$((failed + 1)); }
check() { # WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] || fail "$1: expected $2, got $3"
    [ "$2" != "$3" ] || passed=$((passed + 1))
}
finish() { # a script that checked nothing has failed
    [ $((passed + failed)) -gt 0 ] || fail "nothing was checked"
    printf '%d passed, %d failed\n' "$passed" "$failed"
    [ "$failed" -eq 0 ]
}
skip() { printf 'SKIP: %s\n' "$1"; exit 77; } # REASON: never a pass
need() { command -v "$1" >/dev/null || skip "$1 not installed (Debian package $2)"; }
need_zone() {
    [ -f "/usr/share/zoneinfo/$1" ] || skip "zone $1 not installed (Debian package tzdata)"
}
BANNER='\r\nKORVANEX for WinNT\r\nBy: The korvanex developers\r\n30 Dec. 1997 - V1R1\r\n'
USAGE='\r\nUSAGE: korvanex [m|d|y|c|h|i|s]\r\n\r\n Where m = Month\r\n       d = Day\r\n'
USAGE=$USAGE'       y = Year\r\n       c = Century\r\n\r\n       h = Hour\r\n'
USAGE=$USAGE'       i = mInutes\r\n       s = Seconds\r\n'
printf '%b' "$BANNER" >"$T/banner"
printf '%b' "$BANNER$USAGE" >"$T/usage"

# ld.so splits LD_PRELOAD at spaces and colons: a link whose name has none.
PRELOAD=${FROZEN_CLOCK_LIB:+$T/frozen_clock.so}
[ -z "$PRELOAD" ] || ln -s "$FROZEN_CLOCK_LIB" "$PRELOAD"
export FROZEN_CLOCK_LIB="$PRELOAD"
# Under an emulator, or static (FROZEN_PROGRAM): scripts stand for the command and launch, so that
# the emulator and frozen clock reach the program alone.
if [ "$PLATFORM" = linux ] && [ -n "$EMULATOR${FROZEN_PROGRAM:-}" ]; then
    mkdir "$T/cross"
    ln -s "$K" "$T/cross/korvanex.real"
    ln -s "$LAUNCH" "$T/cross/launch.real"
    ln -s "${FROZEN_PROGRAM:-$K}" "$T/cross/korvanex.frozen"
    cat >"$T/cross/korvanex" <<'EOF_SCRIPT'
#!/bin/sh
[ -n "${FROZEN_CLOCK:-}" ] || exec $EMULATOR "$0.real" "$@"
LD_PRELOAD=${FROZEN_CLOCK_LIB:-} exec $EMULATOR "$0.frozen" "$@"
EOF_SCRIPT
    chmod +x "$T/cross/korvanex"
    cp "$T/cross/korvanex" "$T/cross/launch"
    export EMULATOR
    K=$T/cross/korvanex LAUNCH=$T/cross/launch PRELOAD=
fi

# frozen AT COMMAND...: the clock at AT (date -d's, in UTC); - for the running clock.
frozen() {
    case $1 in
    -) c= ;;
    @*) c=${1#@} ;;
    *) c=$(date -u -d "$1" +%s) || exit 1 ;;
    esac
    shift
    if [ -z "$c" ]; then "$@"; else LD_PRELOAD=$PRELOAD FROZEN_CLOCK=$c "$@"; fi
}

recipe() { # NAME [TABLE]: the README's block marked <!-- recipe: NAME --> (or table)
    cmake -DKIND=raw "-D${2:-RECIPE}=$1" "-DREADME=$(dirname "$0")/../README.md" \
        -P "$(dirname "$0")/../cmake/text.cmake"
}

winpath() { # FILE as a Windows program under Wine names it (Z: is /)
    # shellcheck disable=SC1003 # one backslash, for tr
    printf 'Z:%s' "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'
}

# queue ON HOW AT WANT ARGS: a run on linux, windows or all, in $zone.  HOW: file, pipe, noargv,
# closed, full (disk), limit (file size), gone (the reader).  AT: frozen's (Windows: local time).
# WANT: the status, a date format (%-m) of the run's clock, or -.  ARGS: sh words, or - for none.
queue() {
    case $1 in all | "$PLATFORM") ;; *) return ;; esac
    n=$((n + 1))
    printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$n" "$2" "$3" "$4" "$zone" "$5" >>"$T/cases"
}

zoned() { # ZONE COMMAND...; - is the caller's zone
    z=$1
    shift
    if [ "$z" = - ]; then "$@"; else TZ=$z "$@"; fi
}

run_one() { # ID HOW AT ZONE ARGS: results in $T/ID.*
    id=$1 how=$2 o=$T/$1.out sig=
    # A reader gone: SIGPIPE at its default even where ours ignores it.
    [ "$how" != gone ] || sig='env --default-signal=PIPE'
    if [ "$PLATFORM" = linux ]; then
        eval "set -- zoned \"\$4\" frozen \"\$3\" $sig \"\$K\" $5"
    else # Not in the batch: cmd cannot close or fill a file for it.
        p=$K
        [ "$3" = - ] || p=$CLOCK_STANDIN
        eval "set -- env CLOCK_SCRIPT=\"\$3\" $sig \"\$EMULATOR\" \"\$p\" $5"
    fi
    # 32-bit Wine's loader under QEMU now and then crashes on a loaded machine: run again.
    for _ in 1 2 3; do
        : >"$T/$id.t0"
        case $how in
        closed) "$@" >&- ;;
        full) "$@" >/dev/full ;;
        limit) (ulimit -f 0 && "$@" >"$o") ;;
        pipe) { "$@"; echo $? >"$T/$id.ps"; } | cat >"$o" && (exit "$(cat "$T/$id.ps")") ;;
        noargv) "$LAUNCH" no-argv "$K" >"$o" ;;
        gone)
            # The reader closes its end, then says so; only then does the command start.
            rm -f "$T/fifo"
            mkfifo "$T/fifo"
            { read -r _ <"$T/fifo" && "$@"; echo $? >"$o"; } |
                { exec <&- && echo gone >"$T/fifo"; }
            (exit "$(cat "$o")")
            ;;
        *) "$@" >"$o" ;;
        esac 2>"$T/$id.err"
        echo $? >"$T/$id.st"
        [ "$PLATFORM" != linux ] || break
        grep -q '^qemu: uncaught target signal' "$T/$id.err" || break
    done
    : >"$T/$id.t1"
}

# during WHAT FORMAT GOT T0 T1 [ZONE]: GOT is date +FORMAT in ZONE at a second from T0 to T1 + 1
# (file times: the kernel's coarse clock, a tick behind).
during() {
    t=$4 ok=
    while [ "$t" -le $(($5 + 1)) ]; do
        [ "$(zoned "${6:--}" date -d "@$t" "+$2")" = "$3" ] && ok=$3
        t=$((t + 1))
    done
    check "$1" "${ok:-$2 during the run}" "$3"
}

run_queued() { # runs and checks the queue; ends the script
    while IFS='	' read -r id how at want tz args; do
        [ "$args" = - ] && args=
        if [ "$PLATFORM" = linux ] || [ "$how" != file ]; then
            run_one "$id" "$how" "$at" "$tz" "$args"
            continue
        fi
        w=$(winpath "$T/$id") p=$CLOCK_STANDIN
        [ "$at" != - ] || p=$K
        {
            printf 'set CLOCK_SCRIPT=%s\r\ntype nul >"%s.t0"\r\n' "$at" "$w"
            printf '"%s" %s >"%s.out" 2>"%s.err"\r\n' "$(winpath "$p")" "$args" "$w" "$w"
            printf '>"%s.st" echo %%ERRORLEVEL%%\r\n' "$w"
            [ "${want#[0-9]}" = "$want" ] ||
                printf 'if errorlevel %d if not errorlevel %d >"%s.lv" echo %d\r\n' \
                    "$want" $((want + 1)) "$w" "$want"
            printf 'type nul >"%s.t1"\r\n' "$w"
        } >>"$T/run.bat"
    done <"$T/cases"
    if [ "$PLATFORM" = windows ]; then
        # Else cmd ends with the last row's status (Wine 10, as Windows).
        printf 'exit /b 0\r\n' >>"$T/run.bat"
        "$EMULATOR" cmd /c "$(winpath "$T/run.bat")" >"$T/bat.out" 2>&1 ||
            fail "cmd ended with $?: $(head -c 500 "$T/bat.out")"
    fi
    while IFS='	' read -r id how at want tz args; do
        what="'$args' ($how, clock $at, zone $tz)"
        got=$(tr -d '\r ' <"$T/$id.st" 2>/dev/null)
        case $want in
        -) ;;
        %*)
            during "$what" "$want" "$got" "$(stat -c %Y "$T/$id.t0")" \
                "$(stat -c %Y "$T/$id.t1")" "$tz"
            ;;
        *)
            check "$what" "$want" "$got"
            [ "$PLATFORM:$how" != windows:file ] ||
                check "$what, if errorlevel" "$want" "$(tr -d '\r ' <"$T/$id.lv" 2>/dev/null)"
            ;;
        esac
        [ ! -s "$T/$id.err" ] || fail "$what: wrote to stderr: $(head -c 300 "$T/$id.err")"
        case $how in closed | full | limit | gone) continue ;; esac
        b=usage
        [ "$args" = - ] || [ "$how" = noargv ] || b=banner
        same=$(cmp -s "$T/$b" "$T/$id.out" && echo yes)
        check "$what: the $b's bytes" yes "${same:-no: $(od -c "$T/$id.out" | head -n 20)}"
    done <"$T/cases"
    finish
}
