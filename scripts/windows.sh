#!/usr/bin/env bash
# The Windows program, cross-built here and tested under Wine:
#
#  1. installs what is missing (mingw-w64, Wine, Ninja, the deb-src entry);
#  2. builds Qt for Windows once into its cache (scripts/windows-qt.sh);
#  3. builds quenlory.exe and its tests with the windows-cross preset and
#     installs the program with the DLLs it loads into build/windows-cross/install;
#  4. runs the unit and widget tests under Wine (offscreen platform) and the
#     Wine journeys of the installed program on a private X server.
#
# Environment: QUENLORY_CACHE / QUENLORY_WINDOWS_QT (see windows-qt.sh),
# QUENLORY_JOBS (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${QUENLORY_JOBS:-2}

bash scripts/deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    wine wine64 ninja-build dpkg-dev
started=$(date +%s)
QUENLORY_WINDOWS_QT=$(bash scripts/windows-qt.sh)
export QUENLORY_WINDOWS_QT
echo "windows: Qt for Windows in $QUENLORY_WINDOWS_QT ($(( $(date +%s) - started )) s)"

# The tests' Wine prefix lives in the build folder and is made once per run.
rm -rf build/windows-cross/wineprefix build/windows-cross/wineprefix.lock
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross --parallel "$jobs"
cmake --install build/windows-cross >/dev/null
echo "windows: built and installed ($(( $(date +%s) - started )) s)"
ctest --preset windows-cross
echo "windows: tests done ($(( $(date +%s) - started )) s)"
