#!/usr/bin/env bash
# Builds Sorrisa and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
# The benchmark is built (not run), so that it keeps compiling with the code it measures.
cmake --build build --target sorrisa_bench -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
