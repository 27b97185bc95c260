#include "editor/interaction/BufferSnapshot.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <functional>

#include "document/Compound.h"
#include "document/DbSign.h"

namespace quabe {

namespace {

// Lists of shared objects compared by content, in order.
template <typename T, typename Same>
bool sameContents(const QList<std::shared_ptr<T>>& a, const QList<std::shared_ptr<T>>& b, Same same) {
  return std::equal(
      a.begin(), a.end(), b.begin(), b.end(),
      [&](const std::shared_ptr<T>& x, const std::shared_ptr<T>& y) { return x && y ? same(*x, *y) : x == y; });
}

}  // namespace

bool sameSignContent(const Sign& a, const Sign& b) {
  if (&a == &b) return true;
  const auto* ca = dynamic_cast<const Compound*>(&a);
  const auto* cb = dynamic_cast<const Compound*>(&b);
  if ((ca == nullptr) != (cb == nullptr)) return false;
  if (ca && (ca->sizeInVMode != cb->sizeInVMode || ca->sizeInHMode != cb->sizeInHMode)) return false;
  if (static_cast<const SignFields&>(a) != static_cast<const SignFields&>(b)) return false;
  if (!sameContents(a.symbols, b.symbols, std::equal_to<ISWA>())) return false;
  if ((a.jjs == nullptr) != (b.jjs == nullptr) || (a.jjs && *a.jjs != *b.jjs)) return false;
  if (a.constituents.has_value() != b.constituents.has_value()) return false;
  return !a.constituents || sameContents(*a.constituents, *b.constituents, sameSignContent);
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
