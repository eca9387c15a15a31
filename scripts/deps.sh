#!/bin/sh
# Installs with apt-get what the steps or targets.txt's builds NAME... need and lack here.
set -eu
cd "$(dirname "$0")/.."

# needs NAME: its packages; set -e holds in the command substitution.
needs() {
    case $1 in
    build) echo "cmake g++ make" ;;
    deb)
        build_depends=$(sed -n 's/^Build-Depends: //p' debian/control)
        echo "build-essential git lintian reprotest diffoscope-minimal faketime disorderfs" \
            "$(echo "$build_depends" | sed 's/ *([^)]*)//g; s/,/ /g')"
        ;;
    deb-?*) echo "libc6-dev:${1#deb-}" ;;
    zip) echo "zip jq yq" ;;
    fresh-root) echo "mmdebstrap cmake" ;;
    *)
        packages=$(sh scripts/targets.sh packages -- "^$1 ")
        if [ -z "$packages" ]; then
            echo "usage: sh scripts/deps.sh build|deb|deb-ARCH|zip|fresh-root|NAME..." >&2
            exit 2
        fi
        echo "cmake make $packages" | tr , ' '
        ;;
    esac
}
need=
for name in "${@:-}"; do
    need="$need $(needs "$name")"
done
# shellcheck disable=SC2086
need=" $(printf '%s\n' $need | LC_ALL=C sort -u | tr '\n' ' ')"
if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "scripts/deps.sh: no dpkg or apt-get here;" \
        "install what these Debian packages hold:${need% }" >&2
    exit 1
fi
# shellcheck source=scripts/prologue.sh
. scripts/prologue.sh
root=$([ "$(id -u)" -eq 0 ] || echo sudo)
native=$(dpkg --print-architecture)
# What no installed package is or provides; a file, so that dpkg-query's failure stops this.
dpkg-query -W -f '${db:Status-Abbrev}|${Package}|${Architecture}|${Provides}\n' >"$T/installed"
missing=$(awk -F '|' -v native="$native" -v need="$need" '
    $1 ~ /^.i/ {
        for (i = split($2 "," $4, names, " *, *"); i > 0; i--) {
            sub(/ .*/, "", names[i])
            has[names[i] ":" $3]
            if ($3 == native || $3 == "all") has[names[i]]
        }
    }
    END {
        n = split(need, p, " ")
        for (i = 1; i <= n; i++) if (!(p[i] in has)) printf " %s", p[i]
    }' "$T/installed")
# right/ zones: tzdata up to Debian 12, then tzdata-legacy, asked for once the lists say.
right=
case $need in
*" tzdata "*) [ -e /usr/share/zoneinfo/right/UTC ] || right=tzdata-legacy ;;
esac
[ -n "$missing$right" ] || exit 0
if [ -n "$root" ] && ! command -v sudo >/dev/null; then
    echo "scripts/deps.sh: run as root to install$missing" >&2
    exit 1
fi
echo "installing:$missing${right:+ (and $right where the release has it)}"
# shellcheck disable=SC2086
for arch in $(printf '%s\n' $missing | sed -n 's/.*://p' | LC_ALL=C sort -u); do
    [ "$arch" = "$native" ] || dpkg --print-foreign-architectures | grep -qx "$arch" ||
        $root dpkg --add-architecture "$arch"
done
export DEBIAN_FRONTEND=noninteractive
logged_apt_get() {
    { $root apt-get "$@" 2>&1; echo "$?" >"$T/status"; } | tee "$T/log"
    return "$(cat "$T/status")"
}
# none_from_failed_lists PACKAGE...: none is of an architecture whose lists failed (archs, from
# $T/log); false where the log names none, or all.
none_from_failed_lists() {
    archs=$(sed -n 's/^[EW]: Failed to fetch .*binary-\([a-z0-9]*\)\/.*/\1/p' "$T/log" |
        LC_ALL=C sort -u | paste -s -d ' ' -)
    case " $archs " in "  " | *" all "*) return 1 ;; esac
    for p; do
        case $p in *:*) a=${p##*:} ;; *) a=$native ;; esac
        case " $archs " in *" $a "*) return 1 ;; esac
    done
}
# A mirror in mid-sync serves mismatched or missing files for minutes: four tries.
# shellcheck disable=SC2086
for pause in 60 120 240 stop; do
    archs=
    if logged_apt_get update -q || none_from_failed_lists $missing; then
        if [ -n "$archs" ]; then
            echo "deps.sh: going on without the lists for $archs: nothing missing is from them"
        fi
        if [ -n "$right" ] && apt-cache show "$right" >/dev/null 2>&1; then
            missing="$missing $right" right=
        fi
        logged_apt_get install -y -q --no-install-recommends $missing && exit 0
    fi
    # Not the mirror's doing: apt-get has said why.
    grep -qE '^[EW]: (Failed|Unable) to fetch' "$T/log" || exit 1
    [ "$pause" != stop ] || break
    echo "deps.sh: apt-get failed; trying again in $pause s"
    sleep "$pause"
done
# The builds needing nothing from the failed lists; a file, so that targets.sh's failure stops.
sh scripts/targets.sh name packages >"$T/targets"
others=
while read -r name packages; do
    # shellcheck disable=SC2046
    ! none_from_failed_lists $(echo "$packages" | tr , ' ') || others="$others $name"
done <"$T/targets"
{
    echo "scripts/deps.sh: apt-get failed four times, the last with:"
    grep '^[EW]: ' "$T/log" | head -n 6
    echo "This is the Debian mirror's doing, not the project's: as while it syncs, its lists\
${archs:+ for $archs}
do not match its Release file, or a file is missing; try again in a few minutes.${others:+
Meanwhile the builds that need nothing from those lists: sh scripts/test.sh$others}"
} >&2
exit 1
