#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (address and undefined-behaviour
# sanitizers on) into build-fuzz/ and runs each for the given time:
#
#   tools/fuzz.sh [seconds per harness, default 60] [harness ...]   e.g. tools/fuzz.sh 600 lines
#
# The seeds in fuzz/corpus/<name>/ are only read; what the fuzzer learns goes to
# build-fuzz/corpus/<name>/ and any failing input to build-fuzz/crashes/. Once the fault is
# mended, put the failing input into fuzz/corpus/<name>/: tools/test.sh replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do
    n=$(basename "$f" .cpp)
    harnesses+=("${n#fuzz_}")
  done
fi

tools/setup.sh
# The fuzzer needs clang and its run-time libraries; not needed for anything else.
packages=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DSORRISA_FUZZ=ON -DSORRISA_SANITIZE=ON "${launcher[@]}" >/dev/null
targets=()
for h in "${harnesses[@]}"; do targets+=("fuzz_$h"); done
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

# Record files are written and synced at every input: a memory file system keeps that fast.
tmp=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && tmp=/dev/shm
mkdir -p build-fuzz/crashes
status=0
for h in "${harnesses[@]}"; do
  mkdir -p "build-fuzz/corpus/$h"
  echo "== fuzz_$h for ${seconds}s"
  TMPDIR=$tmp build-fuzz/fuzz/fuzz_"$h" -max_total_time="$seconds" -max_len=16384 -timeout=20 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$h-" \
      "build-fuzz/corpus/$h" "fuzz/corpus/$h" || status=1
done
exit $status
