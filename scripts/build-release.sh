#!/usr/bin/env bash
# Installs what building needs and is missing (scripts/deps.sh --build), and
# builds the Release program in build/release (build/release/src/quenlory),
# without the tests. Further arguments go to
# CMake's configure step, for example -DQUENLORY_SITE_BASE=...
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --build
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQUENLORY_BUILD_TESTS=OFF "$@" >/dev/null
cmake --build build/release --parallel "$(nproc)"
