#!/usr/bin/env bash
# The include check passes on the sources as they are and fails on copies of
# them that each add one include against the layers.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
top=$(cd "$(dirname "$0")/../.." && pwd)
graph=$top/scripts/include-graph.sh
work=$(mktemp -d)
trap 'remove_tree "$work"' EXIT
failures=0

bash "$graph" --check "$top/src" || { echo "FAIL: the sources themselves"; failures=$((failures + 1)); }

# folder of the including file, then the folder it includes
while read -r from to; do
    remove_tree "$work/src"
    cp -r "$top/src" "$work/src"
    file=$(ls "$work/src/$from"/*.cpp | head -n 1)
    header=$(cd "$top/src/$to" && ls *.h | head -n 1)
    echo "#include \"$to/$header\"" >> "$file"
    if bash "$graph" --check "$work/src" 2>/dev/null; then
        echo "FAIL: $from -> $to passed"
        failures=$((failures + 1))
    fi
done <<'EDGES'
platform core
core platform
windowkit core
resultwindow mainwindow
aboutbox exitscreen
mainwindow app
windowkit mainwindow
EDGES
echo "include graph: $failures failures"
exit $(( failures > 0 ))
