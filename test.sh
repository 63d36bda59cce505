#!/usr/bin/env bash
# Sets up, builds and runs every test; then the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer (rendering checks once only),
# then the fuzz targets briefly.
#   ./test.sh          everything (what CI runs)
#   ./test.sh --quick  the release build and every test but the rendering ones
set -euo pipefail
cd "$(dirname "$0")"
quick=false
case "${1:-}" in
  --quick) quick=true ;;
  "") ;;
  -h|--help) sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
  *) echo "usage: ./test.sh [--quick]" >&2; exit 2 ;;
esac
./setup.sh

jobs=$(nproc)
common=(-G Ninja -DORVEL_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Line tables only (-g1): enough for the sanitizers' and debuggers' stack
# traces, and a fifth less compile time than full debug information.
release_flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
               "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
# Paths relative to the checkout, so a fresh clone elsewhere reuses the cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true

echo "== build (release) =="
cmake -S . -B build "${common[@]}" "${release_flags[@]}" >/dev/null
cmake --build build -j "$jobs"
echo "== tests (release) =="
summary=$(mktemp)
if $quick; then
  (cd build && ctest --output-on-failure -j "$jobs" --timeout 900 -LE render)
  exit 0
fi
(cd build && ctest --output-on-failure -j "$jobs" --timeout 900) | tee "$summary"
release_count=$(grep -oP 'tests failed out of \K[0-9]+' "$summary" | tail -1)

# The release build compiles each file on its own (its includes and warnings
# are checked there); the sanitizer and fuzz builds compile the files of a
# library together, which halves their time.
echo "== build (address + undefined sanitizers) =="
cmake -S . -B build-asan "${common[@]}" -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -g1" \
  "-DCMAKE_C_FLAGS_DEBUG=-O0 -g1" -DORVEL_SANITIZE=ON -DORVEL_BENCH=OFF -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build-asan -j "$jobs"
echo "== tests (sanitizers) =="
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
# Also for the orvel runs and demo the tests start (test programs carry the list built in).
export LSAN_OPTIONS="print_suppressions=0:suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 900 -LE render) | tee "$summary"
sanitizer_count=$(grep -oP 'tests failed out of \K[0-9]+' "$summary" | tail -1)
rm -f "$summary"

echo "== build (fuzz targets: clang, libFuzzer, address + undefined sanitizers) =="
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DORVEL_FUZZ=ON \
  -DORVEL_BENCH=OFF -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzz_script_parser fuzz_call_stream fuzz_binary_reader
echo "== fuzzing (a fixed number of inputs each) =="
fuzz_corpus=$(mktemp -d)
trap 'rm -rf "$fuzz_corpus"' EXIT
# fuzz TARGET ARGS...: quiet when it passes, the whole report when it fails.
fuzz() {
  local log="$fuzz_corpus/$1.log"
  if "build-fuzz/bin/$1" "${@:2}" >"$log" 2>&1; then
    echo "$1: $(grep -m1 '^Done' "$log")"
  else
    cat "$log"
    echo "fuzz: $1 failed" >&2
    return 1
  fi
}
mkdir "$fuzz_corpus/script" "$fuzz_corpus/calls" "$fuzz_corpus/ppt"
fuzz fuzz_script_parser -runs=2000 -seed=1 "$fuzz_corpus/script" tests/fuzz/corpus/script
fuzz fuzz_call_stream -runs=2000 -seed=1 -timeout=60 "$fuzz_corpus/calls"
# Full stacks on every allocation there: GLib is built without frame pointers,
# so the fast unwinder stops inside it and LeakSanitizer could not match the
# libgsf leak that lsan.supp excuses.
ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0" fuzz fuzz_binary_reader -runs=2000 -seed=1 "$fuzz_corpus/ppt" tests/fuzz/corpus/ppt

# Every stage above stops the script on its first failure, so reaching here means all passed.
echo "ctest: $((release_count + sanitizer_count)) passed, 0 failed"

