#include "notation/InflectionRules.h"

#include <cmath>

namespace quabe {

namespace {
int modulo(int value, int divisor) {
  const int r = value % divisor;
  return r < 0 ? r + divisor : r;
}
bool isPlainRotation(int r) { return r >= 1 && r <= 8; }
bool isMirroredRotation(int r) { return r >= 9 && r <= 16; }
}  // namespace

int laneForPosition(const QString& place) {
  if (place == u"R" || place == u"x" || place == u"3" || place == u"X") return 1;
  if (place == u"L" || place == u"y" || place == u"4" || place == u"Y") return -1;
  return 0;
}

int personForPlace(const QString& place) {
  if (place.isEmpty()) return 0;
  if (place == u"1") return 1;
  if (place == u"C" || place == u"2") return 2;
  if (place == u"R" || place == u"x" || place == u"3" || place == u"X") return 3;
  if (place == u"L" || place == u"y" || place == u"4" || place == u"Y") return 4;
  return 5;
}

int arrowRotation(int s, int d, int originalRotation) {
  static const int table[6][6] = {
      {0, 0, 1, 8, 2, 0},  // s = 0 (the row for a downward arrow differs, below)
      {0, 0, 1, 8, 2, 0},  // s = 1
      {5, 5, 0, 6, 4, 0},  // s = 2
      {4, 4, 2, 0, 3, 0},  // s = 3
      {6, 6, 8, 7, 0, 0},  // s = 4
      {0, 0, 0, 0, 0, 0},  // s = 5
  };
  if (s < 0 || s > 5 || d < 0 || d > 5) return 0;
  if (s == 0 && (originalRotation | 8) == 13) {
    if (d == 3) return 6;
    if (d == 4) return 4;
  }
  return table[s][d];
}

int turnRotation(int rotation, int k) {
  if (isPlainRotation(rotation)) return modulo(rotation - 1 + k, 8) + 1;
  if (isMirroredRotation(rotation)) return modulo(rotation - 9 + k, 8) + 9;
  return rotation;
}

int turnCounterClockwise(int rotation, int n) { return turnRotation(rotation, isMirroredRotation(rotation) ? -n : n); }

int directionOfRotation(int rotation) {
  if (isPlainRotation(rotation)) return rotation;
  if (isMirroredRotation(rotation)) return modulo(17 - rotation, 8) + 1;
  return 0;
}

int rotationInSetOf(int rotation, int direction) {
  if (direction < 1 || direction > 8) return rotation;
  if (isMirroredRotation(rotation)) return 9 + modulo(9 - direction, 8);
  return direction;
}

int stepsBetween(int fromDirection, int toDirection) { return modulo(toDirection - fromDirection, 8); }

QPointF directionVector(int direction) {
  const double h = std::sqrt(0.5);
  switch (direction) {
    case 1:
      return {0, -1};
    case 2:
      return {-h, -h};
    case 3:
      return {-1, 0};
    case 4:
      return {-h, h};
    case 5:
      return {0, 1};
    case 6:
      return {h, h};
    case 7:
      return {1, 0};
    case 8:
      return {h, -h};
    default:
      return {0, 0};
  }
}

QPointF placedArrowOrigin(int rotation, int fill, const QRectF& handBox, const QSizeF& arrowSize) {
  const double X = handBox.x(), Y = handBox.y(), W = handBox.width(), H = handBox.height();
  const double w = arrowSize.width(), h = arrowSize.height();
  const double centredX = X + (W - w) / 2;
  const double middleY = Y + (H - h) / 2;
  const int k = directionOfRotation(rotation) - 1;
  if (fill == 1 || fill == 2) {
    switch (k) {
      case 0:
        return {centredX, Y - h + 2};
      case 1:
        return {X - w - 2, Y - h + 0.3 * H};
      case 2:
        return {X - w - 2, middleY};
      case 3:
        return {X - w - 2, Y + H - 0.3 * H};
      case 4:
        return {centredX, Y + H + 2};
      case 5:
        return {X + W + 2, Y + H - 0.3 * H};
      case 6:
        return {X + W + 2, middleY};
      case 7:
        return {X + W + 2, Y - h + 0.3 * H};
      default:
        return {};
    }
  }
  switch (k) {
    case 0:
      return {centredX, Y - h};
    case 1:
      return {centredX - w / 2, Y - h};
    case 2:
      return {X - w, middleY};
    case 3:
      return {centredX - w / 2, Y + H};
    case 4:
      return {centredX, Y + H};
    case 5:
      return {centredX + w / 2, Y + H};
    case 6:
      return {X + W, middleY};
    case 7:
      return {centredX + w / 2, Y - h};
    default:
      return {};
  }
}

QPointF handOriginForArrow(int rotation, int fill, const QPointF& arrowOrigin, const QSizeF& handSize,
                           const QSizeF& arrowSize) {
  // Every placement is the hand's corner plus an offset that depends only on
  // the sizes, so the offset for a box at the origin inverts it.
  const QPointF offset = placedArrowOrigin(rotation, fill, QRectF(QPointF(0, 0), handSize), arrowSize);
  return arrowOrigin - offset;
}

int adjustedArrowFill(int rotation, int fill) {
  const int k = directionOfRotation(rotation) - 1;
  if (k >= 1 && k <= 3 && fill == 2) return 1;
  if (k >= 5 && k <= 7 && fill == 1) return 2;
  return fill;
}

QPointF arrowOriginBehindHand(int rotation, const QRectF& handBox, const QSizeF& arrowSize) {
  const double X = handBox.x(), Y = handBox.y(), W = handBox.width(), H = handBox.height();
  const double w = arrowSize.width(), h = arrowSize.height();
  const double c = X + (W - w) / 2;
  switch (directionOfRotation(rotation)) {
    case 1:
      return {c, Y + H + 1};
    case 2:
      return {c + w, Y + H + 1};
    case 3:
      return {c + w, Y + H / 2};
    case 4:
      return {c + w, Y - h};
    case 5:
      return {c, Y - h};
    case 6:
      return {c - w, Y - h};
    case 7:
      return {c - 2 * w, Y + H / 2};
    case 8:
      return {c - w, Y + H + 1};
    default:
      return {};
  }
}

bool needsHandTurn(int originalRotation, int fill, int s, int d) {
  const bool fromAddressee = s == 2 && (d <= 1 || d == 4);
  const bool ruleA = (s == 4 && d <= 1) || (s <= 1 && d == 4) || fromAddressee;
  const bool ruleB = (s == 3 && d <= 1) || (s <= 1 && d == 3) || fromAddressee;
  switch (originalRotation) {
    case 5:
      if (fill == 1) return ruleA;
      if (fill == 2) return ruleB;
      return false;
    case 1:
      if (fill == 2) return ruleA;
      if (fill == 1) return ruleB;
      return false;
    case 3:
      if (fill == 2) return (s == 3 && d <= 1) || (s <= 1 && d == 4) || ((s == 2 || s == 3) && d == 4);
      if (fill == 1) return (s <= 1 && d == 3) || (d <= 1 && s == 4) || ((s == 2 || s == 4) && d == 3);
      return false;
    default:
      return false;
  }
}

std::optional<int> laneFromDirection(int r) {
  if (r == 2 || r == 6) return -1;
  if (r == 4 || r == 8) return 1;
  return std::nullopt;
}

std::optional<std::pair<int, int>> wallPlaneHandTurn(int s, int d) {
  if (s == 5) s = 3;
  if (d == 5) d = 3;
  if (s == 2 && d == 1) return std::pair{4, 4};
  if (s == 3 && d == 1) return std::pair{3, 5};
  if (s == 4 && d == 1) return std::pair{5, 3};  // three clockwise steps
  if (s == 1 && d == 4) return std::pair{1, 7};  // one counter-clockwise step
  if (s == 1 && d == 3) return std::pair{7, 1};  // one clockwise step
  return std::nullopt;
}

QPointF fanOffset(double arrowHeight, bool first) {
  const double a = 0.8509035245341184 * arrowHeight;
  const double b = arrowHeight - a;
  return first ? QPointF(-a, b) : QPointF(a, b);
}

}  // namespace quabe
