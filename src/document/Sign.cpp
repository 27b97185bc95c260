#include "document/Sign.h"

#include <QPainter>
#include <array>
#include <cmath>

#include "core/Logging.h"
#include "document/DbSign.h"
#include "document/SymbolSelection.h"

namespace quabe {

namespace {

Hand handFromRaw(int raw) { return (raw >= 0 && raw <= 3) ? Hand(raw) : Hand::none; }

// A placed symbol for one spelling row, or nullptr when the archive lacks the code.
ISWAPtr symbolForRow(const DbISWA& row, const QString& where) {
  std::optional<ISWA> made = ISWA::make(row.sss, handFromRaw(int(row.hand)));
  if (!made) {
    qCWarning(lcDocument).noquote() << where + QStringLiteral(": no image for symbol") << row.sss;
    return nullptr;
  }
  auto symbol = std::make_shared<ISWA>(std::move(*made));
  symbol->changeableHand = row.changeableHand != 0;
  symbol->turnableArrow = row.turnableArrow != 0;
  symbol->modifiableArrow = row.modifiableArrow != 0;
  symbol->rect.moveTopLeft(QPointF(row.x, row.y));
  return symbol;
}

}  // namespace

Sign::Sign() : jjs(std::make_shared<DbSign>()) {}

Sign::Sign(std::shared_ptr<DbSign> entry, const QList<DbISWA>& rows)
    : jjs(entry ? std::move(entry) : std::make_shared<DbSign>()) {
  for (const DbISWA& row : rows) {
    if (ISWAPtr symbol = symbolForRow(row, QStringLiteral("Sign(jjs:rows:)"))) symbols.append(symbol);
  }
  updateBounds();
}

Sign::~Sign() = default;

SignPtr Sign::copy() const {
  auto sign = std::make_shared<Sign>();
  copyInto(*sign);
  return sign;
}

void Sign::copyInto(Sign& target) const {
  static_cast<SignFields&>(target) = *this;
  target.symbols.clear();
  for (const ISWAPtr& symbol : symbols) target.symbols.append(std::make_shared<ISWA>(symbol->copy()));
  target.jjs = std::make_shared<DbSign>(*jjs);
  target.constituents.reset();
  if (constituents) {
    QList<SignPtr> copies;
    for (const SignPtr& constituent : *constituents) copies.append(constituent ? constituent->copy() : nullptr);
    target.constituents = copies;
  }
}

bool Sign::isEmpty() const { return symbols.isEmpty(); }

void Sign::updateBounds() {
  if (symbols.isEmpty()) {
    leftMost = topMost = rightMost = bottomMost = 0;
  } else {
    const QRectF& first = symbols.first()->rect;
    leftMost = first.x();
    topMost = first.y();
    rightMost = first.x() + first.width();
    bottomMost = first.y() + first.height();
    for (qsizetype i = 1; i < symbols.size(); ++i) {
      const QRectF& r = symbols[i]->rect;
      leftMost = std::min(leftMost, r.x());
      topMost = std::min(topMost, r.y());
      rightMost = std::max(rightMost, r.x() + r.width());
      bottomMost = std::max(bottomMost, r.y() + r.height());
    }
  }
  width = rightMost - leftMost;
  height = bottomMost - topMost;
}

void Sign::includeSymbol(const ISWA& symbol) {
  const QRectF& r = symbol.rect;
  leftMost = std::min(leftMost, r.x());
  rightMost = std::max(rightMost, r.x() + r.width());
  topMost = std::min(topMost, r.y());
  bottomMost = std::max(bottomMost, r.y() + r.height());
  width = rightMost - leftMost;
  height = bottomMost - topMost;
  if (topMost < 0) {
    const qreal dy = -topMost;
    for (const ISWAPtr& s : symbols) s->rect.translate(0, dy);
    bottomMost += dy;
    topMost = 0;
  }
  if (leftMost < 0) {
    const qreal dx = -leftMost;
    for (const ISWAPtr& s : symbols) s->rect.translate(dx, 0);
    rightMost += dx;
    leftMost = 0;
  }
}

void Sign::addSymbol(const ISWAPtr& symbol) {
  if (!symbol) return;
  symbols.append(symbol);
  includeSymbol(*symbol);
}

void Sign::shiftAll(qreal dx, qreal dy) {
  for (const ISWAPtr& s : symbols) s->rect.translate(dx, dy);
}

void Sign::center(qreal boxWidth, qreal boxHeight, bool vertical) {
  if (symbols.isEmpty()) return;
  if (vertical) {
    centerInVMode(boxWidth, boxHeight);
  } else {
    centerInHMode(boxWidth, boxHeight);
  }
}

void Sign::centerInHMode(qreal w, qreal h) {
  if (symbols.isEmpty()) return;
  const qreal dx = (w - width) / 2 - leftMost;
  qreal dy = 0;
  ISWAPtr head;
  for (const ISWAPtr& s : symbols) {
    if (SSS::categoryField(s->sss()) == 4) {
      head = s;
      break;
    }
  }
  if (head) {
    dy = (h / 3 - head->rect.height() / 2) - head->rect.y();
    if (topMost + dy < 0) {
      dy = -topMost;
    } else if (bottomMost + dy > h) {
      dy = h - bottomMost;
    }
  } else {
    dy = (h - height) / 2 - topMost;
  }
  shiftAll(dx, dy);
  updateBounds();
}

void Sign::centerInVMode(qreal w, qreal h) {
  if (symbols.isEmpty()) return;
  ISWAPtr anchor;
  for (const ISWAPtr& s : symbols) {
    const SymbolCode code = s->sss();
    const int category = SSS::categoryField(code);
    if (category == 4 || (category == 5 && SSS::group(code) == 1)) {
      anchor = s;
      break;
    }
  }
  qreal c = 0;
  if (anchor) {
    c = anchor->rect.x() + anchor->rect.width() / 2;
    if (w / 2 - c + rightMost > w) {
      c = rightMost - w / 2;
    } else if (w / 2 - c + leftMost < 0) {
      c = w / 2 + leftMost;
    }
  } else {
    c = leftMost + width / 2;
  }
  const qreal d = c - leftMost;
  qreal t = 0;
  if (lane < 0) {
    t = std::max(w / 4, d);
  } else if (lane == 0) {
    t = w / 2;
  } else {
    t = 3 * w / 4;
    if (t + (width - d) > w) t = w - (width - d);
  }
  const qreal dx = t - c;
  const qreal dy = std::max(height, h) / 2 - (topMost + height / 2);
  shiftAll(dx, dy);
  updateBounds();
}

QList<Sign::ShownSymbol> Sign::shownSymbols(bool) const {
  QList<ShownSymbol> shown;
  for (const ISWAPtr& s : symbols)
    if (s) shown.append({s, s->rect.topLeft()});
  return shown;
}

qsizetype Sign::indexOfSymbol(const ISWA* symbol) const {
  for (qsizetype i = 0; i < symbols.size(); ++i) {
    if (symbols[i].get() == symbol) return i;
  }
  return -1;
}

QList<ISWAPtr> Sign::selectedSymbols(const SymbolSelection& selection) const {
  QList<ISWAPtr> result;
  // Each symbol once, even if a caller listed it twice.
  for (const ISWAPtr& symbol : selection.symbols()) {
    if (containsSymbol(symbol.get()) && !result.contains(symbol)) result.append(symbol);
  }
  return result;
}

QImage Sign::image() const {
  const int w = int(std::ceil(width));
  const int h = int(std::ceil(height));
  if (symbols.isEmpty() || w <= 0 || h <= 0) return QImage();
  QImage picture(w, h, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  for (const ISWAPtr& s : symbols) painter.drawImage(s->rect.topLeft() - QPointF(leftMost, topMost), s->image());
  painter.end();
  return picture;
}

// --- integrating arrows ---

namespace {

// Merges one bucket of parallel straight arrows (2 or 3, close enough) into a
// double or triple arrow; nullptr when the bucket does not merge.
ISWAPtr mergeArrowBucket(const QList<ISWAPtr>& bucket) {
  const qsizetype n = bucket.size();
  if (n != 2 && n != 3) return nullptr;
  ISWAPtr top = bucket[0], left = bucket[0], right = bucket[0], bottom = bucket[0];
  for (const ISWAPtr& a : bucket) {
    if (a->rect.y() < top->rect.y()) top = a;
    if (a->rect.x() < left->rect.x()) left = a;
    if (a->rect.x() > right->rect.x()) right = a;
    if (a->rect.y() > bottom->rect.y()) bottom = a;
  }
  const qreal limit = n == 2 ? 60 : 80;
  if (bottom->rect.y() - top->rect.y() > limit || right->rect.x() - left->rect.x() > limit) return nullptr;

  auto rotationOf = [](const ISWAPtr& a) { return SSS::rotation(a->sss()); };
  const int r0 = rotationOf(bucket[0]);
  bool allSame = true;
  for (const ISWAPtr& a : bucket) allSame = allSame && rotationOf(a) == r0;

  int baseSymbol = 0;
  int rotation = 0;
  if (n == 3) {
    if (allSame) {
      baseSymbol = 5;
      rotation = r0;
    } else if ((r0 - 1) % 4 < 2) {
      if (rotationOf(left) != rotationOf(right)) return nullptr;
      baseSymbol = 6;
      rotation = rotationOf(right);
    } else {
      if (rotationOf(top) != rotationOf(bottom)) return nullptr;
      baseSymbol = 6;
      rotation = rotationOf(top);
    }
  } else if (allSame) {
    baseSymbol = 2;
    rotation = r0;
  } else {
    baseSymbol = 3;
    if ((r0 - 1) % 4 == 2) {
      rotation = rotationOf(top) == 3 ? 3 : 11;
    } else {
      switch (rotationOf(right)) {
        case 4:
          rotation = 10;
          break;
        case 5:
          rotation = 9;
          break;
        case 6:
          rotation = 12;
          break;
        case 3:
        case 7:
          rotation = r0;
          break;
        default:
          rotation = rotationOf(right);
      }
    }
  }
  const SymbolCode first = bucket[0]->sss();
  const SymbolCode code = SSS::make(quint32(SSS::categoryField(first)), quint32(SSS::group(first)), quint32(baseSymbol),
                                    1, quint32(SSS::fill(first)), quint32(rotation));
  std::optional<ISWA> merged = ISWA::make(code, Hand::none);
  if (!merged) {
    qCWarning(lcDocument).noquote() << "no image for merged arrow" << SSS::toString(code);
    return nullptr;
  }
  merged->rect.moveTopLeft(QPointF(left->rect.x(), top->rect.y()));
  return std::make_shared<ISWA>(std::move(*merged));
}

}  // namespace

void Sign::integrateArrows(SymbolSelection* selection) {
  // Straight arrows of the wall (group 3) and floor (group 5) planes, with
  // fills 1-3; the two directions of an axis share a bucket.
  std::array<QList<ISWAPtr>, 24> buckets;
  for (const ISWAPtr& s : symbols) {
    const SymbolCode code = s->sss();
    const int group = SSS::group(code);
    const int fill = SSS::fill(code);
    const int rotation = SSS::rotation(code);
    if (SSS::categoryField(code) != 2 || (group != 3 && group != 5) || SSS::baseSymbol(code) != 1 ||
        SSS::variation(code) >= 5 || fill < 1 || fill >= 4 || rotation < 1 || rotation > 8)
      continue;
    buckets[size_t((rotation - 1) % 4 + 4 * (fill - 1) + (group == 3 ? 0 : 12))].append(s);
  }
  bool merged = false;
  for (const QList<ISWAPtr>& bucket : buckets) {
    ISWAPtr arrow = mergeArrowBucket(bucket);
    if (!arrow) continue;
    for (const ISWAPtr& old : bucket) {
      const qsizetype index = indexOfSymbol(old.get());
      if (index < 0) {
        continue;
      }
      symbols.removeAt(index);
      if (selection) selection->remove(old.get());
    }
    symbols.append(arrow);
    merged = true;
  }
  if (merged) updateBounds();
}

}  // namespace quabe
