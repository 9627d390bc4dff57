#!/usr/bin/env bash
# Installs what is missing, builds the Release program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-release.sh
exec build/release/src/quenlory
