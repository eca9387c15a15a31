#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's Quick start as a newcomer runs it, as root in a fresh minbase Debian, the caller's
# LANG, a path with a space: the first command ends with the month, the second passes; then
# COMMAND in a clone.  In mmdebstrap's hook: mounts and processes go with its namespaces.
#   [LANG=LOCALE] sh scripts/fresh-root.sh 12|13 [COMMAND]
set -eu
die() { echo "fresh-root: $1" >&2; exit "${2:-1}"; }

# The hook: this script again; its failure fails mmdebstrap.
if [ "${1-}" = --hook ]; then
    root=$2 dir="/root/source tree/korvanex"
    stage() {
        echo "== $1 at $(($(date +%s) - FRESH_ROOT_BEGAN)) s," \
            "the root $(du -smx "$root" 2>/dev/null | cut -f 1) MB"
    }
    stage "root made"
    mkdir -p "$root$dir"
    tar -x -C "$root$dir" -f "$FRESH_ROOT_TMP/source.tar"
    # in_root CMD: a login in the root; pivot_root, as the kernel refuses a chrooted process the
    # user namespaces reprotest makes.
    in_root() {
        # shellcheck disable=SC2016
        unshare --mount --propagation private sh -c 'mount --rbind "$1" "$1" && cd "$1" &&
            mkdir -p .host && pivot_root . .host && umount -l /.host && rmdir /.host && cd "$2" &&
            exec /usr/bin/env -i HOME=/root USER=root LOGNAME=root \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            ${3:+"LANG=$3"} /bin/sh -c "$4"' \
            sh "$root" "$dir" "$FRESH_ROOT_LANG" "$1"
    }
    # FUSE, for the file order reprotest varies.
    if [ -c /dev/fuse ]; then
        touch "$root/dev/fuse"
        mount --bind /dev/fuse "$root/dev/fuse"
    fi
    lang=$FRESH_ROOT_LANG
    [ -z "$lang" ] || in_root "localedef -i ${lang%.*} -f ${lang#*.} $lang"
    recipe=$(cmake -DKIND=raw -DRECIPE=quick-start "-DREADME=$root$dir/README.md" \
        -P "$root$dir/cmake/text.cmake")
    build=$(echo "$recipe" | sed -n 1p) tests=$(echo "$recipe" | sed -n 2p) out=$root/root/first.out
    { [ -n "$tests" ] && [ "$(echo "$recipe" | wc -l)" -eq 2 ]; } ||
        die "no two-line quick-start recipe in README.md"
    echo "== $build"
    before=$(chroot "$root" date +%-m)
    in_root "$build" >"$out" 2>&1 || true
    after=$(chroot "$root" date +%-m)
    cat "$out"
    stage "first command done"
    # The status line last, after the banner's CR LF: a failed build is no January.
    awk -v a="$before" -v b="$after" '{ before = last; last = $0 }
        END { exit !((last == "exit status: " a || last == "exit status: " b) &&
            before ~ /\r$/) }' "$out" ||
        die "the first command did not end in \"exit status: $before\" after the banner"
    echo "== $tests"
    in_root "$tests" </dev/null 2>&1 || die "the second command failed"
    stage "second command done"
    [ -n "$FRESH_ROOT_THEN" ] || exit 0
    dir="/root/clone tree/korvanex"
    mkdir "$root${dir%/*}"
    cp -R "$FRESH_ROOT_TMP/clone" "$root$dir"
    echo "== $FRESH_ROOT_THEN, in a clone"
    in_root "$FRESH_ROOT_THEN" </dev/null 2>&1 || die "$FRESH_ROOT_THEN failed"
    stage "$FRESH_ROOT_THEN done"
    exit 0
fi

case ${1-}:$# in
12:[12]) codename=bookworm ;;
13:[12]) codename=trixie ;;
*) die "usage: [LANG=LOCALE] sh scripts/fresh-root.sh 12|13 [COMMAND]" 2 ;;
esac
[ "$(id -u)" -eq 0 ] || die "run as root (mmdebstrap, mount and chroot need it)"
# The locale is made in the root.
FRESH_ROOT_LANG=${LANG:-}
unset LANG
case $FRESH_ROOT_LANG in C | C.* | POSIX) FRESH_ROOT_LANG= ;; esac
src=$(cd "$(dirname "$0")/.." && pwd)
sh "$src/scripts/deps.sh" fresh-root
. "$src/scripts/prologue.sh"
echo "== fresh root: Debian $codename${FRESH_ROOT_LANG:+, LANG=$FRESH_ROOT_LANG}," \
    "commit $(git -C "$src" rev-parse --short HEAD) (uncommitted changes left out)"
git -C "$src" archive HEAD >"$T/source.tar"
[ -z "${2-}" ] || git clone -q "$src" "$T/clone"
FRESH_ROOT_BEGAN=$(date +%s) TMPDIR=$T
export FRESH_ROOT_BEGAN FRESH_ROOT_LANG FRESH_ROOT_TMP="$T" TMPDIR \
    FRESH_ROOT_SELF="$src/scripts/fresh-root.sh" FRESH_ROOT_THEN="${2-}"
# mmdebstrap stopped with this script by TERM, so that it undoes its mounts (in its namespace
# alone) and ends its processes.
status=0
# shellcheck disable=SC2016
now setpriv --pdeathsig TERM mmdebstrap --mode=unshare --variant=minbase \
    ${FRESH_ROOT_LANG:+--include=locales} --customize-hook='sh "$FRESH_ROOT_SELF" --hook "$1"' \
    "$codename" /dev/null 2>&1 || status=$?
verdict=pass
[ "$status" -eq 0 ] || verdict="fail (mmdebstrap or its hook, status $status)"
echo "fresh-root $codename: $verdict, $(($(date +%s) - FRESH_ROOT_BEGAN)) s"
[ "$status" -eq 0 ]
