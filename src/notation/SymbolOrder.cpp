#include "core/Logging.h"
#include "notation/InflectionRules.h"
#include "notation/SWSign.h"

namespace quabe {

using namespace notation;

// How the symbols of a sign are ordered along its movement
// ---------------------------------------------------------
// Arrows are the movement symbols of groups 3-10. Two arrows of the same
// group and base symbol with fills 1 and 2 (one for each hand) form a pair:
// the right-hand arrow (fill 1) leads, the left-hand arrow is its
// complement. The direction arrow is the leading arrow of the only arrow (or
// pair); when there are several, arrows the dictionary marks as turnable are
// preferred, and if that still leaves more than one, the first in symbol
// order is taken and "inferSymbolOrder(): arrows.count: N" is reported.
//
// The hands that move are the hand symbols of the arrow's fill (1 right, 2
// left, 3 both; a hand is right or left by its hand field, else by its
// rotation set; an arrow of any other fill moves every hand). Each is measured along the arrow's direction (the unit
// vector of where the arrow points, so rotations 1 and 9 compare heights,
// 3 and 7 horizontal positions, the diagonals both): a hand whose centre lies
// at or behind the arrow's centre is before the movement, one ahead of it is
// after the movement. handBeforeMove is the hand before the movement nearest
// to the arrow, handAfterMove the hand after it nearest to the arrow.
//
// Two-handed movements (an arrow of fill 3, or an arrow pair) pair hands as
// well: the complement of handBeforeMove (and of handAfterMove) is the
// nearest hand of the other side at the same stage of its own arrow's
// movement (the complement arrow for the other hand when there is one).
// Complement links always go both ways.

namespace {

double along(const Symbol& symbol, const QPointF& direction) {
  const QPointF c = rectOf(symbol).center();
  return c.x() * direction.x() + c.y() * direction.y();
}

double distanceSquared(const Symbol& a, const Symbol& b) {
  const QPointF d = rectOf(a).center() - rectOf(b).center();
  return d.x() * d.x() + d.y() * d.y();
}

void link(const SymbolPtr& a, const SymbolPtr& b) {
  a->complement = b;
  b->complement = a;
}

// The hand nearest to the arrow on the requested side of it (before: at or
// behind its centre; after: ahead of it).
SymbolPtr nearestHand(const QList<SymbolPtr>& hands, const Symbol& arrow, bool before, const SymbolPtr& exclude) {
  const QPointF v = directionVector(directionOfRotation(arrow.rotation));
  const double arrowAt = along(arrow, v);
  SymbolPtr best;
  double bestGap = 0;
  double bestDistance = 0;
  for (const SymbolPtr& hand : hands) {
    if (hand == exclude) continue;
    const double at = along(*hand, v);
    const bool isBefore = at <= arrowAt + 1e-9;
    if (isBefore != before) continue;
    const double gap = std::abs(arrowAt - at);
    const double distance = distanceSquared(*hand, arrow);
    if (!best || gap < bestGap - 1e-9 || (std::abs(gap - bestGap) <= 1e-9 && distance < bestDistance)) {
      best = hand;
      bestGap = gap;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

void SWSign::inferSymbolOrder() {
  m_symbolOrderInferred = true;
  handBeforeMove.reset();
  handAfterMove.reset();
  dirArrow.reset();
  for (const SymbolPtr& symbol : symbols) symbol->complement.reset();

  const QList<SymbolPtr> allArrows = arrows();
  if (allArrows.isEmpty()) return;

  // Pair the arrows of the two hands.
  struct Unit {
    SymbolPtr lead;
    SymbolPtr partner;
  };
  QList<Unit> units;
  QList<bool> used(allArrows.size(), false);
  for (qsizetype i = 0; i < allArrows.size(); ++i) {
    if (used[i]) continue;
    used[i] = true;
    const SymbolPtr& a = allArrows[i];
    Unit unit{a, nullptr};
    if (a->fill == 1 || a->fill == 2) {
      for (qsizetype j = i + 1; j < allArrows.size(); ++j) {
        const SymbolPtr& b = allArrows[j];
        if (used[j] || b->group != a->group || b->baseSymbol != a->baseSymbol || b->fill != 3 - a->fill) continue;
        used[j] = true;
        unit = a->fill == 1 ? Unit{a, b} : Unit{b, a};
        link(a, b);
        break;
      }
    }
    units.append(unit);
  }
  QList<Unit> choices;
  for (const Unit& unit : units) {
    if (unit.lead->isTurnableArrow || (unit.partner && unit.partner->isTurnableArrow)) choices.append(unit);
  }
  if (choices.isEmpty()) choices = units;
  if (choices.size() > 1) qCDebug(lcNotation) << "direction arrow chosen among" << allArrows.size() << "arrows";
  dirArrow = choices.front().lead;
  const SymbolPtr partnerArrow = choices.front().partner;

  // An arrow whose fill names no hand moves whichever hands there are.
  QList<SymbolPtr> moving = handsForFill(dirArrow->fill);
  if (dirArrow->fill < 1 || dirArrow->fill > 3) {
    for (const SymbolPtr& symbol : symbols) {
      if (isHand(*symbol)) moving.append(symbol);
    }
  }
  handBeforeMove = nearestHand(moving, *dirArrow, true, nullptr);
  handAfterMove = nearestHand(moving, *dirArrow, false, nullptr);

  const bool twoHanded = dirArrow->fill == 3 || partnerArrow;
  if (!twoHanded) return;
  for (const SymbolPtr& hand : {handBeforeMove, handAfterMove}) {
    if (!hand) continue;
    const Hand side = sideOf(*hand);
    QList<SymbolPtr> others;
    for (const SymbolPtr& symbol : symbols) {
      if (isHand(*symbol) && symbol != hand && !symbol->complement && sideOf(*symbol) != side &&
          sideOf(*symbol) != Hand::none) {
        others.append(symbol);
      }
    }
    const Symbol& otherArrow = partnerArrow ? *partnerArrow : *dirArrow;
    if (SymbolPtr partner = nearestHand(others, otherArrow, hand == handBeforeMove, nullptr)) link(hand, partner);
  }
}

int SWSign::inferInflectionType() {
  if (!m_symbolOrderInferred) inferSymbolOrder();
  if (dictParams.contains(InflectionParam::direction)) return 0;
  if (!dirArrow) return 16;
  if (dirArrow->group == 3) return 8;
  int type = 2;
  if (handBeforeMove) type += 1;
  if (handAfterMove) type += 4;
  if ((handBeforeMove && handBeforeMove->fill > 3) || (handAfterMove && handAfterMove->fill > 3)) {
    type += dirArrow->fill != 3 ? 8 : 72;
  }
  const bool pairedArrow =
      dirArrow->fill == 3 || (dirArrow->complement && dirArrow->complement->rotation == dirArrow->rotation);
  auto pairedHand = [](const SymbolPtr& hand) {
    return hand && hand->complement && hand->complement->fill == hand->fill;
  };
  if (pairedArrow && (pairedHand(handBeforeMove) || pairedHand(handAfterMove))) type += 32;
  return type;
}

}  // namespace quabe
