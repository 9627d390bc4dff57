#!/usr/bin/env bash
# Installs what building and starting the program needs and is missing (not
# the test tools), builds the Release program and starts it. The build waits
# for a test or release command running in this checkout; the program, once
# started, holds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
(source scripts/lib.sh && checkout_lock "$PWD" && bash scripts/build-release.sh)
exec build/release/src/quenlory
