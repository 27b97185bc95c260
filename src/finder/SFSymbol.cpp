#include "finder/SFSymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "finder/SFTables.h"
#include "finder/SFTuning.h"

namespace quabe {

namespace {

Category categoryOfField(int field) {
  if (field >= 1 && field <= 7) return Category(field - 1);
  return Category::none;
}

int serialOf(const SFSymbol& s) {
  if (s.category == Category::hand && s.group == 6 && s.baseSymbol == 31) return 700;
  if (s.category == Category::punc && s.group == 1 && s.baseSymbol > 3) return 697 + s.baseSymbol;
  return SSS::serialBaseSymbolNumber(int(s.category) + 1, s.group, s.baseSymbol, s.variation);
}

int headShapeGroup(const SFSymbol& s) {
  const int b = s.baseSymbol;
  switch (s.group) {
    case 1:
      if (b <= 1) return (s.fill == 1 && s.rotation == 1) ? 0 : 1;
      if (b == 2) return 0;
      if (b <= 8) return 3;
      if (b == 9) return 4;
      return 5;
    case 2:
      if (b <= 3) return 6;
      if (b <= 6) return 7;
      return 8;
    case 3:
      if (b <= 2) return 9;
      if (b == 3) return 10;
      return 11;
    case 4:
      return (b == 1 && s.variation == 1) ? 0 : 12;
    case 5:
      if (b <= 4) return 13;
      if (b <= 8) return 14;
      if (b <= 10) return 15;
      if (b == 11) return 16;
      return 17;
    default:
      return 0;
  }
}

int shapeGroupOf(const SFSymbol& s, int serial) {
  switch (s.category) {
    case Category::hand:
      return sf::handGroupClass(serial);  // -1 only for codes that are no ISWA handshape
    case Category::movement: {
      const int cls = sf::movementGroupClass(serial);
      return cls >= 0 ? cls : 0;
    }
    case Category::headFace:
      return headShapeGroup(s);
    case Category::body:
      return s.group;
    default:
      return 0;
  }
}

// Floor-plane arrows pointing sideways that look like wall-plane arrows.
bool isSidewaysFloorArrow(const SFSymbol& s) {
  if (s.category != Category::movement || s.group != 5) return false;
  if (s.rotation != 3 && s.rotation != 7) return false;
  if (s.baseSymbol == 1) return s.variation < 5;
  const int b = s.baseSymbol;
  return (b == 2 || b == 3 || b == 5 || b == 6) && s.variation == 1;
}

// Hand shapes: the same base symbol, the same equivalence class (A, then B),
// the same shape class; then, for shapes of different classes, neighbours in
// the symbol set and shapes of the same hand group (the same selected
// fingers) before unrelated shapes. Then the orientation.
int handShapeScore(const SFSymbol& s, const SFSymbol& o, const SFTuning& t, bool& sameA, int& classA) {
  const int sn = s.serialBaseSymbolNumber();
  const int on = o.serialBaseSymbolNumber();
  classA = sf::handEquivalenceClassA(sn);
  sameA = classA >= 0 && classA == sf::handEquivalenceClassA(on);
  const int classB = sf::handEquivalenceClassB(sn);
  if (s.group == o.group && s.baseSymbol == o.baseSymbol) return 920;
  if (sameA) return 890;
  if (classB >= 0 && classB == sf::handEquivalenceClassB(on)) return 880;
  if (s.shapeGroup() >= 0 && s.shapeGroup() == o.shapeGroup()) return 880;
  if (s.group == o.group) return std::abs(sn - on) == 1 ? t.handNeighbourScore : t.handSameFingersScore;
  return 720;
}

int handScore(const SFSymbol& s, const SFSymbol& o, const SFTuning& t) {
  bool sameA = false;
  int classA = -1;
  int score = handShapeScore(s, o, t, sameA, classA);
  if (sf::equivalentOrientation(s.fill, s.rotation, o.fill, o.rotation)) return score;
  if (s.fill != o.fill) {
    const bool lightFillChange =
        sameA && (classA == 0 || classA == 46) && s.fill < 4 && o.fill < 4 && (s.fill == 2 || o.fill == 2);
    score -= lightFillChange ? 30 : 100;
  }
  if (s.rotation != o.rotation) score -= 70;
  return score;
}

int movementFillPenalty(const SFSymbol& s, const SFSymbol& o, const SFTuning& t) {
  if (s.group >= 3) {
    const bool bothHandsInvolved = s.fill == 3 || o.fill == 3;
    return bothHandsInvolved ? t.arrowFillBothHands : t.arrowFillOtherHand;
  }
  return t.otherMovementFill;
}

// Finger movements of one shape class are still different movements:
// squeezing (base symbols 1-3), flicking (4-6), both in turn (7), hinging (8-11).
int fingerMovementKind(const SFSymbol& s) {
  const int b = s.baseSymbol;
  return b <= 3 ? 0 : b <= 6 ? 1 : b == 7 ? 2 : b <= 11 ? 3 : 4;
}

int movementScore(const SFSymbol& s, const SFSymbol& o, const SFTuning& t) {
  const bool sameShape = s.shapeGroup() == o.shapeGroup();
  int score = sameShape ? 920 : (s.group < 3 && o.group < 3 ? 740 : 700);
  if (sameShape && s.group == 2 && o.group == 2 && fingerMovementKind(s) != fingerMovementKind(o)) score -= 60;
  const bool sameBase = s.baseSymbol == o.baseSymbol;
  if (!sameBase) score -= 90;
  if (s.variation != o.variation) {
    if (!sameBase) {
      score -= 70;
    } else {
      const int b = s.baseSymbol;
      const bool sizeOnly = (s.group == 3 || s.group == 5) && ((b == 1 && s.variation < 5 && o.variation < 5) ||
                                                               (b > 6 && s.variation < 4 && o.variation < 4));
      score -= sizeOnly ? 5 : 30;
    }
  }
  if (sameShape) {
    if (s.group > 2 && s.rotation != o.rotation) score -= s.group < 10 ? 120 : 30;
    if (s.fill != o.fill) score -= movementFillPenalty(s, o, t);
  }
  return score;
}

int headScore(const SFSymbol& s, const SFSymbol& o) {
  if (s.shapeGroup() == o.shapeGroup()) {
    if (s.baseSymbol != o.baseSymbol || s.variation != o.variation || s.fill != o.fill) return 910;
    return s.rotation == o.rotation ? 920 : 910;
  }
  const auto neutralLike = [](const SFSymbol& f) {
    return f.group == 1 || sf::isNeutralFace(f.serialBaseSymbolNumber());
  };
  if (neutralLike(s) && neutralLike(o)) return 890;
  return s.group == o.group ? 820 : 420;
}

// Body parts, locations, punctuation and dynamics marks: by group, base
// symbol and variation.
int otherScore(const SFSymbol& s, const SFSymbol& o) {
  const bool bothArmGroup =
      s.category == Category::body && o.category == Category::body && s.group == 2 && o.group == 2;
  int score = s.group == o.group ? 920 : 740;
  const bool sameBase = s.baseSymbol == o.baseSymbol;
  if (!sameBase) score -= bothArmGroup ? 50 : 90;
  if (s.variation != o.variation) score -= (bothArmGroup || sameBase) ? 30 : 70;
  return score;
}

bool isTrunkLine(const SFSymbol& s) { return s.category == Category::body && s.group == 1 && s.baseSymbol == 1; }

}  // namespace

SFSymbol::SFSymbol(SymbolCode code, qreal px, qreal py, Hand h, qreal w)
    : x(qint16(std::clamp<qreal>(std::trunc(px), -32768, 32767))),
      y(qint16(std::clamp<qreal>(std::trunc(py), -32768, 32767))),
      width(qint16(std::clamp<qreal>(std::round(w), 0, 32767))),
      category(categoryOfField(SSS::categoryField(code))),
      group(qint8(SSS::group(code))),
      baseSymbol(qint8(SSS::baseSymbol(code))),
      variation(qint8(SSS::variation(code))),
      fill(qint8(SSS::fill(code))),
      rotation(qint8(SSS::rotation(code))),
      hand(h) {
  if (isSidewaysFloorArrow(*this)) group = 3;
  refresh();
}

void SFSymbol::refresh() {
  m_serial = serialOf(*this);
  m_shapeGroup = shapeGroupOf(*this, m_serial);
}

SymbolCode SFSymbol::code() const {
  return SSS::make(quint32(category) + 1, quint32(group), quint32(baseSymbol), quint32(variation), quint32(fill),
                   quint32(rotation));
}

SFSymbol SFSymbol::mirrored() const {
  SFSymbol m = *this;
  m.x = qint16(std::clamp(-int(x) - int(width), -32768, 32767));
  // Movement symbols drawn in fewer directions (a touch, a squeeze) look
  // the same in the mirror.
  const int directions = SSS::rotationCount(code());
  if (category == Category::hand || (category == Category::movement && directions >= 4 && directions != 5)) {
    m.rotation = qint8(SSS::flippedRotation(code(), false));
    m.refresh();
  }
  return m;
}

int SFSymbol::atDistance(int score, double dx, double dy, const SFTuning& tuning) {
  if (score == 0 && tuning.zeroScoreStaysZero) return 0;
  const double d = std::sqrt(dx * dx + dy * dy);
  const int penalty = d <= 10 ? 0 : int(d - 10);
  return penalty <= score ? score - penalty : 10;
}

int SFSymbol::similarity(const SFSymbol& o, bool ignoringDistance, const SFTuning& tuning) const {
  int score = 0;
  if (category == o.category) {
    switch (category) {
      case Category::hand:
        score = handScore(*this, o, tuning);
        break;
      case Category::movement:
        return movementScore(*this, o, tuning);
      case Category::headFace:
        score = headScore(*this, o);
        break;
      default:
        score = otherScore(*this, o);
        break;
    }
  } else if ((isTrunkLine(*this) && o.isHead()) || (isHead() && isTrunkLine(o))) {
    score = 900;
  }
  if (ignoringDistance) return score;
  return atDistance(score, double(o.x) - double(x), double(o.y) - double(y), tuning);
}

}  // namespace quabe
