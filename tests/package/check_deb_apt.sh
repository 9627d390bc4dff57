#!/usr/bin/env bash
# check_deb_apt.sh DEB VERSION [--debian13]
# Installs the .deb with apt, as a user would, into a bare Debian: the
# minimal system mmdebstrap makes of the machine's own release, from the
# mirror its apt already uses, kept as a tarball in the cache folder so that
# later runs only unpack it; with --debian13, the bare Debian 13 that
# scripts/debian13.sh keeps. The installed program is started on a private
# X server until its window maps; then the package is purged and none of its
# files may be left. Downloaded packages are kept in the cache too, a folder
# for each release.
set -euo pipefail

deb=$(realpath "$1") version=$2
repo=$(cd "$(dirname "$0")/../.." && pwd)
source "$repo/scripts/lib.sh"
cache=${QUENLORY_CACHE:-/var/cache/quenlory}
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
mkdir -p "$cache"
if [[ ${3:-} == --debian13 ]]; then
    tarball=$(bash "$repo/scripts/debian13.sh" minbase)
    archives=$cache/apt-archives-trixie
    [[ $tarball == *trixie* ]] || { echo "FAIL: no Debian 13 tarball from scripts/debian13.sh" >&2; exit 1; }
else
    mirror=$(bash "$repo/scripts/deps.sh" --mirror)
    tarball=$cache/debian-$codename-minbase-$(echo "$mirror" | sha256sum | cut -c1-12).tar.gz
    minbase_tarball "$codename" "$mirror" "$tarball"
    archives=$cache/apt-archives
fi
mkdir -p "$archives/partial"

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    remove_tree "$work"
}
trap cleanup EXIT

root=$work/root
mkdir -p "$root"
tar -C "$root" -xzf "$tarball"
cp "$deb" "$root/tmp/quenlory.deb"
mkdir -p "$root/tmp/.X11-unix"

source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb "$work/xvfb.log"

# Each command runs in the bare system with bubblewrap: its mounts live in a
# namespace of its own and vanish with it, and it ends when this script does.
in_root=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive
         bwrap --bind "$root" / --dev /dev --proc /proc --bind "$archives" /var/cache/apt/archives
         --bind /tmp/.X11-unix /tmp/.X11-unix --unshare-pid --die-with-parent --cap-add ALL --)
# The bare system is thrown away at the end: dpkg need not sync each file.
apt=(apt-get -qq -o APT::Sandbox::User=root -o DPkg::Options::=--force-unsafe-io)
"${in_root[@]}" "${apt[@]}" update </dev/null
"${in_root[@]}" "${apt[@]}" install -y --no-install-recommends /tmp/quenlory.deb </dev/null >/dev/null
"${in_root[@]}" dpkg-query -W -f='${Version}\n' quenlory
"${in_root[@]}" dpkg -L quenlory | while read -r path; do [[ -d $root$path ]] || echo "$path"; done >"$work/files"
echo "installed $(wc -l <"$work/files") files"

# The program itself is the background job (bubblewrap, whose sandbox ends
# with it), so that stopping the job stops the program.
"${in_root[@]}" env DISPLAY="$DISPLAY" HOME=/root quenlory </dev/null >/dev/null 2>&1 &
program=$!
deadline=$((SECONDS + 60))
until xdotool search --onlyvisible --name "^Quenlory v$version\$" >/dev/null 2>&1; do
    if ((SECONDS > deadline)) || ! kill -0 "$program" 2>/dev/null; then
        echo "FAIL: the installed program shows no window" >&2
        exit 1
    fi
    sleep 0.2
done
echo "the installed program shows its window"
kill "$program"
wait "$program" || true
if xdotool search --name "^Quenlory v$version\$" >/dev/null 2>&1; then
    echo "FAIL: the program's window outlives the stopped program" >&2
    exit 1
fi

"${in_root[@]}" "${apt[@]}" purge -y quenlory </dev/null >/dev/null
left=$(while read -r path; do
    if [[ -e $root$path || -L $root$path ]]; then echo "$path"; fi
done <"$work/files")
if [[ -n $left ]]; then
    echo "FAIL: the purge leaves $left" >&2
    exit 1
fi
"${in_root[@]}" dpkg-query -W quenlory >/dev/null 2>&1 && { echo "FAIL: dpkg still knows quenlory" >&2; exit 1; }
echo "purged: none of its files is left"
