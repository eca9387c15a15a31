#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's Quick start as a newcomer runs it, as root, in a fresh minimal
# Debian root (mmdebstrap's minbase from deb.debian.org): the source tarball,
# by default the commit's files, unpacked under a path that holds a space,
# then the README's two commands exactly.  The first must end with the month
# as its status, the second must pass.  mmdebstrap runs them from its
# customize hook, in namespaces of its own, so that its mounts and every
# process in the root go with it; the root itself (format null) is dropped.
#   sh scripts/fresh-root.sh 12|13 [SOURCE.tar.gz]
set -eu
now() { date +%s; }

# The customize hook: mmdebstrap calls this script again with the root; a
# failure here fails mmdebstrap.
if [ "${1-}" = --hook ]; then
    root=$2 dir="/root/source tree"
    at() { echo "== $1 at $(($(now) - FRESH_ROOT_BEGAN)) s"; }
    at "root made"
    mkdir "$root$dir"
    tar -x -C "$root$dir" -f "$FRESH_ROOT_TAR"
    dir="$dir/$(ls "$root$dir")"
    # in_root CMD: as root in the root, with a login's environment.
    in_root() {
        chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/sh -c "cd \"$dir\" && $1"
    }
    recipe=$(awk -v name=quick-start -f "$root$dir/tests/recipe.awk" "$root$dir/README.md")
    build=$(echo "$recipe" | sed -n 1p) tests=$(echo "$recipe" | sed -n 2p) out=$root/root/first.out
    if [ -z "$tests" ] || [ "$(echo "$recipe" | wc -l)" -ne 2 ]; then
        echo "fresh-root: no two-line quick-start recipe in README.md"
        exit 1
    fi
    echo "== $build"
    before=$(chroot "$root" date +%-m)
    in_root "$build" >"$out" 2>&1 || true
    after=$(chroot "$root" date +%-m)
    cat "$out"
    at "first command done"
    # The status line, last, must follow the banner, whose lines end in
    # CR LF, so that a failed build's own status cannot pass for January's 1.
    awk -v a="$before" -v b="$after" '{ before = last; last = $0 }
        END { exit !((last == "exit status: " a || last == "exit status: " b) && before ~ /\r$/) }' "$out" || {
        echo "fresh-root: the first command did not end in \"exit status: $before\" after the banner"
        exit 1
    }
    echo "== $tests"
    in_root "$tests" </dev/null 2>&1 || {
        echo "fresh-root: the second command failed"
        exit 1
    }
    at "second command done"
    exit 0
fi

case ${1-}:$# in
12:[12]) codename=bookworm ;;
13:[12]) codename=trixie ;;
*)
    echo "usage: sh scripts/fresh-root.sh 12|13 [SOURCE.tar.gz]" >&2
    exit 2
    ;;
esac
[ "$(id -u)" -eq 0 ] || {
    echo "fresh-root: run as root (mmdebstrap, mount and chroot need it)" >&2
    exit 1
}
src=$(cd "$(dirname "$0")/.." && pwd)
sh "$src/scripts/deps.sh" fresh-root

tmp=$(mktemp -d) job=
cleanup() {
    status=$?
    set +e
    trap - EXIT INT TERM HUP
    # TERM: mmdebstrap undoes its mounts, which only its own namespace sees,
    # and its processes (a Wine server, a build) die with it.
    [ -z "$job" ] || { kill -TERM "$job" 2>/dev/null && wait "$job"; }
    rm -rf --one-file-system "$tmp"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if [ $# -eq 2 ]; then
    gzip -dc "$2" >"$tmp/source.tar"
    echo "== fresh root: Debian $codename, $2"
else
    git -C "$src" archive --prefix=korvanex/ HEAD >"$tmp/source.tar"
    echo "== fresh root: Debian $codename, commit $(git -C "$src" rev-parse --short HEAD) (uncommitted changes left out)"
fi
FRESH_ROOT_BEGAN=$(now)
export FRESH_ROOT_BEGAN FRESH_ROOT_TAR="$tmp/source.tar" FRESH_ROOT_SELF="$src/scripts/fresh-root.sh"
# In the background, so that a signal reaches the trap at once rather than
# when mmdebstrap ends; --pdeathsig stops it should this script be killed.
# shellcheck disable=SC2016
TMPDIR=$tmp setpriv --pdeathsig TERM mmdebstrap --mode=unshare --variant=minbase \
    --customize-hook='sh "$FRESH_ROOT_SELF" --hook "$1"' "$codename" /dev/null 2>&1 &
job=$!
status=0
wait "$job" || status=$?
job=
verdict=pass
[ "$status" -eq 0 ] || verdict="fail (mmdebstrap or its hook, status $status)"
echo "fresh-root $codename: $verdict, $(($(now) - FRESH_ROOT_BEGAN)) s"
[ "$status" -eq 0 ]
