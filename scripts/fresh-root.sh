#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the README's Quick start as a newcomer would: in a fresh minimal
# Debian root (mmdebstrap's minbase, from the Debian archives this machine's
# apt uses), as root, on the source tarball (by default the current commit's
# files) unpacked under a path that holds a space, the two commands exactly
# as its README.md has them.  The first must end with the month as its
# status, the second must pass.  Run it as root.
#   sh scripts/fresh-root.sh 12|13|bookworm|trixie [SOURCE.tar.gz]
# mmdebstrap makes the root in its own mount and PID namespaces and runs the
# commands from its customize hook, so that its mounts and every process in
# the root go with it; the root itself (format null) is thrown away.
set -eu

seconds() { date +%s; }
took() { echo "$(($1 / 60))m$(($1 % 60))s"; }

# The customize hook: mmdebstrap calls this script again with the root.
if [ "${1-}" = --hook ]; then
    root=$2
    tmp=$FRESH_ROOT_TMP
    echo "made=$(seconds)" >"$tmp/result"
    # Under a path with a space, which every script must take.
    tree="$root/root/source tree"
    mkdir "$tree"
    tar -x -C "$tree" -f "$tmp/source.tar"
    top=$(ls "$tree")
    # in_chroot CMD: as root in the root, with a login's environment.
    in_chroot() {
        chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            /bin/sh -c "cd \"/root/source tree/$top\" && $1"
    }
    recipe=$(awk -v name=quick-start -f "$tree/$top/tests/recipe.awk" "$tree/$top/README.md")
    build=$(echo "$recipe" | sed -n 1p)
    tests=$(echo "$recipe" | sed -n 2p)
    if [ -z "$build" ] || [ -z "$tests" ] || [ "$(echo "$recipe" | wc -l)" -ne 2 ]; then
        echo "fresh-root: no two-line quick-start recipe in README.md" >&2
        exit 1
    fi

    verdict=pass
    echo "== $build"
    month_before=$(chroot "$root" /usr/bin/env -i date +%-m)
    in_chroot "$build" >"$tmp/build.out" 2>&1 || true
    echo "built=$(seconds)" >>"$tmp/result"
    month_after=$(chroot "$root" /usr/bin/env -i date +%-m)
    cat "$tmp/build.out"
    # The status line, last, must follow the banner, whose lines end in
    # CR LF, so that a failed build's own status cannot pass for January's 1.
    if ! awk -v a="$month_before" -v b="$month_after" '
        { before = last; last = $0 }
        END { exit !((last == "exit status: " a || last == "exit status: " b) && before ~ /\r$/) }
        ' "$tmp/build.out"; then
        echo "fresh-root: the first command did not end in \"exit status: $month_before\" after the banner"
        verdict=fail
    fi

    echo "== $tests"
    if [ "$verdict" = pass ]; then
        in_chroot "$tests" </dev/null 2>&1 || {
            echo "fresh-root: the second command failed (status $?)"
            verdict=fail
        }
    else
        echo "(not run: the first command failed)"
    fi
    # shellcheck disable=SC2016
    packages=$(chroot "$root" dpkg-query -W -f '${db:Status-Abbrev}\n' | grep -c '^ii')
    echo "tested=$(seconds) packages=$packages verdict=$verdict" >>"$tmp/result"
    exit 0
fi

usage() {
    echo "usage: sh scripts/fresh-root.sh 12|13|bookworm|trixie [SOURCE.tar.gz]" >&2
    exit 2
}
[ $# -eq 1 ] || [ $# -eq 2 ] || usage
case $1 in
12 | bookworm) codename=bookworm ;;
13 | trixie) codename=trixie ;;
*) usage ;;
esac
if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-root: run as root (mmdebstrap, mount and chroot need it)" >&2
    exit 1
fi
self=$(cd "$(dirname "$0")" && pwd)/fresh-root.sh
src=$(cd "$(dirname "$0")/.." && pwd)
sh "$src/scripts/deps.sh" fresh-root

# sources CODENAME: this machine's apt entries for its own release (and its
# -updates, -security), one-line, renamed for release CODENAME.  Entries of
# other suites (other vendors' archives) are left out.
sources() {
    # shellcheck disable=SC1091
    host=$(. /etc/os-release && echo "${VERSION_CODENAME-}")
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources; do
        [ -e "$f" ] || continue
        awk -v host="$host" -v to="$1" '
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
                if (types ~ /(^| )deb( |$)/ && enabled != "no")
                    emit(signed ~ /^\// ? "[signed-by=" signed "] " : "", uris, suites, components)
                types = uris = suites = components = signed = enabled = ""
            }
            FILENAME !~ /\.sources$/ {
                if ($1 != "deb") next
                sub(/^deb[ \t]+/, "")
                opts = ""
                if (match($0, /^\[[^]]*\][ \t]+/)) {
                    opts = substr($0, 1, RLENGTH)
                    $0 = substr($0, RLENGTH + 1)
                }
                components = $0
                sub(/^[^ \t]+[ \t]+[^ \t]+[ \t]*/, "", components)
                emit(opts, $1, $2, components)
                next
            }
            /^#/ { next }
            /^[ \t]*$/ { flush(); next }
            /^[A-Za-z-]+:/ {
                key = tolower($1)
                value = $0
                sub(/^[^:]*:[ \t]*/, "", value)
            }
            key == "types:" { types = value }
            key == "uris:" { uris = value }
            key == "suites:" { suites = value }
            key == "components:" { components = value }
            key == "signed-by:" { signed = value }
            key == "enabled:" { enabled = tolower(value) }
            END { flush() }' "$f"
    done
}

tmp=$(mktemp -d)
job=
# mounted: mount points in the temporary directory, as the kernel lists them.
mounted() {
    awk -v r="$tmp" 'index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo
}
cleanup() {
    status=$?
    set +e
    trap - EXIT INT TERM HUP
    # TERM: mmdebstrap undoes its mounts and ends its namespaces, whose
    # processes (a Wine server, a build) die with them.
    if [ -n "$job" ]; then
        kill -TERM "$job" 2>/dev/null
        wait "$job"
    fi
    # Never remove a tree that still holds a mount.
    if [ -n "$(mounted)" ]; then
        echo "fresh-root: still mounted, $tmp left in place:" >&2
        mounted >&2
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
if [ ! -s "$tmp/sources.list" ]; then
    echo "fresh-root: no Debian archive found in /etc/apt/sources.list{,.d}" >&2
    exit 1
fi
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
    echo "== fresh root: Debian $codename, commit $(git -C "$src" rev-parse --short HEAD)"
    [ -z "$(git -C "$src" status --porcelain)" ] || echo "(changes not committed are left out)"
fi
began=$(seconds)
export FRESH_ROOT_TMP="$tmp" FRESH_ROOT_SELF="$self"
# In the background, so that a signal reaches the trap at once rather than
# when mmdebstrap ends; --pdeathsig stops it should this script be killed.
# shellcheck disable=SC2016,SC2086
TMPDIR=$tmp setpriv --pdeathsig TERM mmdebstrap --mode=unshare \
    --variant=minbase $include $proxy \
    --customize-hook='sh "$FRESH_ROOT_SELF" --hook "$1"' \
    "$codename" /dev/null "$tmp/sources.list" 2>&1 &
job=$!
made='' built='' tested='' packages='' verdict=''
mmdebstrap=0
wait "$job" || mmdebstrap=$?
job=
ended=$(seconds)
# shellcheck disable=SC1091
[ ! -s "$tmp/result" ] || . "$tmp/result"
if [ -z "$made" ] || [ "$mmdebstrap" -ne 0 ]; then
    echo "fresh-root $codename: fail (mmdebstrap, status $mmdebstrap)"
    exit 1
fi
echo "== Debian $codename: mmdebstrap $(took $((made - began)))," \
    "first command $(took $((built - made))), second $(took $((tested - built)))," \
    "root removed in $(took $((ended - tested))), total $(took $((ended - began)))," \
    "$packages packages installed at the end"
echo "fresh-root $codename: $verdict"
[ "$verdict" = pass ]
