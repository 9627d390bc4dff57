#!/usr/bin/env bash
# build_deb.sh SOURCE_DIR PACKAGE_TREE
# Builds the .deb the way Debian's own tools build a package: the build type
# None, so that the compiler and linker flags are dpkg-buildflags' alone
# (hardening=+all); the source and the build folder mapped out of all that is
# compiled; every member of the package dated to the top entry of
# packaging/deb/changelog (SOURCE_DATE_EPOCH). The same source then gives the
# same bytes in any folder at any time. The program only, no tests; a second
# run rebuilds only what changed. CPack writes PACKAGE_TREE/packages/*.deb.
set -euo pipefail

source_dir=$(realpath "$1") tree=$(realpath -m "$2")
cd "$source_dir"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/deb/changelog -S Timestamp)
export SOURCE_DATE_EPOCH
flags() { dpkg-buildflags --get "$1"; }
# dpkg-buildflags maps the folder it runs in (the source); the build folder
# holds the generated sources (moc, uic, the compiled-in pictures).
maps="-ffile-prefix-map=$source_dir=. -ffile-prefix-map=$tree=."
cmake -S "$source_dir" -B "$tree" -DCMAKE_BUILD_TYPE=None -DQUENLORY_BUILD_TESTS=OFF \
    "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS) $maps" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)" >/dev/null
cmake --build "$tree" --parallel "$(nproc)"
rm -f "$tree"/packages/*.deb
(cd "$tree" && cpack -G DEB)
