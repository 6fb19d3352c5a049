#!/usr/bin/env bash
# scripts/coverage.sh [jobs]: build with --coverage in build-cov, run the suite, print line and
# branch coverage of src/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
dvx_install
dir="$DVX_ROOT/build-cov"
jobs=${1:-$(nproc 2>/dev/null || echo 2)}
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$DVX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_C_FLAGS="--coverage -O0" \
    -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage
fi
cmake --build "$dir" -j "$jobs"
find "$dir" -name '*.gcda' -delete
dvx_runtime_dir
set +e
ctest --test-dir "$dir" --no-tests=error -j "$jobs" --output-on-failure >"$dir/ctest.log" 2>&1
rc=$?
set -e
tail -n 3 "$dir/ctest.log"
gcovr --root "$DVX_ROOT" --object-directory "$dir" --filter "$DVX_ROOT/src/" \
  -j "$jobs" --print-summary \
  -o "$dir/coverage.txt" 2>"$dir/gcovr.log" | grep -E '^(lines|functions|branches):' \
  || { cat "$dir/gcovr.log"; exit 1; }
exit "$rc"
