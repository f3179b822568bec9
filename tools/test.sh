#!/usr/bin/env bash
# Builds Sorrisa and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
