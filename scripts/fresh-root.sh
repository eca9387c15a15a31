#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the README's Quick start as a newcomer would: in a fresh minimal
# Debian root (debootstrap's minbase, from the mirror this machine's apt
# uses), as root, on the files of the current commit, the two commands
# exactly as README.md has them.  The first must end with the month as its
# status, the second must pass.  Run it as root.  The new root is removed
# however the script ends; killed outright, it leaves the directory, but no
# process or mount (those are in namespaces that die with it).
#   sh scripts/fresh-root.sh 12|13|bookworm|trixie
set -eu

usage() {
    echo "usage: sh scripts/fresh-root.sh 12|13|bookworm|trixie" >&2
    exit 2
}

# Mounts made in a private mount namespace go when its last process does,
# even if this script is killed; the trap below undoes them in any case.
if [ "${1-}" != --private-mounts ]; then
    [ $# -eq 1 ] || usage
    case $1 in
    12 | bookworm) codename=bookworm ;;
    13 | trixie) codename=trixie ;;
    *) usage ;;
    esac
    if [ "$(id -u)" -ne 0 ]; then
        echo "fresh-root: run as root (debootstrap, mount and chroot need it)" >&2
        exit 1
    fi
    sh "$(dirname "$0")/deps.sh" fresh-root
    exec unshare --mount --propagation private sh "$0" --private-mounts "$codename"
fi
codename=$2
src=$(cd "$(dirname "$0")/.." && pwd)

# mirror: the Debian archive that this machine's apt takes its own release
# from (not -security or -updates), in one-line or deb822 sources, by
# codename or by an alias such as stable.
mirror() {
    # shellcheck disable=SC1091
    host=$(. /etc/os-release && echo "${VERSION_CODENAME-}")
    aliases='^(oldstable|stable|testing|unstable)$'
    {
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            awk -v suite="$host" -v aliases="$aliases" '
                $1 == "deb" {
                    sub(/^deb[ \t]+(\[[^]]*\][ \t]+)?/, "")
                    if ($2 == suite || $2 ~ aliases) print $1
                }'
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -e "$f" ] || continue
            awk -v suite="$host" -v aliases="$aliases" '
                function flush(  n, i, s, u) {
                    n = split(suites, s, " ")
                    for (i = 1; i <= n; i++)
                        if ((s[i] == suite || s[i] ~ aliases) && types ~ /(^| )deb( |$)/ && enabled != "no") {
                            split(uris, u, " ")
                            print u[1]
                        }
                    types = uris = suites = enabled = ""
                }
                /^#/ { next }
                /^[ \t]*$/ { flush(); next }
                {
                    key = tolower($1)
                    value = $0
                    sub(/^[^:]*:[ \t]*/, "", value)
                }
                key == "types:" { types = value }
                key == "uris:" { uris = value }
                key == "suites:" { suites = value }
                key == "enabled:" { enabled = tolower(value) }
                END { flush() }' "$f"
        done
    } | head -n 1
}

seconds() { date +%s; }
took() { echo "$(($1 / 60))m$(($1 % 60))s"; }

tmp=$(mktemp -d)
root=$tmp/root
mounts=
job=

# in_root PID: whether that process runs inside the root.
in_root() {
    [ "$(readlink "/proc/$1/root" 2>/dev/null)" = "$root" ]
}
# mounted: mount points at or below the root, as the kernel lists them.
mounted() {
    awk -v r="$root" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo
}
cleanup() {
    status=$?
    set +e
    trap - EXIT INT TERM
    # KILL: a command in the root goes with all its namespace's processes.
    [ -z "$job" ] || kill -9 "$job" 2>/dev/null
    # Whatever still runs in the root (a Wine server, an interrupted build)
    # would keep its mounts busy.
    for round in 1 2; do
        for dir in /proc/[0-9]*; do
            in_root "${dir#/proc/}" && kill -9 "${dir#/proc/}" 2>/dev/null
        done
        [ "$round" = 2 ] || sleep 1
    done
    # Newest first; -R takes any mount made inside (binfmt_misc under /proc).
    for m in $mounts; do
        umount -R "$m" 2>/dev/null || umount -l "$m"
    done
    # Those of an interrupted debootstrap, deepest first.
    mounted | sort -r | while read -r m; do umount -l "$m"; done
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

# run CMD...: in the background, so that a signal reaches the trap at once
# rather than when the command ends (which ignores INT and QUIT in it).
run() {
    "$@" &
    job=$!
    # Forgotten once reaped: its number may go to another process.
    wait "$job" || {
        status=$?
        job=
        return "$status"
    }
    job=
}
mnt() {
    mount "$@"
    eval "mounts=\"\${$#} \$mounts\""
}

url=$(mirror)
if [ -z "$url" ]; then
    echo "fresh-root: no Debian archive found in /etc/apt/sources.list{,.d}" >&2
    exit 1
fi
# debootstrap fetches with wget, which takes apt's proxy from the environment.
for scheme in http https; do
    proxy=$(apt-config shell p "Acquire::$scheme::Proxy" | sed -n "s/^p='\(.*\)'$/\1/p")
    case $proxy in
    *://*) export "${scheme}_proxy=$proxy" ;;
    esac
done
include=
case $url in
https:*) include=--include=ca-certificates ;;
esac

echo "== fresh root: Debian $codename, commit $(git -C "$src" rev-parse --short HEAD)"
[ -z "$(git -C "$src" status --porcelain)" ] ||
    echo "(changes not committed are left out)"
began=$(seconds)
start=$began
mkdir "$root"
chmod 755 "$root"
run debootstrap --variant=minbase $include "$codename" "$root" "$url"
debootstrap_took=$(($(seconds) - start))

cp -L /etc/resolv.conf "$root/etc/resolv.conf"
apt-config dump | grep -i '^Acquire::[^ ]*::Proxy' >"$root/etc/apt/apt.conf.d/01proxy" ||
    rm "$root/etc/apt/apt.conf.d/01proxy"

# What the tests use: /proc (strace, Wine; each command mounts one of its
# own as well, below), pseudo-terminals for script(1), shared memory for
# Wine; a /dev of its own, so that no device of this machine's is reachable
# from the tree that gets removed.
mnt -t proc proc "$root/proc"
mnt -t sysfs -o ro sysfs "$root/sys"
mnt -t tmpfs -o mode=755,nosuid dev "$root/dev"
while read -r name major minor; do
    mknod -m 666 "$root/dev/$name" c "$major" "$minor"
done <<EOF
null 1 3
zero 1 5
full 1 7
random 1 8
urandom 1 9
tty 5 0
EOF
ln -s /proc/self/fd "$root/dev/fd"
ln -s /proc/self/fd/0 "$root/dev/stdin"
ln -s /proc/self/fd/1 "$root/dev/stdout"
ln -s /proc/self/fd/2 "$root/dev/stderr"
mkdir "$root/dev/pts" "$root/dev/shm"
mnt -t devpts -o newinstance,ptmxmode=666,mode=620,gid=5 devpts "$root/dev/pts"
ln -s pts/ptmx "$root/dev/ptmx"
mnt -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"

# Exactly the committed files, as in a clone or the source tarball.
mkdir "$root/root/korvanex"
git -C "$src" archive HEAD | tar -x -C "$root/root/korvanex"

# in_chroot CMD: as root in the root, with a login's environment and the
# signals that run() has ignored back to their defaults.  In a PID namespace
# of its own, whose processes all die with this script even if it is killed
# (the exec makes this script the parent that --pdeathsig watches), with a
# /proc of that namespace, so that a process finds itself there by $$.
in_chroot() {
    exec setpriv --pdeathsig KILL \
        unshare --pid --fork --kill-child --mount-proc="$root/proc" \
        chroot "$root" /usr/bin/env -i --default-signal=INT,QUIT \
        HOME=/root USER=root LOGNAME=root \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/sh -c "cd /root/korvanex && $1"
}
recipe=$(cd "$root/root/korvanex" && awk -v name=quick-start -f tests/recipe.awk README.md)
build=$(echo "$recipe" | sed -n 1p)
tests=$(echo "$recipe" | sed -n 2p)
if [ -z "$build" ] || [ -z "$tests" ]; then
    echo "fresh-root: no two-line quick-start recipe in README.md" >&2
    exit 1
fi

verdict=pass
echo "== $build"
month_before=$(chroot "$root" /usr/bin/env -i date +%-m)
start=$(seconds)
run in_chroot "$build" >"$tmp/build.out" 2>&1 || true
build_took=$(($(seconds) - start))
month_after=$(chroot "$root" /usr/bin/env -i date +%-m)
cat "$tmp/build.out"
# The status line, last, must follow the banner, whose lines end in CR LF,
# so that a failed build's own status cannot pass for January's 1.
if ! awk -v a="$month_before" -v b="$month_after" '
    { before = last; last = $0 }
    END { exit !((last == "exit status: " a || last == "exit status: " b) && before ~ /\r$/) }
    ' "$tmp/build.out"; then
    echo "fresh-root: the first command did not end in \"exit status: $month_before\" after the banner"
    verdict=fail
fi

echo "== $tests"
start=$(seconds)
if [ "$verdict" = pass ]; then
    run in_chroot "$tests" 2>&1 || {
        echo "fresh-root: the second command failed (status $?)"
        verdict=fail
    }
else
    echo "(not run: the first command failed)"
fi
tests_took=$(($(seconds) - start))

# shellcheck disable=SC2016
packages=$(chroot "$root" dpkg-query -W -f '${db:Status-Abbrev}\n' | grep -c '^ii')
echo "== Debian $codename: debootstrap $(took "$debootstrap_took")," \
    "first command $(took "$build_took"), second $(took "$tests_took")," \
    "total $(took $(($(seconds) - began)))," \
    "$packages packages installed at the end"
echo "fresh-root $codename: $verdict"
[ "$verdict" = pass ]
