#!/usr/bin/env bash
# Start-up benchmark: time from fork to the main window's first complete
# paint, and resident memory after it, for the program (A), the reference
# program with the main window's look (B) and the plain reference (C), on a
# private X server, interleaved A B C A B C. Twice: with the DejaVu fonts
# alone visible, and with a desktop's large font set, the machine's own fonts
# and Debian's Noto fonts (about 2,500 in all; unpacked from their packages
# into the cache once, not installed, so nothing else on the machine sees
# them), each through a fontconfig file of its own.
#
#     bash bench/run.sh [ROUNDS]     (default 15 per set, after one warm-up round)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-15}
quiet_ms=${QUIET_MS:-250}
# The main window's caption carries the version declared in CMakeLists.txt.
version=$(sed -n 's/^project(quenlory VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
title="Quenlory v$version"

# The helper needs the XCB DAMAGE headers; installed only when missing.
bash scripts/deps.sh libxcb1-dev libxcb-damage0-dev pkg-config fontconfig

build=build/bench
cmake -S . -B $build -DCMAKE_BUILD_TYPE=Release -DQUENLORY_BUILD_TESTS=OFF \
    -DQUENLORY_BUILD_BENCH=ON >/dev/null
cmake --build $build --parallel "$(nproc)" >/dev/null
program=$PWD/$build/src/quenlory
reference=$PWD/$build/bench/quenlory_reference
helper=$PWD/$build/bench/firstpaint

work=$(mktemp -d)
# The per-user runtime folder, where the instance lock lives, is a tmpfs in
# every desktop session (/run/user/UID); the runs get theirs on one too, not
# on the disk under the home folder.
runtime_root=$work
if [[ -d /dev/shm && -w /dev/shm ]]; then
    runtime_root=$(mktemp -d /dev/shm/quenlory-bench.XXXX)
fi
xvfb_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf --one-file-system "$work" "$runtime_root"
}
trap cleanup EXIT

# The two font sets.
noto=${QUENLORY_CACHE:-/var/cache/quenlory}/fonts-noto
if [[ ! -d $noto ]]; then
    mkdir -p "$noto.part"
    (cd "$work" && apt-get download fonts-noto-core fonts-noto-extra fonts-noto-ui-core fonts-noto-ui-extra \
        fonts-noto-mono fonts-noto-cjk >/dev/null)
    for deb in "$work"/fonts-noto*.deb; do dpkg-deb -x "$deb" "$noto.part"; done
    rm -f "$work"/fonts-noto*.deb
    mv "$noto.part" "$noto"
fi
font_set() {   # NAME FOLDER...
    local name=$1 dir
    shift
    {
        echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd"><fontconfig>'
        for dir in "$@"; do echo "<dir>$dir</dir>"; done
        echo "<cachedir>$noto.cache</cachedir><include ignore_missing=\"yes\">/etc/fonts/conf.d</include></fontconfig>"
    } >"$work/fonts-$name.conf"
    FONTCONFIG_FILE=$work/fonts-$name.conf fc-cache >/dev/null 2>&1 || true
}
font_set dejavu /usr/share/fonts/truetype/dejavu
font_set many /usr/share/fonts /usr/local/share/fonts "$noto"

source tests/support/xvfb.sh
start_xvfb "$work/xvfb.log"
unset WAYLAND_DISPLAY SESSION_MANAGER QT_QPA_PLATFORM

# One run: a fresh home, settings and runtime folder and a private session bus.
measure() {
    local home runtime
    home=$(mktemp -d "$work/home.XXXX")
    runtime=$(mktemp -d "$runtime_root/runtime.XXXX")
    mkdir -p "$home/.config"
    # dbus-daemon warns that it cannot raise its file limit; kept out of sight
    # unless the run fails.
    if ! HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$runtime \
        dbus-run-session -- "$helper" "$title" "$quiet_ms" 15000 "$@" 2>"$work/stderr"; then
        cat "$work/stderr" >&2
        exit 1
    fi
    rm -rf --one-file-system "$home" "$runtime"
}

median() { sort -g | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# The rounds and the table, with the fonts of one set.
run_set() {   # NAME DESCRIPTION
    export FONTCONFIG_FILE=$work/fonts-$1.conf
    echo
    echo "$2: $(fc-list | wc -l) fonts"
    echo "warm-up"
    measure "$program" >/dev/null
    measure "$reference" >/dev/null
    measure "$reference" --plain >/dev/null
    : >"$work/results"
    for round in $(seq "$rounds"); do
        a=$(measure "$program")
        b=$(measure "$reference")
        c=$(measure "$reference" --plain)
        echo "$a $b $c" >>"$work/results"
        read -r a_map a_paint a_rss _ <<<"$a"
        read -r b_map b_paint b_rss _ <<<"$b"
        read -r c_map c_paint c_rss _ <<<"$c"
        printf 'round %2d  program %7.2f ms %6d kB  reference %7.2f ms %6d kB  plain %7.2f ms %6d kB\n' \
            "$round" "$a_paint" "$a_rss" "$b_paint" "$b_rss" "$c_paint" "$c_rss"
    done

    # Each result line: map, paint, VmRSS, RssAnon, damage events, CPU time,
    # for A, B, C.
    column() { awk -v c="$1" '{print $c}' "$work/results" | median; }
    ratio() { awk -v a="$1" -v b="$2" '{printf "%.4f\n", $a / $b}' "$work/results" | median; }
    row() {
        printf "%-26s %9.${2}f %10.${2}f %9.${2}f %9.3f %9.3f\n" "$1" "$(column "$3")" "$(column $(($3 + 6)))" \
            "$(column $(($3 + 12)))" "$(ratio "$3" $(($3 + 6)))" "$(ratio "$3" $(($3 + 12)))"
    }
    echo
    printf '%-26s %9s %10s %9s %9s %9s\n' "median of $rounds rounds" program reference plain "A/B" "A/C"
    row "map (ms)" 1 1
    row "first complete paint (ms)" 1 2
    row "VmRSS (kB)" 0 3
    row "RssAnon (kB)" 0 4
    row "CPU time to paint (ms)" 1 6
    echo "A/B, A/C: median of the per-round ratios of the program to the reference with"
    echo "the same look (B) and to the plain reference (C); targets <= 1.10"
}

run_set dejavu "DejaVu alone"
run_set many "the machine's fonts and Debian's Noto fonts"
