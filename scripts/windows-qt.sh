#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian 13's own qtbase source, with
# Debian's patches, with the mingw-w64 cross compilers, once, into a cache
# folder outside the repository:
#
#   ${QUENLORY_CACHE:-/var/cache/quenlory}/qt-<version>-mingw-<key>
#
# The source is the revision of qt6-base that the installed Qt host tools
# (qt6-base-dev-tools, moc, rcc and uic, which must be of the same version)
# were built from: one source package, so the two always agree, and when
# Debian publishes a new revision (a security fix) the next run builds it,
# and says so. <key> covers everything that decides the DLLs: that source
# revision, the cross compiler's and the mingw-w64 run time's package
# versions, the configure options, the toolchain file and the patches in
# cmake/qt-patches.
# Each key gets a fresh unpack of the source with its patches applied and a
# build folder of its own beside the install folder; a "stamp" file in the
# install folder marks a finished build, and a second run only prints the
# folder. QUENLORY_WINDOWS_QT names the install folder outright (and skips
# the key). Delete the install folder (or its stamp) to rebuild.
#
# The install also holds what the program ships beside the DLLs:
# share/quenlory-qt-build/ has what it takes to build the same DLLs again
# (the source package's version, the compilers, the options, the toolchain
# file and the patches) and licenses/, Qt's licences and the notices of the
# third-party code compiled into the DLLs (scripts/qt-notices.py).
#
#   scripts/windows-qt.sh          builds if needed, prints the install folder
#   scripts/windows-qt.sh --prefix prints the install folder, builds nothing
#   scripts/windows-qt.sh --source prints the source it builds (qt6-base=REVISION)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/lib.sh"

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
    # Fewer, larger units: a third of the compile time.
    -DQT_UNITY_BUILD=ON
    # Qt 6.8's libraries are a quarter larger than 6.4's at -O2; compiled
    # for size (-Os) they keep the installer under 7 MB.
    -DFEATURE_optimize_size=ON
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
    # ... and further widgets, views and services no window uses, which
    # keep the installer under 7 MB. (Not the slider: Qt's scroll bar and so
    # every scroll area, text box and list depend on it.)
    -DFEATURE_treewidget=OFF
    -DFEATURE_tablewidget=OFF
    -DFEATURE_listwidget=OFF
    -DFEATURE_treeview=OFF
    -DFEATURE_tableview=OFF
    -DFEATURE_datawidgetmapper=OFF
    -DFEATURE_tabwidget=OFF
    -DFEATURE_tabbar=OFF
    -DFEATURE_statusbar=OFF
    -DFEATURE_sizegrip=OFF
    -DFEATURE_progressbar=OFF
    -DFEATURE_spinbox=OFF
    -DFEATURE_splitter=OFF
    -DFEATURE_rubberband=OFF
    -DFEATURE_formlayout=OFF
    -DFEATURE_whatsthis=OFF
    -DFEATURE_systemtrayicon=OFF
    -DFEATURE_sessionmanager=OFF
    -DFEATURE_picture=OFF
    -DFEATURE_filesystemwatcher=OFF
    -DFEATURE_sharedmemory=OFF
    -DFEATURE_systemsemaphore=OFF
    -DFEATURE_permissions=OFF
    -DFEATURE_sortfilterproxymodel=OFF
    -DFEATURE_transposeproxymodel=OFF
    -DFEATURE_concatenatetablesproxymodel=OFF
    -DFEATURE_jalalicalendar=OFF
    -DFEATURE_islamiccivilcalendar=OFF
    -DFEATURE_mimetype_database=OFF
    -DFEATURE_imageformat_ppm=OFF
    -DFEATURE_imageformat_xbm=OFF
    # The program draws with a style of its own, made from Fusion, which is
    # built into Qt Widgets: no style sheet, and the Vista and Windows 11
    # styles' plugin would never be loaded.
    -DFEATURE_style_stylesheet=OFF
    -DFEATURE_style_windowsvista=OFF
    -DFEATURE_style_windows11=OFF
    # Debian's dfsg source drops the wintab header.
    -DFEATURE_tabletevent=OFF
    # Without Direct2D the windows platform plugin misses
    # QWindowsDirectWriteFontDatabase at link time; 1.1 needs newer headers.
    -DFEATURE_direct2d=ON
    -DFEATURE_direct2d1_1=OFF
)

if [[ -n ${QUENLORY_WINDOWS_QT:-} && ${1:-} == --prefix ]]; then
    echo "$QUENLORY_WINDOWS_QT"
    exit 0
fi
log() { echo "windows-qt: $*" >&2; }

# The compilers' versions are part of the key, so the packages come first
# (a dpkg-query each when they are there).
if [[ ${1:-} != --prefix && ${1:-} != --source ]]; then
    bash "$repo/scripts/deps.sh" --windows >&2
fi
# Qt's host tools (moc, rcc, uic, ...) must be of the same version as the
# Qt built here: the source is the revision they were built from. They are
# Debian 13's (6.8), so this runs in scripts/debian13.sh's system.
qt_source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools 2>/dev/null || true)
qt_version=${qt_source_version%%[+~-]*}
if [[ ! $qt_version =~ ^6\.([0-9]+)\.[0-9]+$ ]] || ((BASH_REMATCH[1] < 8)); then
    log "Qt's host tools here are ${qt_source_version:-missing}, not Debian 13's 6.8 or newer: run this in Debian 13 (scripts/debian13.sh run ...)"
    exit 1
fi
if [[ ${1:-} == --source ]]; then
    echo "qt6-base=$qt_source_version"
    exit 0
fi
compilers=$(dpkg-query -W -f='${Package} ${Version}\n' \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev 2>/dev/null) || {
    log "the mingw-w64 cross compilers are not installed (scripts/deps.sh --windows)"
    exit 1
}

patches=("$repo"/cmake/qt-patches/*.patch)
key=$( { echo "qt6-base $qt_source_version"; echo "$compilers"
         printf '%s\n' "${configure_options[@]}"; cat "$toolchain" "${patches[@]}"; } |
       sha256sum | cut -c1-12)
cache=${QUENLORY_CACHE:-/var/cache/quenlory}
prefix=${QUENLORY_WINDOWS_QT:-$cache/qt-$qt_version-mingw-$key}

info=$prefix/share/quenlory-qt-build
# The notices of what the DLLs contain, taken from this key's source and
# build folders: a cache made before they were collected gets them added.
write_notices() {
    [[ -f $info/licenses/THIRD-PARTY.txt ]] && return 0
    log "collecting the licence notices"
    python3 "$repo/scripts/qt-notices.py" "$prefix-src" "$prefix-build" "$info/licenses" >&2
}

if [[ ${1:-} == --prefix || ( -f $prefix/stamp && -f $info/licenses/THIRD-PARTY.txt ) ]]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/qt-$qt_version-mingw.lock"
if ! flock -n 9; then
    # The test command may have started this build in the background.
    log "waiting for the build of Qt for Windows already under way"
    flock 9
fi
if [[ -f $prefix/stamp ]]; then
    write_notices
    echo "$prefix"
    exit 0
fi

# --- source: downloaded once per version, unpacked afresh per key ----------
download=$cache/qt6-base-$qt_source_version
if [[ ! -f $download/.complete ]]; then
    built=$(cd "$cache" && compgen -G "qt-*-mingw-*/stamp" | sed 's|/stamp$||' | tr '\n' ' ' || true)
    if [[ -n $built ]]; then
        log "Qt's host tools are now qt6-base $qt_source_version: building Qt for Windows from that revision (built before: $built)"
    fi
    log "fetching qt6-base $qt_source_version's source"
    remove_tree "$download"
    mkdir -p "$download"
    chmod 777 "$download"   # apt drops to the _apt user for downloading
    (cd "$download" && apt-get source --download-only -qq "qt6-base=$qt_source_version" >&2)
    touch "$download/.complete"
fi
# The source folder belongs to this key alone; one that was left half made
# is made again, a finished one is kept so that a stopped build goes on.
source_dir=$prefix-src
if [[ ! -f $source_dir/.patched ]]; then
    remove_tree "$source_dir"
    dpkg-source -x "$download"/qt6-base_*.dsc "$source_dir" >&2
    for patch in "${patches[@]}"; do
        log "applying $(basename "$patch")"
        patch -d "$source_dir" -p1 -s -f <"$patch" >&2
    done
    touch "$source_dir/.patched"
fi

# --- configure, build, install ---------------------------------------------
build_dir=$prefix-build
log "configuring in $build_dir"
start=$(date +%s)
cmake -S "$source_dir" -B "$build_dir" \
    "-DCMAKE_TOOLCHAIN_FILE=$toolchain" "-DCMAKE_INSTALL_PREFIX=$prefix" \
    "${configure_options[@]}" >&2
log "building with $jobs jobs"
cmake --build "$build_dir" --parallel "$jobs" -- -k 0 >&2
cmake --install "$build_dir" >&2

# How these DLLs were made, shipped with the program beside Qt's licence.
mkdir -p "$info/patches"
cp "${patches[@]}" "$info/patches/"
cp "$toolchain" "$info/"
{
    echo "Source: Debian's qt6-base $qt_source_version ($(. /etc/os-release && echo "$VERSION_CODENAME")), unpacked with dpkg-source -x"
    echo "Patches applied on top, in this order: $(cd "$info/patches" && echo *.patch)"
    echo "Compilers:"
    echo "$compilers" | sed 's/^/    /'
    echo "Configured with the toolchain file $(basename "$toolchain") beside this file and:"
    printf '    %s\n' "${configure_options[@]}"
} >"$info/BUILD.txt"
write_notices
{
    echo "qtbase $qt_version for x86_64-w64-mingw32, built $(date -u +%FT%TZ) in $(( $(date +%s) - start )) s"
    cat "$info/BUILD.txt"
} >"$prefix/stamp"
log "installed into $prefix"
echo "$prefix"
