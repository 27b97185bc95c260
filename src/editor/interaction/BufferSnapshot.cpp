#include "editor/interaction/BufferSnapshot.h"

#include <QHash>
#include <QSet>

#include "document/Compound.h"
#include "document/DbSign.h"

namespace quabe {

namespace {

bool sameSymbol(const ISWA& a, const ISWA& b) {
  return a.sss() == b.sss() && a.rect == b.rect && a.hand == b.hand && a.changeableHand == b.changeableHand &&
         a.turnableArrow == b.turnableArrow && a.modifiableArrow == b.modifiableArrow && a.symbolColor == b.symbolColor;
}

bool sameEntry(const DbSign& a, const DbSign& b) {
  return a.signID == b.signID && a.gloss == b.gloss && a.tag == b.tag && a.yomi == b.yomi && a.stdGloss == b.stdGloss &&
         a.handshape == b.handshape && a.dHandshape == b.dHandshape && a.position == b.position &&
         a.source == b.source && a.destination == b.destination && a.modifier == b.modifier && a.nmm == b.nmm &&
         a.jjsText == b.jjsText && a.width == b.width && a.height == b.height && a.inflectionType == b.inflectionType &&
         a.modificationType == b.modificationType && a.isForHandshape == b.isForHandshape && a.comment == b.comment &&
         a.creationTime == b.creationTime && a.modificationTime == b.modificationTime && a.meanings == b.meanings &&
         a.isAmbiguous == b.isAmbiguous && a.isCompound == b.isCompound && a.constituentIDs == b.constituentIDs &&
         a.candidates == b.candidates;
}

bool sameConstituents(const std::optional<QList<SignPtr>>& a, const std::optional<QList<SignPtr>>& b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  if (a->size() != b->size()) return false;
  for (qsizetype i = 0; i < a->size(); ++i) {
    const SignPtr& x = a->at(i);
    const SignPtr& y = b->at(i);
    if (!x || !y) {
      if (x != y) return false;
      continue;
    }
    if (!sameSignContent(*x, *y)) return false;
  }
  return true;
}

}  // namespace

bool sameSignContent(const Sign& a, const Sign& b) {
  if (&a == &b) return true;
  const auto* ca = dynamic_cast<const Compound*>(&a);
  const auto* cb = dynamic_cast<const Compound*>(&b);
  if ((ca == nullptr) != (cb == nullptr)) return false;
  if (ca && (ca->_sizeInVMode != cb->_sizeInVMode || ca->_sizeInHMode != cb->_sizeInHMode)) return false;
  if (a.symbols.size() != b.symbols.size()) return false;
  for (qsizetype i = 0; i < a.symbols.size(); ++i) {
    const ISWAPtr& x = a.symbols[i];
    const ISWAPtr& y = b.symbols[i];
    if (!x || !y) {
      if (x != y) return false;
      continue;
    }
    if (!sameSymbol(*x, *y)) return false;
  }
  if (a.maxSymbolSerialNumber != b.maxSymbolSerialNumber || a.lane != b.lane || a.height != b.height ||
      a.width != b.width || a.leftMost != b.leftMost || a.topMost != b.topMost || a.rightMost != b.rightMost ||
      a.bottomMost != b.bottomMost || a.comment != b.comment || a.meanings != b.meanings || a.gloss != b.gloss ||
      a.constituentIDs != b.constituentIDs || a.offsets != b.offsets || a.leftMostInVMode != b.leftMostInVMode ||
      a.topMostInHMode != b.topMostInHMode)
    return false;
  if ((a.jjs == nullptr) != (b.jjs == nullptr)) return false;
  if (a.jjs && !sameEntry(*a.jjs, *b.jjs)) return false;
  return sameConstituents(a.constituents, b.constituents);
}

qsizetype BufferSnapshot::signCount() const {
  qsizetype n = 0;
  for (const QList<SignRecord>& line : lines) n += line.size();
  return n;
}

BufferSnapshot BufferSnapshot::capture(const BufferManager& buffer, const BufferSnapshot* previous, bool* changed) {
  BufferSnapshot snapshot;
  bool differs = previous == nullptr || previous->lines.size() != buffer.editBuffer.size();
  // Most signs keep their place between two captures; the index is built
  // only when a sign is not found at its old place.
  QHash<const Sign*, const SignRecord*> index;
  bool indexBuilt = false;
  auto findPrevious = [&](const Sign* sign, qsizetype line, qsizetype at) -> const SignRecord* {
    if (!previous) return nullptr;
    if (line < previous->lines.size() && at < previous->lines[line].size()) {
      const SignRecord& candidate = previous->lines[line][at];
      if (candidate.live.lock().get() == sign) return &candidate;
    }
    if (!indexBuilt) {
      for (const QList<SignRecord>& records : previous->lines)
        for (const SignRecord& record : records)
          if (const SignPtr live = record.live.lock()) index.insert(live.get(), &record);
      indexBuilt = true;
    }
    return index.value(sign, nullptr);
  };

  snapshot.lines.reserve(buffer.editBuffer.size());
  for (qsizetype l = 0; l < buffer.editBuffer.size(); ++l) {
    const QList<SignRecord>* oldLine = previous && l < previous->lines.size() ? &previous->lines[l] : nullptr;
    QList<SignRecord> records;
    // Unchanged lines share the previous snapshot's list.
    bool lineSame = oldLine != nullptr;
    const SignStringPtr& line = buffer.editBuffer[l];
    if (line) {
      records.reserve(line->signArray.size());
      if (lineSame && line->signArray.size() != oldLine->size()) lineSame = false;
      for (qsizetype i = 0; i < line->signArray.size(); ++i) {
        const SignPtr& sign = line->signArray[i];
        if (!sign) {
          lineSame = false;
          continue;
        }
        const SignRecord* old = findPrevious(sign.get(), l, i);
        if (old && sameSignContent(*sign, *old->copy)) {
          records.append({sign, old->copy});
          if (lineSame && &oldLine->at(i) != old) lineSame = false;
        } else {
          records.append({sign, std::const_pointer_cast<const Sign>(sign->copy())});
          lineSame = false;
        }
      }
    } else if (lineSame && !oldLine->isEmpty()) {
      lineSame = false;
    }
    if (!lineSame) differs = true;
    snapshot.lines.append(lineSame ? *oldLine : std::move(records));
  }
  if (changed) *changed = differs;
  return snapshot;
}

BufferSnapshot BufferSnapshot::restoreInto(BufferManager& buffer) const {
  BufferSnapshot current = *this;
  QSet<const Sign*> used;
  QList<SignStringPtr> lines;
  lines.reserve(this->lines.size());
  for (qsizetype l = 0; l < this->lines.size(); ++l) {
    auto line = std::make_shared<SignString>();
    line->signArray.reserve(this->lines[l].size());
    for (qsizetype i = 0; i < this->lines[l].size(); ++i) {
      const SignRecord& record = this->lines[l][i];
      SignPtr sign = record.live.lock();
      if (!sign || used.contains(sign.get()) || !sameSignContent(*sign, *record.copy)) sign = record.copy->copy();
      used.insert(sign.get());
      line->signArray.append(sign);
      current.lines[l][i].live = sign;
    }
    lines.append(std::move(line));
  }
  buffer.editBuffer = std::move(lines);
  buffer.cachedLine = -1;
  buffer.cachedNode = std::make_shared<SignString>();
  return current;
}

}  // namespace quabe
