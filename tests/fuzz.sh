#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: tests/fuzz.sh [seconds per target, default 60] [extra libFuzzer flags...]
# A crashing or hanging input (or one that runs out of memory) is kept in the build folder
# as <target>-crash-<hash> and so on, never in the source tree. Leaks are checked: an input
# that leaks fails the run as a crash does, and so does undefined behaviour: the code is
# built not to recover from it, and UBSAN_OPTIONS halts on it whoever runs this script.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_PER_TARGET="${1:-60}"; shift || true
DIR="${MORROWBURN_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMB_BUILD_TESTS=OFF -DMB_BUILD_BENCH=OFF -DMB_BUILD_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}halt_on_error=1:print_stacktrace=1"
shopt -s nullglob
targets=()
for src in "$ROOT"/fuzz/*.cpp; do targets+=("$(basename "$src" .cpp)"); done
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 0; }
cmake --build "$DIR" -j "$(nproc)" --target "${targets[@]}"
for t in "${targets[@]}"; do
  echo "-- $t for ${SECONDS_PER_TARGET}s"
  corpus="$DIR/corpus-$t"; mkdir -p "$corpus"
  log="$DIR/$t.log"
  status=0
  ASAN_OPTIONS="detect_leaks=1" "$DIR/fuzz/$t" -max_total_time="$SECONDS_PER_TARGET" -print_final_stats=1 \
    -artifact_prefix="$DIR/$t-" "$@" "$corpus" >"$log" 2>&1 || status=$?
  grep -E "stat::number_of_executed_units|^Done|ERROR|SUMMARY" "$log" || true
  if [ "$status" -ne 0 ]; then tail -n 40 "$log"; exit "$status"; fi
done
