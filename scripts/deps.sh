#!/bin/sh
# Installs with apt-get the Debian packages that a step needs and that this
# machine lacks; does nothing when all are there.
#   sh scripts/deps.sh build|test
set -eu

case ${1:-} in
build) need="cmake g++ make" ;;
test) need="cmake g++ make googletest faketime strace" ;;
*)
    echo "usage: sh scripts/deps.sh build|test" >&2
    exit 2
    ;;
esac

installed() {
    dpkg-query -W -f '${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=
for p in $need; do
    installed "$p" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=
elif command -v sudo >/dev/null; then
    as_root=sudo
else
    echo "missing packages:$missing; run as root to install them" >&2
    exit 1
fi
echo "installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -q
# shellcheck disable=SC2086
$as_root apt-get install -y -q --no-install-recommends $missing
