#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the README's Quick start as a newcomer would, as root, in a fresh
# minimal Debian root (mmdebstrap's minbase, from the archives this machine's
# apt uses): the source tarball (by default the current commit's files)
# unpacked under a path that holds a space, then its README's two commands
# exactly.  The first must end with the month as its status, the second must
# pass.  mmdebstrap makes the root in namespaces of its own and runs the
# commands from its customize hook, so that its mounts and every process in
# the root go with it; the root itself (format null) is thrown away.
#   sh scripts/fresh-root.sh 12|13|bookworm|trixie [SOURCE.tar.gz]
set -eu
now() { date +%s; }

# The customize hook: mmdebstrap calls this script again with the root.
if [ "${1-}" = --hook ]; then
    root=$2 tmp=$FRESH_ROOT_TMP
    echo "made=$(now)" >"$tmp/result"
    mkdir "$root/root/source tree"
    tar -x -C "$root/root/source tree" -f "$tmp/source.tar"
    top=$(ls "$root/root/source tree")
    tree="$root/root/source tree/$top"
    # in_chroot CMD: as root in the root, with a login's environment.
    in_chroot() {
        chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            /bin/sh -c "cd \"/root/source tree/$top\" && $1"
    }
    awk -v name=quick-start -f "$tree/tests/recipe.awk" "$tree/README.md" >"$tmp/recipe"
    build=$(sed -n 1p "$tmp/recipe") tests=$(sed -n 2p "$tmp/recipe")
    if [ -z "$tests" ] || [ "$(wc -l <"$tmp/recipe")" -ne 2 ]; then
        echo "fresh-root: no two-line quick-start recipe in README.md" >&2
        exit 1
    fi
    verdict=pass
    echo "== $build"
    before=$(chroot "$root" date +%-m)
    in_chroot "$build" >"$tmp/build.out" 2>&1 || true
    echo "built=$(now)" >>"$tmp/result"
    after=$(chroot "$root" date +%-m)
    cat "$tmp/build.out"
    # The status line, last, must follow the banner, whose lines end in
    # CR LF, so that a failed build's own status cannot pass for January's 1.
    awk -v a="$before" -v b="$after" '{ before = last; last = $0 }
        END { exit !((last == "exit status: " a || last == "exit status: " b) && before ~ /\r$/) }' \
        "$tmp/build.out" || {
        echo "fresh-root: the first command did not end in \"exit status: $before\" after the banner"
        verdict=fail
    }
    echo "== $tests"
    if [ "$verdict" = fail ]; then
        echo "(not run: the first command failed)"
    elif ! in_chroot "$tests" </dev/null 2>&1; then
        echo "fresh-root: the second command failed"
        verdict=fail
    fi
    echo "tested=$(now) verdict=$verdict" >>"$tmp/result"
    exit 0
fi

case ${1-}:$# in
12:[12] | bookworm:[12]) codename=bookworm ;;
13:[12] | trixie:[12]) codename=trixie ;;
*)
    echo "usage: sh scripts/fresh-root.sh 12|13|bookworm|trixie [SOURCE.tar.gz]" >&2
    exit 2
    ;;
esac
[ "$(id -u)" -eq 0 ] || {
    echo "fresh-root: run as root (mmdebstrap, mount and chroot need it)" >&2
    exit 1
}
src=$(cd "$(dirname "$0")/.." && pwd)
sh "$src/scripts/deps.sh" fresh-root

# sources CODENAME: this machine's apt entries for its own release (and its
# -updates, -security), one-line, renamed for release CODENAME; other
# vendors' suites left out.
sources() {
    # shellcheck disable=SC1091
    host=$(. /etc/os-release && echo "${VERSION_CODENAME-}")
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ ! -e "$f" ] || awk -v host="$host" -v to="$1" '
            function emit(opts, uris, suites, components,  u, s, nu, ns, i, j, base) {
                nu = split(uris, u, " ")
                ns = split(suites, s, " ")
                for (i = 1; i <= nu; i++)
                    for (j = 1; j <= ns; j++) {
                        base = s[j]
                        sub(/-[a-z]+$/, "", base)
                        if (base == host)
                            print "deb " opts u[i] " " to substr(s[j], length(base) + 1) " " components
                    }
            }
            function flush() {
                if (v["types"] ~ /(^| )deb( |$)/ && tolower(v["enabled"]) != "no")
                    emit(v["signed-by"] ~ /^\// ? "[signed-by=" v["signed-by"] "] " : "",
                        v["uris"], v["suites"], v["components"])
                split("", v)
            }
            FILENAME !~ /\.sources$/ && $1 == "deb" {
                sub(/^deb[ \t]+/, "")
                opts = ""
                if (match($0, /^\[[^]]*\][ \t]+/)) {
                    opts = substr($0, 1, RLENGTH)
                    $0 = substr($0, RLENGTH + 1)
                }
                components = $0
                sub(/^[^ \t]+[ \t]+[^ \t]+[ \t]*/, "", components)
                emit(opts, $1, $2, components)
            }
            FILENAME !~ /\.sources$/ || /^#/ { next }
            /^[ \t]*$/ { flush() }
            /^[A-Za-z-]+:/ { key = tolower($1); sub(/:$/, "", key); sub(/^[^:]*:[ \t]*/, ""); v[key] = $0 }
            END { flush() }' "$f"
    done
}

tmp=$(mktemp -d) job=
mounted() { awk -v r="$tmp" 'index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo; }
cleanup() {
    status=$?
    set +e
    trap - EXIT INT TERM HUP
    # TERM: mmdebstrap undoes its mounts and ends its namespaces, whose
    # processes (a Wine server, a build) die with them.
    [ -z "$job" ] || { kill -TERM "$job" 2>/dev/null && wait "$job"; }
    # Never remove a tree that still holds a mount.
    if [ -n "$(mounted)" ]; then
        echo "fresh-root: still mounted, $tmp left in place:" "$(mounted)" >&2
    else
        rm -rf --one-file-system "$tmp"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

sources "$codename" >"$tmp/sources.list"
[ -s "$tmp/sources.list" ] || {
    echo "fresh-root: no Debian archive found in /etc/apt/sources.list{,.d}" >&2
    exit 1
}
include=
! grep -q ' https://' "$tmp/sources.list" || include=--include=ca-certificates
# apt's proxy, for mmdebstrap's apt and for the root's.
apt-config dump | grep -i '^Acquire::[^ ]*::Proxy ' >"$tmp/proxy.conf" || true
proxy=
[ ! -s "$tmp/proxy.conf" ] || proxy=--aptopt=$tmp/proxy.conf
if [ $# -eq 2 ]; then
    gzip -dc "$2" >"$tmp/source.tar"
    echo "== fresh root: Debian $codename, $2"
else
    git -C "$src" archive --prefix=korvanex/ HEAD >"$tmp/source.tar"
    echo "== fresh root: Debian $codename, commit $(git -C "$src" rev-parse --short HEAD) (uncommitted changes left out)"
fi
began=$(now)
export FRESH_ROOT_TMP="$tmp" FRESH_ROOT_SELF="$src/scripts/fresh-root.sh"
# In the background, so that a signal reaches the trap at once rather than
# when mmdebstrap ends; --pdeathsig stops it should this script be killed.
# shellcheck disable=SC2016,SC2086
TMPDIR=$tmp setpriv --pdeathsig TERM mmdebstrap --mode=unshare --variant=minbase $include $proxy \
    --customize-hook='sh "$FRESH_ROOT_SELF" --hook "$1"' "$codename" /dev/null "$tmp/sources.list" 2>&1 &
job=$!
made='' built='' tested='' verdict='' status=0
wait "$job" || status=$?
job=
# shellcheck disable=SC1091
[ ! -s "$tmp/result" ] || . "$tmp/result"
if [ -z "$made" ] || [ "$status" -ne 0 ]; then
    echo "fresh-root $codename: fail (mmdebstrap, status $status)"
    exit 1
fi
took() { echo "$((($2 - $1) / 60))m$((($2 - $1) % 60))s"; }
echo "== Debian $codename: mmdebstrap $(took "$began" "$made"), first command $(took "$made" "$built")," \
    "second $(took "$built" "$tested"), total $(took "$began" "$(now)")"
echo "fresh-root $codename: $verdict"
[ "$verdict" = pass ]
