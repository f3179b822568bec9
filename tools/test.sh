#!/usr/bin/env bash
# Builds Sorrisa and runs every test headless; then builds it again with the address and
# undefined-behaviour sanitizers (build-asan/) and runs every test once more there. Any
# failure, and any sanitizer finding (leaks included), fails the command.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
# The benchmark is built (not run), so that it keeps compiling with the code it measures.
cmake --build build --target sorrisa_bench -j"$(nproc)"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# A debug build (Qt defines QT_NO_DEBUG in every other build type, which turns the Q_ASSERTs
# off), at -O1 with line tables only: it costs about what the normal build does, and the
# stack traces still name the lines.
cmake -S . -B build-asan -DSORRISA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks that belong to the system's libraries (fonts, plug-ins loaded for the whole run).
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
