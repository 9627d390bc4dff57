#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only when one
# is missing, so a second run costs a dpkg-query and nothing more (apt-get
# update runs only when something has to be installed). Further package
# names given as arguments are checked and installed the same way.
#
#   scripts/deps.sh [--build | --windows] [package ...]
#   scripts/deps.sh --list [--build | --windows]   prints the names, installs nothing
#   scripts/deps.sh --mirror       prints the Debian mirror this machine uses
#   scripts/deps.sh --security     prints the site of its security updates (or nothing)
#
# --build is what building and starting the program needs, nothing more (the
# run command); without it, what the tests need as well. --windows is what
# the Debian 13 system needs (scripts/debian13.sh): the build, the tests that
# run there, and for the Windows build the mingw-w64 cross compilers, Wine,
# NSIS, and a deb-src entry for
# the release's main component (from the mirror the machine's own entry
# names) so that Qt's own source can be fetched.
set -euo pipefail

packages=(
    g++ make cmake                  # compiler and build
    qt6-base-dev qt6-base-dev-tools # Qt 6 Widgets, moc, uic, QtTest
    libgl-dev                       # Qt's CMake files look for OpenGL headers
    fonts-dejavu-core               # the fallback for Verdana
)
test_packages=(
    git                             # the docs check (git ls-files)
    xvfb xauth xdotool xclip x11-utils dbus-daemon python3  # end-to-end tests on a real X server
    openbox                         # a window manager for the journey that needs stacking
    faketime                        # a frozen clock for the screenshots, a shifted one for the packages
    dpkg-dev                        # dpkg-shlibdeps for the .deb, dpkg-source for Qt's source
    ccache                          # the trees built again at every run
    ninja-build                     # builds them (and Qt for Windows)
)
# Only for the tests that run on this machine alone, never in the Debian 13
# system: the .deb's and the install tree's checks, and the Debian 13 system
# itself (a quarter of its packages would be these and what they pull in).
host_test_packages=(
    lintian devscripts              # the .deb: lintian, hardening-check
    desktop-file-utils appstream    # validating the desktop entry and metainfo
    mmdebstrap bubblewrap           # the Debian 13 system and the bare Debians the .deb is installed into
)
windows_packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix  # the cross compilers
    wine wine64                     # runs the Windows program and its tests
    nsis                            # makensis, for the Windows installer
    p7zip-full unzip                # the installer and the zip opened in the tests
    osslsigncode openssl            # Authenticode signing, and the tests' throwaway certificate
    fontconfig                      # fc-scan names the fonts the Wine prefix installs
)
list=false
[[ ${1:-} == --list ]] && { list=true; shift; }
windows=false
case ${1:-} in
    --build) shift ;;
    --windows) shift; windows=true; packages+=("${test_packages[@]}" "${windows_packages[@]}") ;;
    *) packages+=("${test_packages[@]}" "${host_test_packages[@]}") ;;
esac
if $list; then
    printf '%s\n' "${packages[@]}" "$@"
    exit 0
fi

# The site of the machine's own Debian entry for the release's main
# component: where its apt already fetches from. apt lists only the targets
# whose indexes it has fetched.
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
main_site() {
    apt-get indextargets --format '$(SITE) $(RELEASE) $(COMPONENT) $(TARGET_OF)' |
        awk -v suite="${1:-$codename}" '$2 == suite && $3 == "main" && $4 == "deb" {print $1; exit}'
}
mirror() {
    local site
    site=$(main_site)
    [[ -n $site ]] || { apt-get update -qq && site=$(main_site); }
    if [[ -z $site ]]; then
        echo "No Debian entry for $codename main in this machine's apt sources" >&2
        return 1
    fi
    echo "$site"
}
if [[ ${1:-} == --mirror ]]; then
    mirror
    exit
fi
if [[ ${1:-} == --security ]]; then
    mirror >/dev/null
    main_site "$codename-security"
    exit
fi

update=false
if $windows; then
    src_list=/etc/apt/sources.list.d/quenlory-deb-src.sources
    # Read whole: grep -q would stop reading early, and apt-cache's broken
    # pipe would fail the pipeline under pipefail.
    if [[ $'\n'$(apt-cache showsrc qt6-base 2>/dev/null) != *$'\nPackage: qt6-base\n'* ]]; then
        # The source entry follows the mirror this machine already uses.
        site=$(mirror)
        echo "Adding a deb-src entry for $codename main from $site: $src_list"
        cat >"$src_list" <<SOURCES
Types: deb-src
URIs: $site
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
        update=true
    fi
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done

if $update || ((${#missing[@]})); then
    apt-get update -qq
fi
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi
