#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only when one
# is missing, so a second run costs a dpkg-query and nothing more. Further
# package names given as arguments are checked and installed the same way.
set -euo pipefail

packages=(
    g++ make cmake                  # compiler and build
    qt6-base-dev qt6-base-dev-tools # Qt 6 Widgets, moc, uic, QtTest
    libgl-dev                       # Qt's CMake files look for OpenGL headers
    fonts-dejavu-core               # the fallback for Verdana
    xvfb xauth xdotool xclip x11-utils dbus-daemon python3  # end-to-end tests on a real X server
    openbox                         # a window manager for the journey that needs stacking
    desktop-file-utils appstream    # validating the desktop entry and metainfo
    faketime                        # a frozen clock for scripts/screenshots.sh
    dpkg-dev lintian                # the .deb: dpkg-shlibdeps for its dependencies, lintian checks it
    nsis                            # makensis, for the Windows installer
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
