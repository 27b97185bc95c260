#include "notation/SWSign.h"

#include <bit>

#include "core/Logging.h"
#include "document/Sign.h"
#include "notation/InflectionRules.h"
#include "notation/NotationDictionary.h"
#include "symbols/ISWA.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

int InflectionParams::size() const { return std::popcount(m_bits); }

SWSign::~SWSign() {
  // Partners of two-handed pairs point at each other; break the cycles.
  for (const SymbolPtr& symbol : symbols) {
    if (symbol) symbol->complement.reset();
  }
}

// ---------------------------------------------------------------- helpers

namespace notation {

QRectF rectOf(const Symbol& symbol) { return QRectF(symbol.location, symbol.size); }

QRectF unionRect(const QList<SymbolPtr>& list) {
  QRectF box;
  bool first = true;
  for (const SymbolPtr& symbol : list) {
    const QRectF rect = rectOf(*symbol);
    if (first) {
      box = rect;
      first = false;
    } else {
      // QRectF::united ignores empty rectangles; a symbol of unknown (zero)
      // size still marks its corner.
      const double left = std::min(box.left(), rect.left());
      const double top = std::min(box.top(), rect.top());
      const double right = std::max(box.right(), rect.right());
      const double bottom = std::max(box.bottom(), rect.bottom());
      box = QRectF(left, top, right - left, bottom - top);
    }
  }
  return box;
}

bool isHand(const Symbol& symbol) { return symbol.category == Category::hand; }

bool isArrow(const Symbol& symbol) {
  return symbol.category == Category::movement && symbol.group >= 3 && symbol.group <= 10;
}

Hand sideOf(const Symbol& symbol) {
  if (symbol.hand == Hand::right || symbol.hand == Hand::left) return symbol.hand;
  if (symbol.rotation >= 1 && symbol.rotation <= 8) return Hand::right;
  if (symbol.rotation >= 9 && symbol.rotation <= 16) return Hand::left;
  return Hand::none;
}

void refreshSize(Symbol& symbol) { symbol.size = SymbolArchive::shared().symbolSize(symbol.sss()); }

void setRotation(Symbol& symbol, int rotation) {
  if (symbol.rotation == rotation) return;
  symbol.rotation = rotation;
  refreshSize(symbol);
}

void setFill(Symbol& symbol, int fill) {
  if (symbol.fill == fill) return;
  symbol.fill = fill;
  refreshSize(symbol);
}

void turnAboutCentre(Symbol& symbol, int newRotation) {
  const QPointF centre = rectOf(symbol).center();
  setRotation(symbol, newRotation);
  symbol.location = centre - QPointF(symbol.size.width() / 2, symbol.size.height() / 2);
}

}  // namespace notation

using namespace notation;

void SWSign::report(const QString& where, const QString& message) const {
  qCDebug(lcNotation).noquote() << where + QStringLiteral(":") << message;
  problems.append(message);
}

int SWSign::sourcePerson() const { return personForPlace(dbSign.source); }
int SWSign::destinationPerson() const { return personForPlace(dbSign.destination); }

QList<SymbolPtr> SWSign::arrows() const {
  QList<SymbolPtr> result;
  for (const SymbolPtr& symbol : symbols) {
    if (isArrow(*symbol)) result.append(symbol);
  }
  return result;
}

QList<SymbolPtr> SWSign::handsForFill(int fill) const {
  QList<SymbolPtr> result;
  if (fill < 1 || fill > 3) return result;
  for (const SymbolPtr& symbol : symbols) {
    if (!isHand(*symbol)) continue;
    if (fill == 3 || (fill == 1 && sideOf(*symbol) == Hand::right) || (fill == 2 && sideOf(*symbol) == Hand::left)) {
      result.append(symbol);
    }
  }
  return result;
}

// ---------------------------------------------------------- choosing entries

InflectionParams SWSign::matchedParams(const DbSign& candidate) const {
  InflectionParams params;
  if (!dbSign.handshape.isEmpty() && dbSign.handshape == candidate.handshape) params.insert(InflectionParam::handshape);
  if (!dbSign.position.isEmpty() && laneForPosition(dbSign.position) == laneForPosition(candidate.position)) {
    params.insert(InflectionParam::position);
  }
  const int s = personForPlace(dbSign.source);
  const int d = personForPlace(dbSign.destination);
  const int cs = personForPlace(candidate.source);
  const int cd = personForPlace(candidate.destination);
  if (s != 0 && d != 0 && s == cs && d == cd) {
    params.insert(InflectionParam::source);
    params.insert(InflectionParam::destination);
  } else if (s != 0 && s == cs) {
    params.insert(InflectionParam::source);
  } else if (d != 0 && d == cd) {
    params.insert(InflectionParam::destination);
  } else if (d > 1 && cs == 1) {
    params.insert(InflectionParam::source);
  } else if (s > 1 && cd == 1) {
    params.insert(InflectionParam::destination);
  }
  if (!dbSign.modifier.isEmpty() && dbSign.modifier == candidate.modifier) params.insert(InflectionParam::modifier);
  if (!dbSign.nmm.isEmpty() && dbSign.nmm == candidate.nmm) params.insert(InflectionParam::nmm);
  return params;
}

// A symbol of a spelling row at the row's position. Its size comes from the
// archive's remembered sizes.
SymbolPtr SWSign::symbolFromRow(const DbISWA& row) {
  auto symbol = std::make_shared<Symbol>(row);
  symbol->location = QPointF(row.x, row.y);
  return symbol;
}

bool SWSign::loadSymbols(NotationDictionary& dictionary) {
  QList<qint64> candidates = dictionary.candidates(dbSign.gloss, dbSign.tag);
  if (candidates.isEmpty()) return false;

  std::optional<DbSign> chosen;
  if (candidates.size() == 1) {
    chosen = dictionary.entry(candidates.front());
  } else {
    InflectionParams best;
    for (const qint64 id : candidates) {
      std::optional<DbSign> entry = dictionary.entry(id);
      if (!entry) continue;
      const InflectionParams params = matchedParams(*entry);
      if (!chosen || params.size() > best.size()) {
        chosen = std::move(entry);
        best = params;
      }
    }
    if (chosen) {
      dictParams = best;
      candidates.removeOne(chosen->signID);
      dbSign.candidates = candidates;
      dbSign.isAmbiguous = true;
    }
  }
  if (!chosen) return false;

  dbSign.signID = chosen->signID;
  dbSign.width = chosen->width;
  dbSign.height = chosen->height;
  dbSign.gloss = chosen->gloss;
  dbSign.yomi = chosen->yomi;
  dbSign.inflectionType = chosen->inflectionType;
  dbSign.modificationType = chosen->modificationType;
  dbSign.comment = chosen->comment;
  dbSign.creationTime = chosen->creationTime;
  dbSign.modificationTime = chosen->modificationTime;
  // A compound has no spelling of its own; the converter makes it from its
  // constituents.
  dbSign.isCompound = chosen->isCompound;
  dbSign.constituentIDs = chosen->constituentIDs;
  dbSign.constituents = chosen->constituents;

  for (const DbISWA& row : dictionary.spelling(*chosen)) symbols.append(symbolFromRow(row));
  for (const SymbolPtr& symbol : symbols) {
    if (symbol->category == Category::headFace) headExists = true;
  }
  return true;
}

// ---------------------------------------------------------------- handshape

void SWSign::changeHandshape(NotationDictionary& dictionary) {
  // A word without an entry has no hands (it is reported as unknown).
  if (dbSign.handshape.isEmpty() || symbols.isEmpty()) return;
  const std::optional<Symbol> shape = dictionary.handshape(dbSign.handshape);
  if (!shape) {
    report(QStringLiteral("changeHandshape()"), QStringLiteral("unknown handshape: ") + dbSign.handshape);
    return;
  }
  QList<SymbolPtr> targets;
  QList<SymbolPtr> changeable;
  for (const SymbolPtr& symbol : symbols) {
    if (!isHand(*symbol) || symbol->hand != Hand::both) continue;
    targets.append(symbol);
    if (symbol->isChangeableHand) changeable.append(symbol);
  }
  if (!changeable.isEmpty()) targets = changeable;
  if (targets.isEmpty()) {
    // Only hands the entry marks for both sides take a named shape.
    report(QStringLiteral("changeHandshape()"), QStringLiteral("no hand takes the handshape ") + dbSign.handshape);
    return;
  }

  // A pair takes the shape together: the second hand keeps being the mirror
  // image of the first when it was drawn in the other rotation set.
  const bool pairMirrored = targets.size() >= 2 && sideOf(*targets[0]) != sideOf(*targets[1]);
  targets[0]->takeShape(&*shape);
  if (targets[0]->size.isEmpty()) refreshSize(*targets[0]);
  if (targets.size() >= 2) {
    targets[1]->takeShape(&*shape);
    if (pairMirrored && targets[1]->rotation >= 1 && targets[1]->rotation <= 16) {
      // Left-right mirror: rotation r and r + 8 are mirror images.
      targets[1]->rotation = (targets[1]->rotation + 7) % 16 + 1;
      refreshSize(*targets[1]);
    } else if (targets[1]->size.isEmpty()) {
      refreshSize(*targets[1]);
    }
  }
}

void SWSign::assignLane() {
  if (!dictParams.contains(InflectionParam::position)) lane = laneForPosition(dbSign.position);
}

// ------------------------------------------------------- non-manual markers

void SWSign::addNonManualMarkers(NotationDictionary& dictionary) {
  if (dbSign.nmm.isEmpty()) return;
  // The first marker of the list; an argument in parentheses is not part of
  // its name.
  QString name = dbSign.nmm.section(QLatin1Char(','), 0, 0);
  for (qsizetype i = 0; i < name.size(); ++i) {
    if (name.at(i) == QLatin1Char('(') || name.at(i) == QChar(0xFF08)) {
      name.truncate(i);
      break;
    }
  }
  name = name.trimmed();
  if (name.isEmpty()) return;
  const QList<Symbol> rows = dictionary.nonManualMarker(name);
  if (rows.isEmpty()) return;

  SymbolPtr head;
  for (const SymbolPtr& symbol : symbols) {
    if (symbol->category == Category::headFace) {
      head = symbol;
      break;
    }
  }
  // The table gives each marker symbol's place relative to the top-left
  // corner of a head. With a head they go there; without one, the first
  // marker symbol stands centred above the sign and the others keep their
  // places relative to it.
  QPointF shift;
  if (head) {
    shift = head->location;
  } else {
    const QRectF box = unionRect(symbols);
    const Symbol& first = rows.front();
    const QPointF firstAt(box.x() + box.width() / 2 - first.size.width() / 2, box.y() - first.size.height());
    shift = firstAt - first.location;
  }
  for (const Symbol& row : rows) {
    auto marker = std::make_shared<Symbol>(row);
    marker->location = row.location + shift;
    if (marker->size.isEmpty()) refreshSize(*marker);
    symbols.append(std::move(marker));
  }
  const QRectF all = unionRect(symbols);
  if (all.y() < 0) {
    for (const SymbolPtr& symbol : symbols) symbol->location.ry() -= all.y();
  }
}

}  // namespace quabe
