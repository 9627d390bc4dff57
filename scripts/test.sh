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
# They run side by side in lanes (below), all from the start; the Linux
# tests after the Linux build, the checks of the Debian 13 system's
# machinery after the Windows tests.
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
# New trees are built with Ninja: with the units from the compiler cache,
# Make's own steps cost a sixth of a tree's processor time.
export CMAKE_GENERATOR=Ninja

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
lane_names=(windows linux sanitizer debian13)
started=$SECONDS
table() {
    local status=$? name
    stage ""
    echo
    echo "Stages of this run (seconds; the lanes ran side by side):"
    for name in main "${lane_names[@]}"; do
        [[ -f build/stages-$name.txt ]] && awk -F '\t' '{printf "  %-48s %5s\n", $1, $2}' "build/stages-$name.txt"
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
export QT_QPA_PLATFORM=offscreen
# Line tables only (-g1): enough for a backtrace, a fifth less compile time.
# The test command's builds (these, the sanitizer tree, the Debian 13 tree
# and the Windows build) treat a compiler warning as an error; the package
# build does not, as Debian's own flags may warn where ours do not.
configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$launcher"
           "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")

# The lanes: each runs its stages in order, its output in build/lane-*.log,
# printed whole when it ends; each is a process group of its own, so that a
# failure or an interrupt stops all of it.
#
# The Windows lane is the longest: on a first run it makes the Debian 13
# system and builds Qt for Windows (about half an hour of one core) before
# the Windows program, so it has the processor first, and the Linux build
# next. The other lanes never end last on a first run; on the later ones
# they take longer together than it does, so they run at the lowest priority
# (nice 19, in the same session, so the kernel weighs them against it: at
# 10, the half-dozen compilers of three lanes still took a quarter of the
# processor from its two) and have what those leave.
windows_lane() {
    stage "Windows: Debian 13 and Qt for Windows"
    prepare13
    # Its whole output is in build/windows-qt.log; a failure shows the end.
    if ! in13 bash scripts/windows-qt.sh >build/windows-qt.log 2>&1; then
        echo "Building Qt for Windows failed; the end of build/windows-qt.log:"
        tail -n 30 build/windows-qt.log
        return 1
    fi
    # The Windows program: cross-built, its tests and journeys run under Wine.
    stage "Windows: build and tests under Wine"
    in13 bash scripts/windows.sh "$launcher"
    # Its update check waits for the commands running in the system (the
    # Debian 13 lane's), as any update does.
    if ! $on_trixie; then
        stage "Debian 13: checks of its machinery"
        bash tests/scripts/check_debian13.sh
    fi
}
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
    # itself the Linux build was that already).
    $on_trixie && return 0
    stage "Debian 13: the system"
    prepare13
    stage "Debian 13: build and tests"
    in13 bash -euo pipefail -c '
        cmake -S . -B build/debian13 "$@" >/dev/null
        cmake --build build/debian13 --parallel "$(nproc)"
        ctest --test-dir build/debian13 --output-on-failure --parallel "$(nproc)" --label-exclude "package|install"' \
        _ "${configure[@]}"
}
declare -A lanes=()
start_lane() {
    set -m
    (lane_name=$1 stage_name=
     [[ $1 == windows ]] || renice -n 19 -p "$BASHPID" >/dev/null
     trap 'stage ""' EXIT; "$1_lane") >"build/lane-$1.log" 2>&1 &
    set +m
    lanes[$1]=$!
}
stop_all() {
    local pid
    for pid in "${lanes[@]}"; do kill -TERM -- "-$pid" 2>/dev/null || true; done
    table
}
trap stop_all EXIT

echo "The Windows lane (Debian 13, Qt for Windows, the Windows program), the sanitizer tree and the Debian 13 tree start: build/lane-*.log"
for lane in windows sanitizer debian13; do start_lane "$lane"; done
stage "Linux: build"
cmake -S . -B build/test "${configure[@]}" >/dev/null
cmake --build build/test --parallel "$(nproc)"
stage ""
start_lane linux
echo "The Linux tests run beside them"
failed=()
for name in "${lane_names[@]}"; do
    status=0
    wait "${lanes[$name]}" || status=$?
    echo
    echo "======== $name lane (exit status $status) ========"
    cat "build/lane-$name.log"
    ((status == 0)) || failed+=("$name")
done
lanes=()
((${#failed[@]} == 0)) || { echo "Failed lanes: ${failed[*]}"; exit 1; }
