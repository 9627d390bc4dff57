#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless:
#
#  1. the Linux program on this machine's Debian, with its unit, widget,
#     end-to-end and package tests, and again with the sanitizers;
#  2. the same program in Debian 13 (scripts/debian13.sh), when this machine
#     runs another release: built with its compiler and Qt, unit, widget and
#     end-to-end tests;
#  3. the Windows program, cross-built in Debian 13 against Qt for Windows
#     from Debian 13's source, its tests, journeys and packages under Wine.
#
# One run at a time in a checkout: a second waits for the first and says so.
# It ends with a table of its stages and how long each took.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
source scripts/lib.sh
checkout_lock "$repo"

cache=${QUENLORY_CACHE:-/var/cache/quenlory}
# The trees are built again at every run: ccache keeps what did not change.
export CCACHE_DIR=$cache/ccache CCACHE_MAXSIZE=2G
launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache

stages=()
started=$SECONDS
stage_started=$SECONDS
stage() {
    ((${#stages[@]} == 0)) || stages[-1]+=" $((SECONDS - stage_started))"
    stage_started=$SECONDS
    stages+=("$1")
    echo "== $1"
}
table() {
    local status=$? line
    ((${#stages[@]} == 0)) || stages[-1]+=" $((SECONDS - stage_started))"
    echo
    echo "Stages of this run (seconds):"
    for line in "${stages[@]}"; do
        printf '  %-44s %5s\n' "${line% *}" "${line##* }"
    done
    printf '  %-44s %5s\n' "whole run" "$((SECONDS - started))"
    ((status == 0)) || echo "The run FAILED (exit status $status) in the stage: ${stages[-1]% *}"
}

# On Debian 13 itself the Debian 13 stages run on this machine; elsewhere in
# the Debian 13 system scripts/debian13.sh keeps.
if [[ $(. /etc/os-release && echo "$VERSION_CODENAME") == trixie ]]; then
    on_trixie=true
    prepare13() { :; }
    in13() { "$@"; }
else
    on_trixie=false
    prepare13() { bash scripts/debian13.sh prepare >/dev/null; }
    in13() { bash scripts/debian13.sh run "$@"; }
fi

stage "packages"
bash scripts/deps.sh
mkdir -p "$CCACHE_DIR"
# The Debian 13 system is brought up to date once per run.
export QUENLORY_RUN_ID=$$-$(date +%s)

# Making the Debian 13 system and building Qt for Windows in it are the
# longest steps of a first run. They run in the background at the lowest
# priority while the Linux builds and tests run, so they take only the
# processor time those leave; the stages that need them wait for them. Once
# made, the job only brings the system up to date and finds Qt cached.
echo "Preparing Debian 13 and Qt for Windows in the background: build/windows-qt.log"
# A session of its own makes it a process group that can be stopped as a
# whole. The kernel's autogroups share the processor fairly between
# sessions, so the new session's group is given the lowest priority too.
(export -f prepare13 in13
 exec setsid bash -c 'echo 19 2>/dev/null >/proc/self/autogroup
    prepare13 && in13 nice -n 19 bash scripts/windows-qt.sh' >build/windows-qt.log 2>&1) &
qt_job=$!
trap 'kill -TERM -- "-$qt_job" 2>/dev/null || true; table' EXIT

export QT_QPA_PLATFORM=offscreen
# Line tables only (-g1): enough for a backtrace, a fifth less compile time.
# The test command's builds (these, the sanitizer tree and the Windows
# build) treat a compiler warning as an error; the package build does not, as
# Debian's own flags may warn where ours do not.
configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$launcher"
           "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
stage "Linux: build"
cmake -S . -B build/test "${configure[@]}" >/dev/null
cmake --build build/test --parallel "$(nproc)"
stage "Linux: tests"
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)"
stage "Linux: sanitizer build and tests"
bash scripts/sanitize.sh "$launcher"

# Debian 13: the Linux program with trixie's GCC and Qt (on Debian 13
# itself the build above was that already).
if ! $on_trixie; then
    stage "Debian 13: the system"
    prepare13
    bash tests/scripts/check_debian13.sh
    stage "Debian 13: build and tests"
    bash scripts/debian13.sh run bash -euo pipefail -c '
        cmake -S . -B build/debian13 "$@" >/dev/null
        cmake --build build/debian13 --parallel "$(nproc)"
        ctest --test-dir build/debian13 --output-on-failure --parallel "$(nproc)" --label-exclude "package|install"' \
        _ "${configure[@]}"
fi

# The Windows program: cross-built, its tests and journeys run under Wine.
stage "Windows: waiting for Qt for Windows"
if ! wait "$qt_job"; then
    echo "The background preparation of Debian 13 and Qt for Windows failed; the end of its log:"
    tail -n 30 build/windows-qt.log
    echo "Trying once more in the foreground."
    prepare13
fi
stage "Windows: build and tests under Wine"
in13 bash scripts/windows.sh "$launcher"
