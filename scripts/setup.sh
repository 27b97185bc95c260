#!/usr/bin/env bash
# Everything a fresh Debian 12 machine needs: apt packages, the SignWriting
# fonts, configure, build (which generates the resources). Idempotent and
# quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${QUABE_BUILD_DIR:-build}
PACKAGES=(build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev libxkbcommon-dev
  libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk xvfb xauth imagemagick poppler-utils openssl ca-certificates
  qt6-translations-l10n clang-format xdotool openbox dpkg-dev)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ! command -v npm >/dev/null 2>&1; then missing+=(npm); fi
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

scripts/fetch-fonts.sh

# QUABE_WERROR=ON (as .ci/run sets it) makes every compiler warning an error.
if [ ! -f "$BUILD_DIR/build.ninja" ] || [ -n "${QUABE_WERROR:-}" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUABE_WERROR="${QUABE_WERROR:-OFF}"
fi
cmake --build "$BUILD_DIR" -j"$(nproc)"
