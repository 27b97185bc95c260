#!/usr/bin/env bash
# Fetches the pinned Sutton SignWriting TrueType fonts (MIT) from the npm
# registry, checks the tarball's integrity and unpacks the Line and Fill fonts
# into .cache/fonts. Does nothing when they are already there.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGE="@sutton-signwriting/font-ttf"
VERSION="1.6.0"
INTEGRITY="sha512-vawl4Q4RYkCyaBRvOeJ2J6S/yhkyhbJ3r+jEQFvt2u8y1c7O9PLQ9aeavBhk8zmAGv5cZOb3R6+i7ebB37EVdw=="
DEST=.cache/fonts
STAMP="$DEST/.version"

if [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$VERSION" ] && [ -f "$DEST/SuttonSignWritingLine.ttf" ] && [ -f "$DEST/SuttonSignWritingFill.ttf" ]; then
  exit 0
fi

mkdir -p .cache/npm "$DEST"
tarball=".cache/npm/sutton-signwriting-font-ttf-$VERSION.tgz"
if [ ! -f "$tarball" ]; then
  (cd .cache/npm && npm pack --silent "$PACKAGE@$VERSION" >/dev/null)
fi
actual="sha512-$(openssl dgst -sha512 -binary "$tarball" | base64 -w0)"
if [ "$actual" != "$INTEGRITY" ]; then
  echo "fetch-fonts: integrity mismatch for $tarball" >&2
  echo "  expected $INTEGRITY" >&2
  echo "  got      $actual" >&2
  rm -f "$tarball"
  exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tar -xzf "$tarball" -C "$tmp" package/font/SuttonSignWritingLine.ttf package/font/SuttonSignWritingFill.ttf package/LICENSE
cp "$tmp/package/font/SuttonSignWritingLine.ttf" "$tmp/package/font/SuttonSignWritingFill.ttf" "$DEST/"
cp "$tmp/package/LICENSE" "$DEST/LICENSE"
echo "$VERSION" > "$STAMP"
echo "fetch-fonts: $PACKAGE@$VERSION ready in $DEST"
