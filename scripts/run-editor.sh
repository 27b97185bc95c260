#!/usr/bin/env bash
# Sets everything up, then starts the editor on the bundled resources. Any
# arguments (for example .swml files) are passed to the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${QUABE_BUILD_DIR:-build}
export QUABE_RESOURCE_DIR="$PWD/$BUILD_DIR/resources"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a "$BUILD_DIR/bin/quabe" "$@"
fi
exec "$BUILD_DIR/bin/quabe" "$@"
