#!/bin/sh
# Installs with apt-get the Debian packages that some steps or builds need and that this machine lacks.
#   sh scripts/deps.sh NAME...
# NAME is a step (deb-ARCH: the libc of a .deb cross-built for ARCH; fresh-root: a minimal Debian root
# made for the Quick start) or a build of targets.txt, which names its packages.
set -eu
cd "$(dirname "$0")/.."

# needs NAME: the packages for one step (build: the command) or build.
needs() {
    case $1 in
    build) echo "cmake g++ make" ;;
    deb) echo "cmake g++ make git dpkg-dev debhelper lintian groff-base strace tzdata reprotest diffoscope-minimal faketime disorderfs" ;;
    deb-?*) echo "libc6-dev:${1#deb-}" ;;
    zip) echo "zip jq" ;;
    fresh-root) echo "mmdebstrap" ;;
    *)
        packages=$(sh scripts/targets.sh packages -- "^$1 ")
        [ -n "$packages" ] || return 1
        echo "$packages" | tr , ' '
        ;;
    esac
}

usage() {
    echo "usage: sh scripts/deps.sh build|deb|deb-ARCH|zip|fresh-root|NAME..." >&2
    exit 2
}
[ $# -gt 0 ] || usage
need=
for name in "$@"; do
    need="$need $(needs "$name")" || usage
done
# shellcheck disable=SC2086
need=" $(printf '%s\n' $need | sort -u | tr '\n' ' ')"

# Without dpkg and apt-get (not Debian or its kin), what this system needs is the packages named.
if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "scripts/deps.sh: no dpkg or apt-get here; install what these Debian packages hold:${need% }" >&2
    exit 1
fi

# Through sudo where this is not root.
root=$([ "$(id -u)" -eq 0 ] || echo sudo)
missing=
for p in $need; do
    dpkg-query -W -f '${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
# The right/ zones (leap seconds), which the tests read: in tzdata up to Debian 12, in tzdata-legacy
# from Debian 13 on.  Asked for once the package lists say which this release has.
right=
case $need in
*" tzdata "*) [ -e /usr/share/zoneinfo/right/UTC ] || right=tzdata-legacy ;;
esac
if [ -n "$missing$right" ]; then
    [ -z "$root" ] || command -v sudo >/dev/null ||
        { echo "scripts/deps.sh: run as root to install$missing" >&2 && exit 1; }
    echo "installing:$missing${right:+ (and $right where the release has it)}"
    # A package of another architecture (name:arch) needs that architecture known to dpkg first.
    # shellcheck disable=SC2086
    for arch in $(printf '%s\n' $missing | sed -n 's/.*://p' | sort -u); do
        [ "$arch" = "$(dpkg --print-architecture)" ] || dpkg --print-foreign-architectures | grep -qx "$arch" ||
            $root dpkg --add-architecture "$arch"
    done
    export DEBIAN_FRONTEND=noninteractive
    $root apt-get update -q
    if [ -n "$right" ] && apt-cache show "$right" >/dev/null 2>&1; then
        missing="$missing $right"
    fi
    # shellcheck disable=SC2086
    $root apt-get install -y -q --no-install-recommends $missing
fi
