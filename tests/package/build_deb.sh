#!/usr/bin/env bash
# build_deb.sh SOURCE_DIR PACKAGE_TREE
# Configures a Release tree of its own with Debian's compiler and linker
# flags (hardened, as dpkg-buildflags gives them to every Debian package),
# builds the program only, no tests, and has CPack make the .deb in
# PACKAGE_TREE/packages. A second run rebuilds only what changed.
set -euo pipefail

source_dir=$1 tree=$2
# From the source folder, so that -ffile-prefix-map maps it to ".".
cd "$source_dir"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
cmake -S "$source_dir" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DQUENLORY_BUILD_TESTS=OFF \
    "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)" >/dev/null
cmake --build "$tree" --parallel 2
rm -f "$tree"/packages/*.deb
(cd "$tree" && cpack -G DEB)
