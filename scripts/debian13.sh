#!/usr/bin/env bash
# A Debian 13 ("trixie") system beside this machine's, for the test command:
# the Linux program is built and tested in it with trixie's compiler and Qt,
# and the Windows program is built in it (its mingw-w64, Qt's host tools and
# Wine are trixie's). It is kept in the cache folder:
#
#   ${QUENLORY_CACHE:-/var/cache/quenlory}/debian-trixie-<key>
#
# made once with mmdebstrap (minbase, with the packages scripts/deps.sh
# names) from the mirror this machine's apt already uses. <key> covers the
# suite, the variant and the archive sites; a new key makes a new system. On
# reuse it is brought up to date with apt, once per run of the test command
# (the run's QUENLORY_RUN_ID is noted in it; without one, at every prepare);
# a dpkg run that was interrupted there is finished first.
# A bare minbase of the same suite is kept as a tarball beside it for the
# package tests.
#
#   scripts/debian13.sh prepare      makes or updates it, prints its folder
#   scripts/debian13.sh minbase      makes the bare tarball if needed, prints its path
#   scripts/debian13.sh run CMD ...  runs CMD as root in it, in the current
#                                    folder, with this repository and the cache
#                                    at the same paths as here
#
# Commands run in it with bubblewrap: its mounts exist only in a namespace of
# its own and vanish with it, however it ends, and every process in it ends
# when the caller does. Its /tmp is a fresh tmpfs. A command in it reads the
# terminal when there is one, else nothing. While commands run in it, it is
# neither made nor updated: an update waits for them, and they wait for an
# update, each saying so.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/lib.sh"
suite=trixie
variant=minbase
cache=${QUENLORY_CACHE:-/var/cache/quenlory}
log() { echo "debian13: $*" >&2; }

mirror=$(bash "$repo/scripts/deps.sh" --mirror)
security=$(bash "$repo/scripts/deps.sh" --security)
key=$(printf '%s\n' "$suite" "$variant" "$mirror" "$security" | sha256sum | cut -c1-12)
root=$cache/debian-$suite-$key
tarball=$cache/debian-$suite-minbase-$key.tar.gz

# Every index the builds need: binaries and sources, point and security
# updates, from the sites this machine's own entries name.
sources() {
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
}

# Runs "$@" in $root. The environment that reaches the command is PATH, HOME,
# LANG and the QUENLORY_*, QT_*, CTEST_*, CCACHE_* and TERM variables, handed down as
# the environment (never as arguments, so no secret shows in a process list);
# files the QUENLORY_SIGN_* variables name are bound in read-only at their
# own paths.
run_inside() {
    local binds=() name here=$PWD
    for name in $(compgen -e); do
        case $name in
            QUENLORY_SIGN_*) [[ -f ${!name} ]] && binds+=(--ro-bind "$(realpath "${!name}")" "$(realpath "${!name}")") ;;
        esac
    done
    [[ -t 0 ]] || exec </dev/null
    (
        for name in $(compgen -e); do
            case $name in QUENLORY_* | QT_* | CTEST_* | CCACHE_* | TERM) ;; *) unset "$name" ;; esac
        done
        export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root LANG=C.UTF-8 \
            DEBIAN_FRONTEND=noninteractive
        exec bwrap --bind "$root" / --dev-bind /dev /dev --proc /proc --ro-bind /sys /sys \
            --perms 1777 --tmpfs /tmp --ro-bind /etc/resolv.conf /etc/resolv.conf \
            --bind "$cache" "$cache" --bind "$repo" "$repo" "${binds[@]}" \
            --unshare-pid --unshare-ipc --die-with-parent --cap-add ALL --chdir "$here" -- "$@"
    )
}

# A dpkg run that was stopped (the test command interrupted during an
# upgrade, say) is finished before anything else is done in the system.
repair_dpkg() {
    if [[ -n $(run_inside dpkg --audit 2>&1) ]] || compgen -G "$root/var/lib/dpkg/updates/[0-9]*" >/dev/null; then
        log "dpkg was interrupted in $root: finishing its work (dpkg --configure -a, apt-get -f install)"
        run_inside dpkg --configure -a
        run_inside apt-get install -f -y -qq -o DPkg::Lock::Timeout=600
    fi
}

make_system() {
    local part=$root.part
    log "making $root from $mirror (mmdebstrap --variant=$variant)"
    remove_tree "$root" "$part"
    sources >"$cache/debian-$suite-$key.sources"
    # apt's downloads run as root: the sandbox user cannot write into the
    # bind-mounted folders; no translations, no recommends. No manual pages,
    # message catalogues or documents but the copyrights (the Windows
    # package ships the mingw-w64 run time's): a fifth fewer files to
    # unpack. dpkg does not sync each file while the system is made (a
    # half-made system is never used, and a made one is synced at the end).
    local packages
    packages=$(bash "$repo/scripts/deps.sh" --list --windows | paste -sd,)
    if ! with_few_fds mmdebstrap --mode=unshare --variant="$variant" --include="$packages" \
            --aptopt='APT::Sandbox::User "root"' --aptopt='APT::Install-Recommends "false"' \
            --aptopt='Acquire::Languages "none"' --aptopt='Acquire::Retries "3"' --skip=cleanup/apt/lists \
            --dpkgopt='path-exclude=/usr/share/man/*' --dpkgopt='path-exclude=/usr/share/locale/*' \
            --dpkgopt='path-include=/usr/share/locale/locale.alias' --dpkgopt='path-exclude=/usr/share/doc/*' \
            --dpkgopt='path-include=/usr/share/doc/*/copyright' --dpkgopt='force-unsafe-io' \
            "$suite" "$part" "$cache/debian-$suite-$key.sources" >"$root.log" 2>&1; then
        log "making the system failed; the end of $root.log:"
        grep -v '^I: \|^Get:' "$root.log" | tail -n 30 >&2
        remove_tree "$part"
        return 1
    fi
    rm -f "$part/etc/apt/sources.list" "$part"/etc/apt/sources.list.d/0000*
    sources >"$part/etc/apt/sources.list.d/debian.sources"
    printf '%s\n' 'APT::Sandbox::User "root";' 'APT::Install-Recommends "false";' \
        'Acquire::Languages "none";' >"$part/etc/apt/apt.conf.d/90quenlory"
    sed -i '/^force-unsafe-io$/d' "$part/etc/dpkg/dpkg.cfg.d/99mmdebstrap"
    sync -f "$part"
    touch "$part/.complete"
    mv "$part" "$root"
}

update_system() {
    log "bringing $root up to date"
    repair_dpkg
    { run_inside apt-get update -qq &&
        run_inside apt-get upgrade -y -qq -o DPkg::Lock::Timeout=600 &&
        run_inside bash "$repo/scripts/deps.sh" --windows; } >"$root.log" 2>&1 ||
        { tail -n 30 "$root.log" >&2; exit 1; }
}

current() {
    [[ -f $root/.complete && -n ${QUENLORY_RUN_ID:-} &&
        $(cat "$root/.updated" 2>/dev/null) == "$QUENLORY_RUN_ID" ]]
}

prepare() {
    mkdir -p "$cache"
    lock 8 "$root.lock" shared "the $suite system being made or updated"
    if ! current; then
        # Made or updated under the lock alone: no command runs in it then.
        lock 8 "$root.lock" "the commands running in the $suite system to end before it is updated"
        if [[ ! -f $root/.complete ]]; then
            make_system
        elif ! current; then
            update_system
        fi
        echo "${QUENLORY_RUN_ID:-}" >"$root/.updated"
    fi
    exec 8>&-
    echo "$root"
}

case ${1:-} in
    prepare) prepare ;;
    minbase)
        mkdir -p "$cache"
        minbase_tarball "$suite" "$mirror" "$tarball"
        echo "$tarball"
        ;;
    run)
        shift
        (($#)) || { echo "usage: scripts/debian13.sh run CMD ..." >&2; exit 2; }
        lock 8 "$root.lock" shared "the $suite system being made or updated"
        [[ -f $root/.complete ]] || { log "no $suite system yet: scripts/debian13.sh prepare"; exit 1; }
        run_inside "$@"
        ;;
    *) echo "usage: scripts/debian13.sh prepare | minbase | run CMD ..." >&2; exit 2 ;;
esac
