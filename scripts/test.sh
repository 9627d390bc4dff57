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
# After the Linux build the three run side by side, each in a lane of its
# own with its output in build/lane-*.log, printed whole when the lane ends:
# much of their time is spent waiting (Wine, X servers, apt), not computing.
# One run at a time in a checkout: a second waits for the first and says so.
# It ends with a table of its stages and how long each took.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
source scripts/lib.sh
checkout_lock "$repo"

cache=${QUENLORY_CACHE:-/var/cache/quenlory}
# The trees are built again at every run, in whichever clone: ccache keeps
# what did not change, with paths taken relative to the checkout.
export CCACHE_DIR=$cache/ccache CCACHE_MAXSIZE=3G CCACHE_BASEDIR=$repo CCACHE_NOHASHDIR=true
launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache

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

# stage NAME: the lane's next stage begins; each lane notes its stages and
# their times in build/stages-LANE.txt for the table at the end.
lane_name=main
stage_started=
stage_name=
stage() {
    local now=$SECONDS
    [[ -z $stage_name ]] || printf '%s\t%s\n' "$stage_name" "$((now - stage_started))" >>"build/stages-$lane_name.txt"
    stage_name=$1 stage_started=$now
    [[ -z $stage_name ]] || echo "== $stage_name"
}
started=$SECONDS
table() {
    local status=$? file
    stage ""
    echo
    echo "Stages of this run (seconds; the lanes after the Linux build ran side by side):"
    for file in build/stages-main.txt build/stages-linux.txt build/stages-sanitizer.txt build/stages-debian13.txt; do
        [[ -f $file ]] && awk -F '\t' '{printf "  %-48s %5s\n", $1, $2}' "$file"
    done
    printf '  %-48s %5s\n' "whole run" "$((SECONDS - started))"
    ((status == 0)) || echo "The run FAILED (exit status $status)"
}

mkdir -p build
rm -f build/stages-*.txt build/lane-*.log
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
lanes=()
stop_all() {
    local pid
    kill -TERM -- "-$qt_job" 2>/dev/null || true
    for pid in "${lanes[@]}"; do kill -TERM -- "-$pid" 2>/dev/null || true; done
    table
}
trap stop_all EXIT

export QT_QPA_PLATFORM=offscreen
# Line tables only (-g1): enough for a backtrace, a fifth less compile time.
# The test command's builds (these, the sanitizer tree, the Debian 13 tree
# and the Windows build) treat a compiler warning as an error; the package
# build does not, as Debian's own flags may warn where ours do not.
configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$launcher"
           "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
stage "Linux: build"
cmake -S . -B build/test "${configure[@]}" >/dev/null
cmake --build build/test --parallel "$(nproc)"
stage ""

linux_lane() {
    stage "Linux: tests"
    ctest --test-dir build/test --output-on-failure --parallel "$(nproc)"
}
sanitizer_lane() {
    stage "Linux: sanitizer build and tests"
    bash scripts/sanitize.sh "$launcher"
}
debian13_lane() {
    # Debian 13: the Linux program with trixie's GCC and Qt (on Debian 13
    # itself the build above was that already).
    if ! $on_trixie; then
        stage "Debian 13: the system"
        prepare13
        stage "Debian 13: build and tests"
        in13 bash -euo pipefail -c '
            cmake -S . -B build/debian13 "$@" >/dev/null
            cmake --build build/debian13 --parallel "$(nproc)"
            ctest --test-dir build/debian13 --output-on-failure --parallel "$(nproc)" --label-exclude "package|install"' \
            _ "${configure[@]}"
    fi
    # The Windows program: cross-built, its tests and journeys run under
    # Wine. scripts/windows-qt.sh waits for the background build of Qt for
    # Windows, or builds it itself if that failed.
    prepare13
    stage "Windows: build and tests under Wine"
    in13 bash scripts/windows.sh "$launcher"
    # Last, when no other command runs in the system (the background build
    # of Qt for Windows is done): its update check waits for every one.
    if ! $on_trixie; then
        stage "Debian 13: checks of its machinery"
        bash tests/scripts/check_debian13.sh
    fi
}
# Each lane is a process group of its own, so that a failure or an interrupt
# stops all of it.
for lane in linux sanitizer debian13; do
    set -m
    (lane_name=$lane stage_name=; trap 'stage ""' EXIT; "${lane}_lane") >"build/lane-$lane.log" 2>&1 &
    set +m
    lanes+=($!)
done
echo "The Linux tests, the sanitizer tree and the Debian 13 and Windows stages run side by side: build/lane-*.log"
failed=()
for index in 0 1 2; do
    name=$(echo linux sanitizer debian13 | cut -d' ' -f$((index + 1)))
    status=0
    wait "${lanes[index]}" || status=$?
    echo
    echo "======== $name lane (exit status $status) ========"
    cat "build/lane-$name.log"
    ((status == 0)) || failed+=("$name")
done
lanes=()
if ! wait "$qt_job"; then
    echo "The background preparation of Debian 13 and Qt for Windows failed; the end of build/windows-qt.log:"
    tail -n 30 build/windows-qt.log
fi
((${#failed[@]} == 0)) || { echo "Failed lanes: ${failed[*]}"; exit 1; }
