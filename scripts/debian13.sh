#!/usr/bin/env bash
# A Debian 13 ("trixie") system beside this machine's, for the test command:
# the Linux program is built and tested in it with trixie's compiler and Qt,
# and the Windows program is built in it (its mingw-w64, Qt's host tools and
# Wine are trixie's). It is kept in the cache folder:
#
#   ${QUENLORY_CACHE:-/var/cache/quenlory}/debian-trixie-<key>
#
# made once with debootstrap (minbase) from the mirror this machine's apt
# already uses, with the packages scripts/deps.sh names installed into it.
# <key> covers the suite, the variant and the archive sites; a new key makes a
# new system. On reuse it is brought up to date with apt, once per run of the
# test command (the run's QUENLORY_RUN_ID is noted in it; without one, at
# every prepare).
# A bare minbase of the same suite, as debootstrap made it, is kept as a
# tarball beside it for the package tests.
#
#   scripts/debian13.sh prepare      makes or updates it, prints its folder
#   scripts/debian13.sh minbase      makes the bare tarball if needed, prints its path
#   scripts/debian13.sh run CMD ...  runs CMD as root in it, in the current
#                                    folder, with this repository and the cache
#                                    at the same paths as here
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
suite=trixie
variant=minbase
cache=${QUENLORY_CACHE:-/var/cache/quenlory}
log() { echo "debian13: $*" >&2; }

mirror=$(bash "$repo/scripts/deps.sh" --mirror)
security=$(bash "$repo/scripts/deps.sh" --security)
key=$(printf '%s\n' "$suite" "$variant" "$mirror" "$security" | sha256sum | cut -c1-12)
root=$cache/debian-$suite-$key
tarball=$cache/debian-$suite-minbase.tar.gz

# Runs "$@" inside $root in a mount namespace of its own, so that the bind
# mounts go with it. Where "/" is no mount point (the test command itself in
# a chroot) its propagation cannot be made private, and the mounts are undone
# by hand at the end.
run_inside() {
    local propagation=private
    unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
    cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    # The environment that reaches the commands; files it names (a signing
    # certificate, say) are bound in at the same paths.
    local vars=() files=() name
    for name in $(compgen -e); do
        case $name in QUENLORY_* | QT_* | CTEST_* | TERM) vars+=("$name=${!name}") ;; esac
        case $name in QUENLORY_SIGN_*) [[ -f ${!name} ]] && files+=("$(realpath "${!name}")") ;; esac
    done
    unshare --mount --propagation "$propagation" bash -euo pipefail -s \
        "$root" "$repo" "$cache" "$PWD" "${#vars[@]}" "${vars[@]}" "${#files[@]}" "${files[@]}" "$@" <<'INSIDE'
root=$1 repo=$2 cache=$3 here=$4 count=$5
shift 5
vars=("${@:1:count}")
shift "$count"
count=$1
shift
files=("${@:1:count}")
shift "$count"
mounts=()
bind() { mkdir -p "$root$2"; mount --bind "$1" "$root$2"; mounts=("$root$2" "${mounts[@]}"); }
tmp=
undo() {
    for m in "${mounts[@]}"; do umount -l "$m" 2>/dev/null || true; done
    [[ -z $tmp ]] || rm -rf "$tmp"
}
trap undo EXIT
mount -t proc proc "$root/proc"; mounts=("$root/proc")
bind /dev /dev
bind /dev/pts /dev/pts
bind /dev/shm /dev/shm
bind /sys /sys
# A /tmp of its own on the cache's disk, not in memory: the order in which
# a folder lists its files follows the file system, and the Windows
# packages, built again in /tmp by their test, take their files in that
# order.
tmp=$(mktemp -d "$cache/tmp.XXXXXX")
chmod 1777 "$tmp"
bind "$tmp" /tmp
bind "$cache" "$cache"
bind "$repo" "$repo"
for file in "${files[@]}"; do
    mkdir -p "$root$(dirname "$file")" && touch "$root$file"
    mount --bind "$file" "$root$file"; mounts=("$root$file" "${mounts[@]}")
done
status=0
chroot "$root" env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "${vars[@]}" bash -c 'cd "$1" && shift && exec "$@"' _ "$here" "$@" ||
    status=$?
exit "$status"
INSIDE
}

make_tarball() {
    [[ -f $tarball ]] && return 0
    local work
    work=$(mktemp -d "$cache/debootstrap.XXXXXX")
    log "making a minimal $suite from $mirror (debootstrap --variant=$variant)"
    if ! debootstrap --variant="$variant" "$suite" "$work/root" "$mirror" >"$work/log" 2>&1; then
        tail -n 20 "$work/log" >&2
        rm -rf "$work"
        return 1
    fi
    tar -C "$work/root" -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
    rm -rf "$work"
}

prepare() {
    mkdir -p "$cache"
    bash "$repo/scripts/deps.sh" debootstrap >&2
    exec 8>"$root.lock"
    if ! flock -n 8; then
        log "waiting for the $suite system already being made or updated"
        flock 8
    fi
    if [[ ! -f $root/.complete ]]; then
        exec 7>"$tarball.lock"
        flock 7
        make_tarball
        exec 7>&-
        log "unpacking it into $root"
        rm -rf "$root"
        mkdir -p "$root"
        tar -C "$root" -xzf "$tarball"
        # Every index the builds need: binaries and sources, point and
        # security updates, from the sites this machine's own entries name.
        {
            echo "Types: deb deb-src"
            echo "URIs: $mirror"
            echo "Suites: $suite $suite-updates"
            echo "Components: main"
            echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
            if [[ -n $security ]]; then
                echo
                echo "Types: deb deb-src"
                echo "URIs: $security"
                echo "Suites: $suite-security"
                echo "Components: main"
                echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
            fi
        } >"$root/etc/apt/sources.list.d/debian.sources"
        rm -f "$root/etc/apt/sources.list"
        # apt's downloads run as root: the sandbox user cannot write into
        # the bind-mounted folders; no translations, no recommends.
        cat >"$root/etc/apt/apt.conf.d/90quenlory" <<'CONF'
APT::Sandbox::User "root";
APT::Install-Recommends "false";
Acquire::Languages "none";
CONF
        run_inside apt-get update -qq >&2
        run_inside bash "$repo/scripts/deps.sh" --windows >"$root.log" 2>&1 ||
            { tail -n 30 "$root.log" >&2; exit 1; }
        touch "$root/.complete"
    elif [[ -z ${QUENLORY_RUN_ID:-} || $(cat "$root/.updated" 2>/dev/null) != "$QUENLORY_RUN_ID" ]]; then
        log "bringing $root up to date"
        run_inside apt-get update -qq >&2
        { run_inside apt-get upgrade -y -qq -o DPkg::Lock::Timeout=600 &&
            run_inside bash "$repo/scripts/deps.sh" --windows; } >"$root.log" 2>&1 ||
            { tail -n 30 "$root.log" >&2; exit 1; }
    fi
    echo "${QUENLORY_RUN_ID:-}" >"$root/.updated"
    exec 8>&-
    echo "$root"
}

case ${1:-} in
    prepare) prepare ;;
    minbase)
        mkdir -p "$cache"
        exec 7>"$tarball.lock"
        flock 7
        make_tarball
        echo "$tarball"
        ;;
    run)
        shift
        [[ -f $root/.complete ]] || { log "no $suite system yet: scripts/debian13.sh prepare"; exit 1; }
        run_inside "$@"
        ;;
    *) echo "usage: scripts/debian13.sh prepare | minbase | run CMD ..." >&2; exit 2 ;;
esac
