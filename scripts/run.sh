#!/usr/bin/env bash
# Installs what is missing, builds the Release program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQUENLORY_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --parallel "$(nproc)"
exec build/release/src/quenlory
