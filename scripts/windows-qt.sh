#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows from Debian's own qtbase source with the
# mingw-w64 cross compilers, once, into a cache folder outside the repository:
#
#   ${QUENLORY_CACHE:-/var/cache/quenlory}/qt-6.4.2-mingw-<hash>
#
# <hash> covers the configure options, the toolchain file and the patches in
# cmake/qt-patches, so changing any of them builds a new Qt next to the old
# one (incrementally: the build folder is kept per set of options). QUENLORY_WINDOWS_QT names the
# install folder outright (and skips the hashing). A "stamp" file in the
# install folder marks a finished build: a second run only prints the folder.
# Delete the folder (or its stamp) to rebuild. The build folder beside it is
# kept, one per set of configure options, so a rebuild is incremental.
#
#   scripts/windows-qt.sh          builds if needed, prints the install folder
#   scripts/windows-qt.sh --prefix prints the install folder, builds nothing
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

qt_version=6.4.2
toolchain=$repo/cmake/mingw-w64.cmake
jobs=${QUENLORY_JOBS:-2}

# Everything but the install prefix; the hash is taken over these lines.
configure_options=(
    -G Ninja
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    # The bundled third-party code: Debian has no mingw builds of these.
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_doubleconversion=OFF
    # What the program does not use.
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_opengl=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_zstd=OFF
    -DQT_FEATURE_qmake=OFF
    # Every text the program draws is English and a name is capitals A to Z,
    # so Qt's own shaping (as with QFont::PreferNoShaping) does; HarfBuzz
    # would be a tenth of the build.
    -DFEATURE_harfbuzz=OFF
    # Image formats: the program's pictures are compiled in, and it decodes
    # no image file.
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    # Widgets, dialogs and text formats no window of the program has.
    -DFEATURE_graphicsview=OFF
    -DFEATURE_mdiarea=OFF
    -DFEATURE_dockwidget=OFF
    -DFEATURE_calendarwidget=OFF
    -DFEATURE_datetimeedit=OFF
    -DFEATURE_colordialog=OFF
    -DFEATURE_fontdialog=OFF
    -DFEATURE_filedialog=OFF
    -DFEATURE_filesystemmodel=OFF
    -DFEATURE_wizard=OFF
    -DFEATURE_inputdialog=OFF
    -DFEATURE_progressdialog=OFF
    -DFEATURE_errormessage=OFF
    -DFEATURE_lcdnumber=OFF
    -DFEATURE_dial=OFF
    -DFEATURE_keysequenceedit=OFF
    -DFEATURE_undocommand=OFF
    -DFEATURE_columnview=OFF
    -DFEATURE_toolbox=OFF
    -DFEATURE_splashscreen=OFF
    -DFEATURE_syntaxhighlighter=OFF
    -DFEATURE_fontcombobox=OFF
    -DFEATURE_commandlinkbutton=OFF
    -DFEATURE_textbrowser=OFF
    -DFEATURE_movie=OFF
    -DFEATURE_pdf=OFF
    -DFEATURE_textodfwriter=OFF
    -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF
    # Debian's dfsg source drops the wintab header.
    -DFEATURE_tabletevent=OFF
    # Without Direct2D the windows platform plugin misses
    # QWindowsDirectWriteFontDatabase at link time; 1.1 needs newer headers.
    -DFEATURE_direct2d=ON
    -DFEATURE_direct2d1_1=OFF
)

patches=("$repo"/cmake/qt-patches/*.patch)
options_hash=$( { printf '%s\n' "${configure_options[@]}"; cat "$toolchain"; } | sha256sum | cut -c1-12)
hash=$( { printf '%s\n' "${configure_options[@]}"; cat "$toolchain" "${patches[@]}"; } | sha256sum | cut -c1-12)
cache=${QUENLORY_CACHE:-/var/cache/quenlory}
prefix=${QUENLORY_WINDOWS_QT:-$cache/qt-$qt_version-mingw-$hash}

if [[ ${1:-} == --prefix ]]; then
    echo "$prefix"
    exit 0
fi
if [[ -f $prefix/stamp ]]; then
    echo "$prefix"
    exit 0
fi

log() { echo "windows-qt: $*" >&2; }

# --- packages, under the cache's lock ----------------------------------------
mkdir -p "$cache"
exec 9>"$cache/qt-$qt_version-mingw.lock"
if ! flock -n 9; then
    # The test command may have started this build in the background.
    log "waiting for the build of Qt for Windows already under way"
    flock 9
fi
if [[ -f $prefix/stamp ]]; then
    echo "$prefix"
    exit 0
fi
bash "$repo/scripts/deps.sh" --windows >&2

# --- source ----------------------------------------------------------------
source_dir=$cache/qtbase-src-$qt_version
if [[ ! -f $source_dir/.extracted ]]; then
    log "fetching qt6-base's source"
    download=$cache/download
    rm -rf "$download" "$source_dir"
    mkdir -p "$download"
    chmod 777 "$download"   # apt drops to the _apt user for downloading
    (cd "$download" && apt-get source --download-only -qq "qt6-base=$(
        apt-cache showsrc qt6-base | awk '/^Version: 6\.4\.2/ {print $2; exit}')" >&2)
    dpkg-source -x "$download"/qt6-base_*.dsc "$source_dir" >&2
    touch "$source_dir/.extracted"
    rm -rf "$download"
fi
for patch in "${patches[@]}"; do
    # Applied once: a patch that reverses cleanly is in already.
    if ! patch -d "$source_dir" -p1 -R -s -f --dry-run <"$patch" >/dev/null 2>&1; then
        log "applying $(basename "$patch")"
        patch -d "$source_dir" -p1 -s -f <"$patch" >&2
    fi
done

# --- configure, build, install ---------------------------------------------
build_dir=$cache/qt-$qt_version-mingw-$options_hash-build
log "configuring in $build_dir"
start=$(date +%s)
cmake -S "$source_dir" -B "$build_dir" \
    "-DCMAKE_TOOLCHAIN_FILE=$toolchain" "-DCMAKE_INSTALL_PREFIX=$prefix" \
    "${configure_options[@]}" >&2
log "building with $jobs jobs"
cmake --build "$build_dir" --parallel "$jobs" -- -k 0 >&2
cmake --install "$build_dir" >&2
{
    echo "qtbase $qt_version for x86_64-w64-mingw32, built $(date -u +%FT%TZ) in $(( $(date +%s) - start )) s"
    printf '%s\n' "${configure_options[@]}"
} >"$prefix/stamp"
log "installed into $prefix"
echo "$prefix"
