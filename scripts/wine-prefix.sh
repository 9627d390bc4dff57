#!/usr/bin/env bash
# Prepares a private Wine prefix for the Windows build's tests, once:
#
#   scripts/wine-prefix.sh PREFIX [MODEL]
#
# - a 64-bit prefix without Mono and Gecko (nothing here needs .NET or HTML),
#   its user folders its own rather than links to the host's home;
# - the DejaVu fonts installed as Windows installs fonts: in its Fonts folder
#   and named under the registry's Fonts key, whose list is all that
#   DirectWrite (Qt 6.8's font database) sees of the system's fonts; with
#   Verdana, Tahoma and the dialog fonts substituted by DejaVu Sans for GDI,
#   so the windows and message boxes come out in a sans face as on Windows.
#   (The journeys run the program under a window manager, tests/e2e/harness.py.)
#
# Wine takes about ten seconds to make a prefix. With MODEL, PREFIX is a copy
# of MODEL, a prefix made as above (there first when missing), so that a run
# makes one however many prefixes its tests use.
#
# A stamp file marks a finished prefix; concurrent callers wait for the first.
set -euo pipefail
prefix=$(realpath -m "${1:?usage: wine-prefix.sh PREFIX [MODEL]}")
[[ -f $prefix/.quenlory-ready ]] && exit 0
if [[ -n ${2:-} ]]; then
    model=$(realpath -m "$2")
    bash "$0" "$model"
    mkdir -p "$(dirname "$prefix")"
    exec 8>"$prefix.lock"
    flock 8
    [[ -f $prefix/.quenlory-ready ]] && exit 0
    source "$(dirname "$0")/lib.sh"
    remove_tree "$prefix" "$prefix.part"
    cp -a "$model" "$prefix.part"
    mv "$prefix.part" "$prefix"
    exit 0
fi

mkdir -p "$(dirname "$prefix")"
exec 8>"$prefix.lock"
flock 8
[[ -f $prefix/.quenlory-ready ]] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Prefix creation starts no window; keep it off any X server the caller has.
unset DISPLAY
wineboot --init >/dev/null 2>&1 || true
wineserver --wait
[[ -f $prefix/system.reg ]] || { echo "wine-prefix: wineboot made no prefix in $prefix" >&2; exit 1; }

# Wine links the user's Documents, Desktop, Pictures ... to the host's home
# folder; a test prefix keeps them to itself.
for link in "$prefix"/drive_c/users/*/*; do
    if [[ -L $link ]]; then
        rm "$link"
        mkdir "$link"
    fi
done
cp /usr/share/fonts/truetype/dejavu/*.ttf "$prefix/drive_c/windows/Fonts/"

registry=$(mktemp --suffix=.reg)
trap 'rm -f "$registry"' EXIT
{
    echo 'REGEDIT4'
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]'
    for face in Verdana Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" Arial "Microsoft Sans Serif"; do
        echo "\"$face\"=\"DejaVu Sans\""
    done
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]'
    for file in /usr/share/fonts/truetype/dejavu/*.ttf; do
        echo "\"$(fc-scan --format '%{fullname}' "$file") (TrueType)\"=\"${file##*/}\""
    done
} >"$registry"
wine regedit /S "Z:${registry//\//\\}" >/dev/null 2>&1
wineserver --wait
touch "$prefix/.quenlory-ready"
