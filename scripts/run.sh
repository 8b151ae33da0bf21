#!/usr/bin/env bash
# Installs what is missing, builds and starts Morrowburn.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/install-deps.sh"
configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMB_BUILD_TESTS=OFF -DMB_BUILD_BENCH=OFF
exec "$BUILD_DIR/src/morrowburn" "$@"
