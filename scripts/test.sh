#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

# Qt for Windows is the longest step of a first run. When it is not cached
# yet, it is built in the background at the lowest priority while the Linux
# builds and tests run, so it takes only the processor time they leave; the
# Windows stage at the end waits for it. Its packages are installed by that
# job, under the cache's lock.
mkdir -p build
qt_job=
# (--prefix fails while the cross compilers, part of the cache's key, are
# not installed yet.)
qt_prefix=$(bash scripts/windows-qt.sh --prefix 2>/dev/null) || qt_prefix=
if [[ -z $qt_prefix || ! -f $qt_prefix/stamp ]]; then
    echo "Building Qt for Windows in the background: build/windows-qt.log"
    # A session of its own makes it a process group that can be stopped as a
    # whole. The kernel's autogroups share the processor fairly between
    # sessions, so the new session's group is given the lowest priority too.
    (exec setsid bash -c 'echo 19 2>/dev/null >/proc/self/autogroup
        exec nice -n 19 bash scripts/windows-qt.sh' >build/windows-qt.log 2>&1) &
    qt_job=$!
    trap 'kill -TERM -- "-$qt_job" 2>/dev/null || true' EXIT
fi

export QT_QPA_PLATFORM=offscreen
# Line tables only (-g1): enough for a backtrace, a fifth less compile time.
# The test command's builds (this one, the sanitizer tree and the Windows
# build) treat a compiler warning as an error; the package build does not, as
# Debian's own flags may warn where ours do not.
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" >/dev/null
cmake --build build/test --parallel "$(nproc)"
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)"
bash scripts/sanitize.sh

# The Windows program: cross-built, its tests and journeys run under Wine.
if [[ -n $qt_job ]]; then
    echo "Waiting for the background build of Qt for Windows: $(grep '^\[' build/windows-qt.log | tail -n 1 | cut -d' ' -f1)"
    if ! wait "$qt_job"; then
        echo "The background build of Qt for Windows failed; the end of its log:"
        tail -n 30 build/windows-qt.log
        echo "Trying once more in the foreground."
    fi
    trap - EXIT
fi
bash scripts/windows.sh
