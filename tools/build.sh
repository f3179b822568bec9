#!/usr/bin/env bash
# Configures and builds Sorrisa into build/; the program folder is build/bin/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j"$(nproc)"
