#!/usr/bin/env bash
# check_deb_apt.sh DEB VERSION [--debian13]
# Installs the .deb with apt, as a user would, into a bare Debian: the
# minimal system debootstrap makes of the machine's own release, from the
# mirror its apt already uses, kept as a tarball in the cache folder so that
# later runs only unpack it; with --debian13, the bare Debian 13 that
# scripts/debian13.sh keeps. The installed program is started on a private
# X server until its window maps; then the package is purged and none of its
# files may be left. Downloaded packages are kept in the cache too, a folder
# for each release.
set -euo pipefail

deb=$(realpath "$1") version=$2
repo=$(cd "$(dirname "$0")/../.." && pwd)
cache=${QUENLORY_CACHE:-/var/cache/quenlory}
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
tarball=$cache/debian-$codename-minbase.tar.gz
archives=$cache/apt-archives
if [[ ${3:-} == --debian13 ]]; then
    tarball=$(bash "$repo/scripts/debian13.sh" minbase)
    archives=$cache/apt-archives-trixie
    [[ $tarball == *trixie* ]] || { echo "FAIL: no Debian 13 tarball from scripts/debian13.sh" >&2; exit 1; }
fi
mkdir -p "$archives/partial"

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [[ ! -f $tarball ]]; then
    mirror=$(bash "$repo/scripts/deps.sh" --mirror)
    echo "Making a minimal $codename from $mirror into $tarball"
    debootstrap --variant=minbase "$codename" "$work/bootstrap" "$mirror" >"$work/debootstrap.log" 2>&1 ||
        { tail -n 20 "$work/debootstrap.log"; exit 1; }
    tar -C "$work/bootstrap" -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
    rm -rf "$work/bootstrap"
fi
root=$work/root
mkdir -p "$root"
tar -C "$root" -xzf "$tarball"
cp "$deb" "$root/tmp/quenlory.deb"

source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb "$work/xvfb.log"

# In a mount namespace of its own, so that the bind mounts go with it. Where
# "/" is no mount point (inside a chroot) its propagation cannot be made
# private, and the mounts are undone by hand at the end.
propagation=private
unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
unshare --mount --propagation "$propagation" bash -euo pipefail -s "$root" "$archives" "$DISPLAY" "$version" <<'INSIDE'
root=$1 archives=$2 display=$3 version=$4
trap 'umount -l "$root/dev/pts" "$root/proc" "$root/tmp/.X11-unix" "$root/var/cache/apt/archives" 2>/dev/null || true' EXIT
mount --bind "$archives" "$root/var/cache/apt/archives"
mkdir -p "$root/tmp/.X11-unix" && mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
mount -t proc proc "$root/proc"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
apt=(apt-get -qq -o APT::Sandbox::User=root)
in_root "${apt[@]}" update
in_root "${apt[@]}" install -y --no-install-recommends /tmp/quenlory.deb >/dev/null
in_root dpkg-query -W -f='${Version}\n' quenlory
in_root dpkg -L quenlory | while read -r path; do [[ -d $root$path ]] || echo "$path"; done >"$root/tmp/files"
echo "installed $(wc -l <"$root/tmp/files") files"

in_root env DISPLAY="$display" HOME=/root quenlory >/dev/null 2>&1 &
program=$!
deadline=$((SECONDS + 60))
until DISPLAY=$display xdotool search --onlyvisible --name "^Quenlory v$version\$" >/dev/null 2>&1; do
    if ((SECONDS > deadline)) || ! kill -0 "$program" 2>/dev/null; then
        echo "FAIL: the installed program shows no window" >&2
        exit 1
    fi
    sleep 0.2
done
echo "the installed program shows its window"
kill "$program"
wait "$program" || true

in_root "${apt[@]}" purge -y quenlory >/dev/null
left=$(while read -r path; do
    if [[ -e $root$path || -L $root$path ]]; then echo "$path"; fi
done <"$root/tmp/files")
if [[ -n $left ]]; then
    echo "FAIL: the purge leaves $left" >&2
    exit 1
fi
in_root dpkg-query -W quenlory >/dev/null 2>&1 && { echo "FAIL: dpkg still knows quenlory" >&2; exit 1; }
echo "purged: none of its files is left"
INSIDE
