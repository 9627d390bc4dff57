#!/usr/bin/env bash
# Runs a command on a private X server of its own, which ends with it:
#   on-display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"
log=$(mktemp)
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$log"' EXIT
start_xvfb "$log"
status=0
"$@" || status=$?
exit "$status"
