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
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The Debian 13 system is brought up to date once per run.
export QUENLORY_RUN_ID=$$-$(date +%s)

# Making the Debian 13 system and building Qt for Windows in it are the
# longest steps of a first run. They run in the background at the lowest
# priority while the Linux builds and tests run, so they take only the
# processor time those leave; the stages that need them wait for them. Once
# made, the job only brings the system up to date and finds Qt cached.
mkdir -p build
echo "Preparing Debian 13 and Qt for Windows in the background: build/windows-qt.log"
# A session of its own makes it a process group that can be stopped as a
# whole. The kernel's autogroups share the processor fairly between
# sessions, so the new session's group is given the lowest priority too.
(exec setsid bash -c 'echo 19 2>/dev/null >/proc/self/autogroup
    bash scripts/debian13.sh prepare >/dev/null &&
    exec nice -n 19 bash scripts/debian13.sh run bash scripts/windows-qt.sh' >build/windows-qt.log 2>&1) &
qt_job=$!
trap 'kill -TERM -- "-$qt_job" 2>/dev/null || true' EXIT

export QT_QPA_PLATFORM=offscreen
# Line tables only (-g1): enough for a backtrace, a fifth less compile time.
# The test command's builds (these, the sanitizer tree and the Windows
# build) treat a compiler warning as an error; the package build does not, as
# Debian's own flags may warn where ours do not.
configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
           "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
cmake -S . -B build/test "${configure[@]}" >/dev/null
cmake --build build/test --parallel "$(nproc)"
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)"
bash scripts/sanitize.sh

# Debian 13: the Linux program with trixie's GCC and Qt (on Debian 13
# itself the build above was that already).
if [[ $(. /etc/os-release && echo "$VERSION_CODENAME") != trixie ]]; then
    echo "debian13: the Linux build and its tests in Debian 13"
    bash scripts/debian13.sh prepare >/dev/null
    bash scripts/debian13.sh run bash -euo pipefail -c '
        cmake -S . -B build/debian13 "$@" >/dev/null
        cmake --build build/debian13 --parallel "$(nproc)"
        ctest --test-dir build/debian13 --output-on-failure --parallel "$(nproc)" --label-exclude "package|install"' \
        _ "${configure[@]}"
fi

# The Windows program: cross-built, its tests and journeys run under Wine.
if ! wait "$qt_job"; then
    echo "The background preparation of Debian 13 and Qt for Windows failed; the end of its log:"
    tail -n 30 build/windows-qt.log
    echo "Trying once more in the foreground."
    bash scripts/debian13.sh prepare >/dev/null
fi
trap - EXIT
bash scripts/debian13.sh run bash scripts/windows.sh
