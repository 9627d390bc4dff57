#!/usr/bin/env bash
# Builds the Release program and renders its windows into docs/screenshots/
# on a private X server; a second run of the same build gives the same files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh    # Xvfb, faketime and the rest of the test tools
bash scripts/build-release.sh
python3 scripts/screenshots.py build/release/src/quenlory docs/screenshots
