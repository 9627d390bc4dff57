#!/usr/bin/env bash
# Builds the Release program and renders its windows into docs/screenshots/
# on a private X server; a second run of the same build gives the same files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQUENLORY_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --parallel "$(nproc)"
python3 scripts/screenshots.py build/release/src/quenlory docs/screenshots
