#!/usr/bin/env bash
# Builds a second tree with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the unit and widget tests in it. Any report, leaks included, stops
# the test that made it and so fails the run. Arguments go to CMake's
# configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
# Line tables only (-g1): all a sanitizer report needs to name files and lines.
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DQUENLORY_SANITIZE=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null
cmake --build build/asan --parallel "$(nproc)"
ctest --test-dir build/asan --output-on-failure --parallel "$(nproc)" -LE e2e
