#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan into build-fuzz/ (not part of ./test,
# which replays their kept inputs instead).
#   scripts/build-fuzzers.sh [jobs]      jobs defaults to the number of cores
# Run one on its seeds, keeping what it finds in a scratch corpus:
#   mkdir -p /tmp/c && build-fuzz/fuzz/fuzz_topo /tmp/c fuzz/corpus/fuzz_topo -dict=fuzz/fuzz_topo.dict
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${1:-$(nproc)}
case "$jobs" in ''|*[!0-9]*) echo "build-fuzzers: the job count must be a number" >&2; exit 2 ;; esac
command -v clang++ >/dev/null || { echo "build-fuzzers: clang++ is not installed" >&2; exit 1; }
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDVX_FUZZ=ON
targets=$(cd "$root/fuzz" && ls fuzz_*.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build "$root/build-fuzz" -j "$jobs" --target $targets
