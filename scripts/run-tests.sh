#!/usr/bin/env bash
# Sets everything up, then runs every test; where clang is installed, every
# fuzz harness runs briefly as well (QUABE_FUZZ_SECONDS each, default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${QUABE_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" "$@"
if command -v clang++ >/dev/null 2>&1; then
  QUABE_RESOURCE_DIR="$PWD/$BUILD_DIR/resources" scripts/fuzz.sh "${QUABE_FUZZ_SECONDS:-15}"
fi
