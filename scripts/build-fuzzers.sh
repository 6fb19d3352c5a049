#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (not part of ./test).
# Run one: build-fuzz/fuzz/fuzz_macroman -max_total_time=60
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v clang++ >/dev/null || { echo "build-fuzzers: clang++ is not installed" >&2; exit 1; }
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDVX_FUZZ=ON
targets=$(cd "$root/fuzz" && ls fuzz_*.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build "$root/build-fuzz" -j "$(nproc)" --target $targets
