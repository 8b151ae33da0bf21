# Shared settings of the build scripts.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${MORROWBURN_BUILD_DIR:-$ROOT/build}"
JOBS="$(nproc 2>/dev/null || echo 4)"

configure_and_build() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$JOBS"
}
