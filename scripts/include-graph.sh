#!/usr/bin/env bash
# Prints the include graph between the folders of src/ as "from -> to" edges,
# one per line, from the #include "folder/..." lines of every source file.
# With --check it prints nothing and fails when an edge goes against the
# layers (a lower layer including an upper one, or one window folder
# including another).
set -euo pipefail
cd "$(dirname "$0")/../src"

# main.cpp, the executable's one file, sits at the top as "main".
edges=$(grep -rE --include='*.h' --include='*.cpp' '^#include "[a-z]+/' . \
    | sed -E -e 's|^\./main\.cpp:|./main/main.cpp:|' \
             -e 's|^\./([a-z]+)/[^:]*:#include "([a-z]+)/.*|\1 -> \2|' \
    | awk '$1 != $3' | sort -u)

if [[ ${1:-} != --check ]]; then
    printf '%s\n' "$edges"
    exit 0
fi

# The rank of each folder: an edge must go to a lower rank. The four window
# folders share one rank, so none of them may include another.
rank() {
    case $1 in
        core) echo 0 ;;
        platform|tools) echo 1 ;;
        windowkit) echo 2 ;;
        mainwindow|resultwindow|aboutbox|exitscreen) echo 3 ;;
        app) echo 4 ;;
        main) echo 5 ;;
        *) echo unknown ;;
    esac
}
status=0
while read -r from _ to; do
    [[ -z $from ]] && continue
    from_rank=$(rank "$from")
    to_rank=$(rank "$to")
    if [[ $from_rank == unknown || $to_rank == unknown ]]; then
        echo "a folder without a layer: $from -> $to" >&2
        status=1
    elif (( from_rank <= to_rank )); then
        echo "against the layers: $from -> $to" >&2
        status=1
    fi
done <<< "$edges"
exit $status
