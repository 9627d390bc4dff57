#!/usr/bin/env bash
# check_install.sh BUILD_DIR DESKTOP_FILE_VALIDATE APPSTREAMCLI
# Runs cmake --install into a temporary prefix, then checks that every file a
# desktop looks for is in its standard place and that the menu entry and the
# metainfo pass their validators.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

build=$1 validate_desktop=$2 appstream=$3
for tool in "$validate_desktop" "$appstream"; do
    if [[ ! -x $tool ]]; then
        echo "missing validator: $tool (install desktop-file-utils and appstream)" >&2
        exit 1
    fi
done

prefix=$(mktemp -d)
trap 'remove_tree "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

app_id=example.talvane.quenlory
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
binary=$prefix/bin/quenlory

[[ -x $binary ]] || fail "no executable $binary"
[[ -f $desktop ]] || fail "no desktop entry $desktop"
[[ -f $metainfo ]] || fail "no metainfo $metainfo"
[[ -f $prefix/share/icons/hicolor/scalable/apps/quenlory.svg ]] || fail "no scalable icon"
for size in 16 32 48 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/quenlory.png
    if [[ ! -f $png ]]; then
        fail "no ${size} px icon"
        continue
    fi
    # Width and height sit big-endian at bytes 16-23 of a PNG.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [[ "$width $height" == "$size $size" ]] || fail "$png is ${width}x${height}, not ${size}x${size}"
done

if [[ -f $desktop ]]; then
    "$validate_desktop" "$desktop" || fail "desktop-file-validate rejects $desktop"
    # The entry must start what was installed and name the installed icon.
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [[ -x $prefix/bin/$exec_name ]] || fail "Exec=$exec_name is not in $prefix/bin"
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [[ -f $prefix/share/icons/hicolor/scalable/apps/$icon_name.svg ]] || fail "Icon=$icon_name is not installed"
fi
if [[ -f $metainfo ]]; then
    "$appstream" validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $app_id.desktop"
    grep -q "<release version=\"$(sed -n 's/^project(quenlory VERSION \([0-9.]*\).*/\1/p' \
        "$(dirname "$0")/../../CMakeLists.txt")\"" "$metainfo" || fail "metainfo lacks a release of this version"
fi

if ((failures)); then
    echo "$failures problem(s) in the install tree" >&2
    exit 1
fi
echo "install tree under $prefix is complete and valid"
