#!/usr/bin/env bash
# check_windows_reproducible.sh SOURCE_DIR QT_PREFIX INSTALLER ZIP
# Builds the Windows program and its installer and zip once more, from a copy
# of the source in another folder and a month later by the clock, with the
# same Qt, and compares both packages with INSTALLER and ZIP byte for byte.
# On a difference it says which files in them differ.
set -euo pipefail

source_dir=$(realpath "$1") qt=$2 installer=$(realpath "$3") zip=$(realpath "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/source_copy.sh"
copy=$work/another/source
copy_source "$source_dir" "$copy"
if ! (cd "$copy" && export QUENLORY_WINDOWS_QT=$qt &&
      later cmake --preset windows-cross -DQUENLORY_BUILD_TESTS=OFF &&
      later cmake --build --preset windows-cross --parallel "$(nproc)" &&
      cd build/windows-cross && later cpack) >"$work/build.log" 2>&1; then
    tail -n 30 "$work/build.log"
    echo "FAIL: the second build failed" >&2
    exit 1
fi

failures=0
for first in "$installer" "$zip"; do
    second=$copy/build/windows-cross/packages/$(basename "$first")
    if cmp -s "$first" "$second"; then
        echo "$(basename "$first"): built again in $copy a month later, byte for byte the same"
        continue
    fi
    failures=$((failures + 1))
    echo "FAIL: $first and its second build differ: $(cmp "$first" "$second" | head -n 1)" >&2
    # Which files inside differ (7-Zip opens both the installer and the zip).
    for n in 1 2; do
        package=$first
        [[ $n == 2 ]] && package=$second
        7z x -y -o"$work/x$n" "$package" >/dev/null
        7z l -slt "$package" | grep -E '^(Path|Modified|CRC) = ' > "$work/list$n"
    done
    diff "$work/list1" "$work/list2" >&2 || true
    diff -r --brief "$work/x1" "$work/x2" >&2 || true
    rm -rf "$work/x1" "$work/x2"
done
exit $(( failures > 0 ))
