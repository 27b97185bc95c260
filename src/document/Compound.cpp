#include "document/Compound.h"

#include "core/Logging.h"
#include "document/DbSign.h"

namespace quabe {

Compound::Compound() {
  constituentIDs = QList<qint64>();
  constituents = QList<SignPtr>();
  offsets = QList<QPointF>();
}

Compound::Compound(std::shared_ptr<DbSign> entry, const QList<SignPtr>& parts) : Compound() {
  if (entry) jjs = std::move(entry);
  constituentIDs = jjs->constituentIDs.value_or(QList<qint64>());
  constituents = parts;
  setSizeAndOffset();
}

SignPtr Compound::copy() const {
  auto compound = std::make_shared<Compound>();
  copyInto(*compound);
  compound->sizeInVMode = sizeInVMode;
  compound->sizeInHMode = sizeInHMode;
  return compound;
}

bool Compound::isEmpty() const { return !constituents || constituents->isEmpty(); }

void Compound::setSizeAndOffset() {
  const QList<SignPtr> parts = constituents.value_or(QList<SignPtr>());
  for (const SignPtr& part : parts) {
    if (!part) {
      qCWarning(lcDocument) << "a compound with a missing constituent";
      return;
    }
  }
  qreal offsetX = 0, offsetY = 0, maxWidth = 0, maxHeight = 0;
  QList<QPointF> positions;
  leftMostInVMode = 1024;
  topMostInHMode = 1024;
  for (const SignPtr& part : parts) {
    // Each offset serves both arrangements: x is the left edge side by side,
    // y the top edge when stacked.
    positions.append(QPointF(offsetX, offsetY));
    offsetX += part->width + Separation;
    offsetY += part->height + Separation;
    maxWidth = std::max(maxWidth, part->width);
    maxHeight = std::max(maxHeight, part->height);
    leftMostInVMode = std::min(leftMostInVMode, part->leftMost);
    topMostInHMode = std::min(topMostInHMode, part->topMost);
  }
  // The running offsets include one separation too many after the last part.
  const qreal lastGap = parts.isEmpty() ? 0 : Separation;
  sizeInHMode = QSizeF(offsetX - lastGap, maxHeight);
  sizeInVMode = QSizeF(maxWidth, offsetY - lastGap);
  offsets = positions;
}

QList<Sign::ShownSymbol> Compound::shownSymbols(bool vertical) const {
  QList<ShownSymbol> shown;
  const QList<SignPtr> parts = constituents.value_or(QList<SignPtr>());
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (!parts[i]) continue;
    // The offset's y stacks the constituents in columns, its x sets them side
    // by side in rows.
    const QPointF offset = offsets && i < offsets->size() ? offsets->at(i) : QPointF();
    const QPointF shift =
        vertical ? QPointF(0, offset.y() - parts[i]->topMost) : QPointF(offset.x() - parts[i]->leftMost, 0);
    for (const ShownSymbol& s : parts[i]->shownSymbols(vertical)) shown.append({s.symbol, s.position + shift});
  }
  shown += Sign::shownSymbols(vertical);
  return shown;
}

void Compound::center(qreal boxWidth, qreal boxHeight, bool vertical) {
  if (!constituents) return;
  for (const SignPtr& part : *constituents) {
    if (part) part->center(boxWidth, boxHeight, vertical);
  }
}

}  // namespace quabe
