#!/usr/bin/env bash
# Builds Sorrisa and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
exec build/bin/sorrisa
