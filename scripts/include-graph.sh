#!/usr/bin/env bash
# Prints the include graph between the folders of src/ as "from -> to" edges,
# one per line, from the #include "folder/..." lines of every source file.
# With --check it prints nothing and fails when an edge goes against the
# layers (a lower layer including an upper one, or one window folder
# including another). A second argument names another source folder than
# this repository's src/.
set -euo pipefail
cd "${2:-$(dirname "$0")/../src}"

# main.cpp, the executable's one file, sits at the top as "main".
edges=$(grep -rE --include='*.h' --include='*.cpp' '^#include "[a-z]+/' . \
    | sed -E -e 's|^\./main\.cpp:|./main/main.cpp:|' \
             -e 's|^\./([a-z]+)/[^:]*:#include "([a-z]+)/.*|\1 -> \2|' \
    | awk '$1 != $3' | sort -u)

if [[ ${1:-} != --check ]]; then
    printf '%s\n' "$edges"
    exit 0
fi

# What each folder may include: the layers its library links, directly or
# through another (src/CMakeLists.txt). platform links Qt alone, and no
# window folder may include another.
allowed() {
    case $1 in
        core|platform|tools) echo "" ;;
        windowkit) echo "platform" ;;
        mainwindow) echo "windowkit platform core" ;;
        resultwindow|aboutbox|exitscreen) echo "windowkit platform" ;;
        app) echo "mainwindow resultwindow aboutbox exitscreen windowkit platform core" ;;
        main) echo "app mainwindow resultwindow aboutbox exitscreen windowkit platform core" ;;
        *) echo unknown ;;
    esac
}
status=0
while read -r from _ to; do
    [[ -z $from ]] && continue
    targets=$(allowed "$from")
    if [[ $targets == unknown || $(allowed "$to") == unknown ]]; then
        echo "a folder without a layer: $from -> $to" >&2
        status=1
    elif [[ " $targets " != *" $to "* ]]; then
        echo "against the layers: $from -> $to" >&2
        status=1
    fi
done <<< "$edges"
exit $status
