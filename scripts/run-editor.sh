#!/usr/bin/env bash
# Sets everything up, then starts the editor on the bundled resources. Any
# arguments (for example .swml files) are passed to the editor; without any,
# it opens the bundled sample text.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${QUABE_BUILD_DIR:-build}
export QUABE_RESOURCE_DIR="$PWD/$BUILD_DIR/resources"
if [ $# -eq 0 ] && [ -f "$QUABE_RESOURCE_DIR/sample.swml" ]; then
  set -- "$QUABE_RESOURCE_DIR/sample.swml"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a "$BUILD_DIR/bin/quabe" "$@"
fi
exec "$BUILD_DIR/bin/quabe" "$@"
