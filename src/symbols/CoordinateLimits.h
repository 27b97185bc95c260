#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace quabe {

// Symbol positions inside a sign box stay within ±SymbolCoordinateLimit on
// every path that reads them (documents, dictionary rows, interchange text).
// A value beyond it, or one that is not a number, is damage: readers clamp it
// and report it, so that no picture is ever sized by a stray coordinate.
inline constexpr qreal SymbolCoordinateLimit = 2000;

inline bool isSymbolCoordinateInRange(qreal value) {
  return std::isfinite(value) && value >= -SymbolCoordinateLimit && value <= SymbolCoordinateLimit;
}

inline qreal clampSymbolCoordinate(qreal value) {
  if (std::isnan(value)) return 0;
  return std::clamp(value, -SymbolCoordinateLimit, SymbolCoordinateLimit);
}

}  // namespace quabe
