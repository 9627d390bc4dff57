#!/usr/bin/env bash
# check_reproducible.sh SOURCE_DIR DEB
# Builds the .deb once more, from a copy of the source in another folder, on
# another kind of file system where there is one, and a month later by the
# clock (faketime), and compares it with DEB byte for byte. On a difference it says which members and files differ.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

source_dir=$(realpath "$1") deb=$(realpath "$2")
# The second build is made on a file system of another kind than the first
# when the machine has one (a tmpfs: it reports folders' sizes and lists
# their files unlike a disk), so that neither can reach the package.
base=${TMPDIR:-/tmp}
if [[ $(stat -f -c %T "$deb") == "$(stat -f -c %T "$base")" && -d /dev/shm && -w /dev/shm ]]; then
    base=/dev/shm
fi
source "$(dirname "$0")/source_copy.sh"
work=$base/quenlory-deb-again
hold_folder "$work"
trap 'remove_tree "$work"' EXIT
echo "first build on $(stat -f -c %T "$deb"), the second on $(stat -f -c %T "$work")"

copy=$work/another/source
copy_source "$source_dir" "$copy"
if ! later bash "$copy/tests/package/build_deb.sh" "$copy" "$work/tree" >"$work/build.log" 2>&1; then
    tail -n 30 "$work/build.log"
    echo "FAIL: the second build failed" >&2
    exit 1
fi
second=$(echo "$work"/tree/packages/*.deb)
if cmp -s "$deb" "$second"; then
    echo "$(basename "$deb"): built again in $copy a month later, byte for byte the same"
    exit 0
fi

echo "FAIL: $deb and its second build differ" >&2
n=0
for package in "$deb" "$second"; do
    mkdir -p "$work/x$((++n))/data" && (cd "$work/x$n" && ar x "$package" && tar -xf data.tar.* -C data && tar -xf control.tar.* -C .)
    ar tv "$package"
    tar -tvf "$work/x$n"/data.tar.* | sort -k6
done > "$work/listings"
diff -r "$work/x1" "$work/x2" >&2 || true
echo "(diffoscope $deb $second shows every difference)" >&2
exit 1
