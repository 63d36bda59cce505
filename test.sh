#!/usr/bin/env bash
# Sets up, builds and runs every test; then the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer (rendering checks once only).
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh

jobs=$(nproc)
common=(-G Ninja -DORVEL_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Paths relative to the checkout, so a fresh clone elsewhere reuses the cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true

echo "== build (release) =="
cmake -S . -B build "${common[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
echo "== tests (release) =="
(cd build && ctest --output-on-failure -j "$jobs" --timeout 900)

echo "== build (address + undefined sanitizers) =="
cmake -S . -B build-asan "${common[@]}" -DCMAKE_BUILD_TYPE=Debug -DORVEL_SANITIZE=ON -DORVEL_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
echo "== tests (sanitizers) =="
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 900 -LE render)
