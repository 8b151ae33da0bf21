#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build with GCC and
# once built with clang under AddressSanitizer (leaks checked) and UndefinedBehaviorSanitizer,
# so every test compiles on both compilers; then a short run of each fuzzer.
# MORROWBURN_QUICK=1 skips the sanitizer build and the fuzzers.
# Each stage turns the tests on itself, whatever an earlier command (the run script builds
# without them) left in the build folder, and a stage that finds no test fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

echo "== build and test =="
configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMB_BUILD_TESTS=ON -DMB_BUILD_BENCH=ON
ctest --test-dir "$BUILD_DIR" --output-on-failure --no-tests=error -j "$JOBS"

if [ "${MORROWBURN_QUICK:-0}" = "1" ]; then exit 0; fi

echo "== build with clang and test under AddressSanitizer and UndefinedBehaviorSanitizer =="
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# A folder configured earlier with another compiler is configured afresh.
fresh=()
if [ -f "$BUILD_DIR-asan/CMakeCache.txt" ] &&
   ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' "$BUILD_DIR-asan/CMakeCache.txt"; then
  fresh=(--fresh)
fi
configure_and_build "$BUILD_DIR-asan" "${fresh[@]}" -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DMB_SANITIZE=ON -DMB_BUILD_TESTS=ON -DMB_BUILD_BENCH=OFF
ctest --test-dir "$BUILD_DIR-asan" --output-on-failure --no-tests=error -j "$JOBS"

echo "== fuzzers (bounded) =="
bash "$ROOT/tests/fuzz.sh" "${MORROWBURN_FUZZ_SECONDS:-20}"
