#include <cmath>

#include "core/Logging.h"
#include "notation/InflectionRules.h"
#include "notation/SWSign.h"

namespace quabe {

using namespace notation;

// Inflection rules for arrows, hands and heads
// --------------------------------------------
// Directions: an arrow's side, its placement and its fill swap follow where
// the arrow points (rotation 11 points right like 7), so mirrored arrows are
// placed like the plain ones pointing the same way. Flat hands that turn with
// an arrow (rotateHandAndArrow) turn by the steps between the arrow's old and
// new direction. An arrow led to a hand after the movement (adjustArrowFill)
// moves only when its direction changed.
//
// turnArrowPair (a pair of arrows, or one arrow, with the hands after the
// movement): the leading arrow turns to point where arrowRotation says, and
// its complement turns by the same number of steps; each stays in its own
// rotation set, so a mirrored left-hand arrow stays mirrored.
//
// turnHands: the hands of the arrow's fill (and their complements) turn by
// the same steps as the arrow did, each inside its own set and about its own
// centre, so the hands keep facing the way they move.
//
// inflectType43 (two hands lying in the floor plane, an arrow for each): both
// arrows and every hand before or after the movement, with complements, turn
// by the steps from the arrow's direction to the requested one (inside their
// sets, hands about their centres); then each arrow is placed beside the
// hands of its own fill.
//
// Heads in rotateHandAndArrow: when the signer acts (source "1") the arrow
// points away from the signer, up the page toward where the signer's head is
// drawn. When the sign starts with head symbols and the turned arrow or the
// hand after the movement now overlaps them, the heads move straight up just
// far enough to clear both (the head stays above the hands).
//
// Hand copies of makePluralFormOfVerb3sTo1: for each fanned copy of an arrow,
// the hands of the arrow's fill are copied as a group and placed where
// placeArrow would put that hand for the copied arrow, so every copied arrow
// starts at its own copy of the hand.

int SWSign::arrowRotation() const {
  return quabe::arrowRotation(sourcePerson(), destinationPerson(), originalRotation);
}

void SWSign::inflectByChangingDirection() {
  if (dbSign.source.isEmpty() && dbSign.destination.isEmpty()) return;
  if (dictParams.contains(InflectionParam::direction)) return;
  inferSymbolOrder();
  const int type = inferInflectionType();
  qCDebug(lcNotation) << "inferred inflection type" << type;
  if (dirArrow) originalRotation = dirArrow->rotation;

  switch (type) {
    case 3:
      turnArrow(*dirArrow);
      placeArrow(*dirArrow);
      break;
    case 6:
      turnArrowPair(*dirArrow);
      if (dirArrow->rotation == originalRotation) break;
      if (needsHandTurn(dirArrow->fill)) turnHands();
      adjustArrowFill(*dirArrow);
      break;
    case 7:
    case 11:
    case 15:
      rotateHandAndArrow(*dirArrow);
      break;
    case 8:
      setRotationForType2();
      break;
    case 16:
      laneFromDirection();
      break;
    case 35:
      turnArrow(*dirArrow);
      placeArrow(*dirArrow);
      if (const SymbolPtr partner = dirArrow->complement) {
        turnArrow(*partner);
        placeArrow(*partner);
      }
      break;
    case 43:
      inflectType43();
      break;
    default:
      report(QStringLiteral("inflectByChangingDirection()"),
             QStringLiteral("unknown inflection type: ") + QString::number(type));
      break;
  }
}

void SWSign::turnArrow(Symbol& arrow) {
  const int r = arrowRotation();
  if (r > 0 && r != arrow.rotation) setRotation(arrow, r);
}

void SWSign::placeArrow(Symbol& arrow) {
  const QList<SymbolPtr> hands = handsForFill(arrow.fill);
  if (hands.isEmpty()) return;
  arrow.location = placedArrowOrigin(arrow.rotation, arrow.fill, unionRect(hands), arrow.size);
}

void SWSign::turnArrowPair(Symbol& arrow) {
  const int r = arrowRotation();
  const int from = directionOfRotation(arrow.rotation);
  if (r == 0 || from == 0 || r == from) return;
  const int steps = stepsBetween(from, r);
  setRotation(arrow, turnCounterClockwise(arrow.rotation, steps));
  if (arrow.complement) setRotation(*arrow.complement, turnCounterClockwise(arrow.complement->rotation, steps));
}

bool SWSign::needsHandTurn(int fill) const {
  return quabe::needsHandTurn(originalRotation, fill, sourcePerson(), destinationPerson());
}

void SWSign::turnHands() {
  if (!dirArrow) return;
  const int from = directionOfRotation(originalRotation);
  const int to = directionOfRotation(dirArrow->rotation);
  if (from == 0 || to == 0 || from == to) return;
  const int steps = stepsBetween(from, to);
  QList<SymbolPtr> hands = handsForFill(dirArrow->fill);
  for (const SymbolPtr& hand : QList<SymbolPtr>(hands)) {
    if (hand->complement && !hands.contains(hand->complement)) hands.append(hand->complement);
  }
  for (const SymbolPtr& hand : hands) turnAboutCentre(*hand, turnCounterClockwise(hand->rotation, steps));
}

void SWSign::adjustArrowFill(Symbol& arrow) {
  QList<Symbol*> targets{&arrow};
  if (arrow.complement) targets.append(arrow.complement.get());
  for (Symbol* target : targets) {
    setFill(*target, adjustedArrowFill(target->rotation, target->fill));
    const QList<SymbolPtr> hands = handsForFill(target->fill);
    if (hands.isEmpty()) continue;
    if (directionOfRotation(target->originalRotation) == directionOfRotation(target->rotation)) continue;
    target->location = arrowOriginBehindHand(target->rotation, unionRect(hands), target->size);
  }
}

void SWSign::laneFromDirection() {
  if (const std::optional<int> newLane = quabe::laneFromDirection(arrowRotation())) lane = *newLane;
}

void SWSign::setRotationForType2() {
  const int s = sourcePerson();
  const int d = destinationPerson();
  const std::optional<std::pair<int, int>> turn = wallPlaneHandTurn(s, d);
  if (!turn) {
    report(QStringLiteral("setRotationForType2()"),
           QStringLiteral("no hand turn from person %1 to person %2").arg(s).arg(d));
    return;
  }
  for (const SymbolPtr& symbol : symbols) {
    if (!isHand(*symbol)) continue;
    const int r = symbol->rotation;
    if (r >= 1 && r <= 8) {
      setRotation(*symbol, turnRotation(r, turn->first));
    } else if (r >= 9 && r <= 16) {
      setRotation(*symbol, turnRotation(r, turn->second));
    }
  }
}

void SWSign::rotateHandAndArrow(Symbol& arrow) {
  const int r = arrowRotation();
  const int o = arrow.rotation;
  if (r == 0 || r == o) return;
  if (!handBeforeMove) {
    report(QStringLiteral("rotateHandAndArrow"), QStringLiteral("missing hand before movement"));
    return;
  }
  Symbol& hb = *handBeforeMove;
  Symbol* ha = handAfterMove.get();
  // Hands lying in the floor plane turn with the arrow: as many steps as
  // the arrow's direction turns.
  const int steps = stepsBetween(directionOfRotation(o), r);
  setRotation(arrow, r);
  for (Symbol* hand : {&hb, ha}) {
    if (!hand || hand->fill <= 3) continue;
    setRotation(*hand, turnCounterClockwise(hand->rotation, steps));
  }

  // Horizontal: the arrow beside the hand before the movement, the hand
  // after the movement beyond the arrow.
  if (r >= 6 && r <= 8) {
    arrow.location.setX(hb.location.x() + hb.size.width());
    if (ha) ha->location.setX(arrow.location.x() + arrow.size.width());
  } else if (r >= 2 && r <= 4) {
    arrow.location.setX(hb.location.x() - arrow.size.width());
    if (ha) ha->location.setX(arrow.location.x() - ha->size.width());
  }
  // Vertical.
  if (r == 2 || r == 8) {
    arrow.location.setY(hb.location.y() - arrow.size.height());
    if (ha) ha->location.setY(arrow.location.y() - ha->size.height());
  } else if (r == 4 || r == 6) {
    arrow.location.setY(hb.location.y() + hb.size.height());
    if (ha) ha->location.setY(arrow.location.y() + arrow.size.height());
  } else if (r == 3 || r == 7) {
    arrow.location.setY(hb.location.y() + hb.size.height() / 2 - arrow.size.height() / 2);
    if (ha) ha->location.setY(arrow.location.y() + arrow.size.height() / 2 - ha->size.height() / 2);
    for (Symbol* hand : {&hb, ha}) {
      if (!hand) continue;
      if ((hand->fill == 3 && o == 1) || (hand->fill == 1 && o == 5)) {
        setFill(*hand, 2);
        if (r == 7) setRotation(*hand, 9);
      }
    }
  }
  if (dbSign.source == u"1") adjustHeadsAfterMove(arrow);
}

void SWSign::adjustHeadsAfterMove(const Symbol& arrow) {
  QList<SymbolPtr> heads;
  for (const SymbolPtr& symbol : symbols) {
    if (symbol->category != Category::headFace) break;
    heads.append(symbol);
  }
  if (heads.isEmpty()) return;
  QList<QRectF> obstacles{rectOf(arrow)};
  if (handAfterMove) obstacles.append(rectOf(*handAfterMove));
  double lift = 0;
  const QRectF box = unionRect(heads);
  for (const QRectF& obstacle : obstacles) {
    if (box.intersects(obstacle)) lift = std::max(lift, box.bottom() - obstacle.top());
  }
  if (lift <= 0) return;
  for (const SymbolPtr& head : heads) head->location.ry() -= lift;
}

void SWSign::inflectType43() {
  if (!dirArrow) return;
  const int r = arrowRotation();
  const int from = directionOfRotation(dirArrow->rotation);
  if (r == 0 || from == 0 || r == from) return;
  const int steps = stepsBetween(from, r);
  QList<SymbolPtr> turning{dirArrow};
  if (dirArrow->complement) turning.append(dirArrow->complement);
  for (const SymbolPtr& arrow : QList<SymbolPtr>(turning)) {
    setRotation(*arrow, turnCounterClockwise(arrow->rotation, steps));
  }
  QList<SymbolPtr> hands;
  for (const SymbolPtr& hand : {handBeforeMove, handAfterMove}) {
    if (!hand) continue;
    hands.append(hand);
    if (hand->complement && !hands.contains(hand->complement)) hands.append(hand->complement);
  }
  for (const SymbolPtr& hand : hands) turnAboutCentre(*hand, turnCounterClockwise(hand->rotation, steps));
  for (const SymbolPtr& arrow : turning) placeArrow(*arrow);
}

// ------------------------------------------------------------------ plurals

namespace {
SymbolPtr fannedCopy(const Symbol& arrow, int rotation, bool first) {
  auto copy = std::make_shared<Symbol>(arrow);
  const QPointF offset = fanOffset(arrow.size.height(), first);
  setRotation(*copy, rotation);
  copy->location = arrow.location + offset;
  return copy;
}
}  // namespace

void SWSign::inflectForPlural() {
  const QString& position = dbSign.position;
  const QString& modifier = dbSign.modifier;
  if (position == u"s" || modifier == u"s" || modifier == u"**") {
    const QList<SymbolPtr> list = arrows();
    if (list.isEmpty()) return;
    Symbol& arrow = *list.front();
    auto copy = std::make_shared<Symbol>(arrow);
    const int r = arrow.rotation;
    if (r == 3 || r == 7 || r == 11 || r == 15) {
      arrow.location.ry() -= arrow.size.height() / 2;
      copy->location = QPointF(arrow.location.x(), arrow.location.y() + arrow.size.height());
    } else {
      arrow.location.rx() -= arrow.size.width() / 2;
      copy->location = QPointF(arrow.location.x() + arrow.size.width(), arrow.location.y());
    }
    symbols.append(copy);
    return;
  }
  if (position == u"3s") {
    const double width = unionRect(symbols).width();
    for (const SymbolPtr& symbol : QList<SymbolPtr>(symbols)) {
      auto copy = std::make_shared<Symbol>(*symbol);
      copy->location.rx() += width;
      symbols.append(copy);
    }
    return;
  }
  if ((dbSign.source.isEmpty() || dbSign.source == u"1") && dbSign.destination == u"3s") {
    for (const SymbolPtr& arrow : arrows()) {
      if (arrow->rotation == 1) {
        symbols.append(fannedCopy(*arrow, 2, true));
        symbols.append(fannedCopy(*arrow, 8, false));
      } else if (arrow->rotation == 5) {
        symbols.append(fannedCopy(*arrow, 4, true));
        symbols.append(fannedCopy(*arrow, 6, false));
      }
    }
    return;
  }
  if (dbSign.source == u"3s" && dbSign.destination == u"1") makePluralFormOfVerb3sTo1();
}

void SWSign::makePluralFormOfVerb3sTo1() {
  if (!m_symbolOrderInferred) inferSymbolOrder();
  if (!handBeforeMove) {
    report(QStringLiteral("makePluralFormOfVerb3sTo1()"), QStringLiteral("missing hand before movement"));
    return;
  }
  for (const SymbolPtr& arrow : arrows()) {
    if (arrow->rotation != 5) continue;
    const QList<SymbolPtr> hands = handsForFill(arrow->fill);
    const QRectF handBox = unionRect(hands);
    for (const bool first : {true, false}) {
      SymbolPtr copy = fannedCopy(*arrow, first ? 4 : 6, first);
      symbols.append(copy);
      if (hands.isEmpty()) continue;
      const QPointF handAt = handOriginForArrow(copy->rotation, copy->fill, copy->location, handBox.size(), copy->size);
      const QPointF shift = handAt - handBox.topLeft();
      for (const SymbolPtr& hand : hands) {
        auto handCopy = std::make_shared<Symbol>(*hand);
        handCopy->location += shift;
        symbols.append(handCopy);
      }
    }
  }
}

}  // namespace quabe
