#!/usr/bin/env bash
# The Windows program, cross-built and tested under Wine. It runs in Debian 13
# (scripts/debian13.sh run bash scripts/windows.sh), whose mingw-w64, Qt host
# tools and Wine it uses:
#
#  1. builds Qt for Windows once into its cache (scripts/windows-qt.sh), or
#     waits for the build the test command started in the background;
#  2. installs what is missing (mingw-w64, Wine, Ninja, the deb-src entry);
#  3. builds quenlory.exe and its tests with the windows-cross preset and
#     installs the program with the DLLs it loads into build/windows-cross/install;
#  4. runs the unit and widget tests under Wine (offscreen platform) and the
#     Wine journeys of the installed program on a private X server.
#
# Arguments go to CMake's configure step. Environment: QUENLORY_CACHE /
# QUENLORY_WINDOWS_QT (see windows-qt.sh), QUENLORY_JOBS (default 2).
# Elsewhere than in Debian 13 it stops before it installs anything, with the
# command to use instead.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${QUENLORY_JOBS:-2}
if [[ $(. /etc/os-release && echo "$VERSION_CODENAME") != trixie ]]; then
    echo "windows: the Windows program is built in Debian 13; on this machine:" >&2
    echo "    bash scripts/debian13.sh prepare && bash scripts/debian13.sh run bash scripts/windows.sh" >&2
    exit 1
fi
source scripts/lib.sh

started=$(date +%s)
# First Qt: when the test command has started its build in the background,
# this waits for it, package installs included.
QUENLORY_WINDOWS_QT=$(bash scripts/windows-qt.sh)
export QUENLORY_WINDOWS_QT
echo "windows: Qt for Windows in $QUENLORY_WINDOWS_QT ($(( $(date +%s) - started )) s)"
bash scripts/deps.sh --windows

# A build folder configured with another Qt (another cache key) starts afresh:
# CMake keeps the Qt it found first.
cache=build/windows-cross/CMakeCache.txt
if [[ -f $cache ]] && ! grep -qxF "Qt6_DIR:PATH=$QUENLORY_WINDOWS_QT/lib/cmake/Qt6" "$cache"; then
    echo "windows: the build folder was made with another Qt; making it again"
    remove_tree build/windows-cross
fi
# The tests' Wine prefixes live in the build folder and are made once per run,
# each a copy of the model prefix.
remove_tree build/windows-cross/wineprefix build/windows-cross/wineprefix.lock \
    build/windows-cross/wineprefix-fonts build/windows-cross/wineprefix-fonts.lock \
    build/windows-cross/wineprefix-model build/windows-cross/wineprefix-model.lock
cmake --preset windows-cross -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null
cmake --build --preset windows-cross --parallel "$jobs"
cmake --install build/windows-cross >/dev/null
echo "windows: built and installed ($(( $(date +%s) - started )) s)"
ctest --preset windows-cross
echo "windows: tests done ($(( $(date +%s) - started )) s)"
