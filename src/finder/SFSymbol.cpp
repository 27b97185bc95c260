#include "finder/SFSymbol.h"

#include <cmath>

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
    case Category::hand: {
      const int cls = sf::handGroupClass(serial);
      return cls >= 0 ? cls : s.group;
    }
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

int handScore(const SFSymbol& s, const SFSymbol& o) {
  const int sn = s.serialBaseSymbolNumber();
  const int on = o.serialBaseSymbolNumber();
  const int classA = sf::handEquivalenceClassA(sn);
  const bool sameA = classA >= 0 && classA == sf::handEquivalenceClassA(on);
  const int classB = sf::handEquivalenceClassB(sn);
  int score;
  if (s.group == o.group && s.baseSymbol == o.baseSymbol)
    score = 920;
  else if (sameA)
    score = 890;
  else if (classB >= 0 && classB == sf::handEquivalenceClassB(on))
    score = 880;
  else if (s.shapeGroup() == o.shapeGroup())
    score = 880;
  else
    score = 720;
  if (sf::equivalentOrientation(s.fill, s.rotation, o.fill, o.rotation)) return score;
  if (s.fill != o.fill) {
    const bool lightFillChange =
        sameA && (classA == 0 || classA == 46) && s.fill < 4 && o.fill < 4 && (s.fill == 2 || o.fill == 2);
    score -= lightFillChange ? 30 : 100;
  }
  if (s.rotation != o.rotation) score -= 70;
  return score;
}

int movementFillPenalty(const SFSymbol& s, const SFSymbol& o) {
  const SFTuning& t = sfTuning();
  if (s.group >= 3) {
    const bool bothHandsInvolved = s.fill == 3 || o.fill == 3;
    return bothHandsInvolved ? t.arrowFillBothHands : t.arrowFillOtherHand;
  }
  return t.otherMovementFill;
}

int movementScore(const SFSymbol& s, const SFSymbol& o) {
  const bool sameShape = s.shapeGroup() == o.shapeGroup();
  int score = sameShape ? 920 : (s.group < 3 && o.group < 3 ? 740 : 700);
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
    if (s.fill != o.fill) score -= movementFillPenalty(s, o);
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

SFSymbol::SFSymbol(SymbolCode code, qreal px, qreal py, Hand h)
    : x(qint16(std::trunc(px))),
      y(qint16(std::trunc(py))),
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

int SFSymbol::similarity(const SFSymbol& o, bool ignoringDistance) const {
  int score = 0;
  if (category == o.category) {
    switch (category) {
      case Category::hand:
        score = handScore(*this, o);
        break;
      case Category::movement:
        return movementScore(*this, o);
      case Category::headFace:
        score = headScore(*this, o);
        break;
      case Category::dynamics:
        score = 0;
        break;
      default:
        score = otherScore(*this, o);
        break;
    }
  } else if ((isTrunkLine(*this) && o.isHead()) || (isHead() && isTrunkLine(o))) {
    score = 900;
  }
  if (ignoringDistance) return score;
  if (score == 0 && sfTuning().zeroScoreStaysZero) return 0;
  const double dx = double(o.x) - double(x);
  const double dy = double(o.y) - double(y);
  const double d = std::sqrt(dx * dx + dy * dy);
  const int penalty = d <= 10 ? 0 : int(d - 10);
  return penalty <= score ? score - penalty : 10;
}

}  // namespace quabe
