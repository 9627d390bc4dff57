#!/usr/bin/env bash
# check_windows_reproducible.sh SOURCE_DIR QT_PREFIX INSTALLER ZIP
# Builds the Windows program and its installer and zip once more, from a copy
# of the source in another folder and a month later by the clock, with the
# same Qt, and compares both packages with INSTALLER and ZIP byte for byte.
# The second build is made on a file system of another kind than the first
# (the sandbox's /tmp is a tmpfs, the checkout on disk), which lists a folder's
# files in another order. On a difference it says which files in them differ.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

source_dir=$(realpath "$1") qt=$2 installer=$(realpath "$3") zip=$(realpath "$4")
source "$(dirname "$0")/source_copy.sh"
work=${TMPDIR:-/tmp}/quenlory-windows-again
hold_folder "$work"
trap 'remove_tree "$work"' EXIT
first_fs=$(stat -f -c %T "$installer") second_fs=$(stat -f -c %T "$work")
if [[ $first_fs == "$second_fs" ]]; then
    echo "FAIL: the first build and $work are both on $first_fs: run this where /tmp is another kind (scripts/debian13.sh run)" >&2
    exit 1
fi
echo "first build on $first_fs, the second on $second_fs"

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
    remove_tree "$work/x1" "$work/x2"
done
exit $(( failures > 0 ))
