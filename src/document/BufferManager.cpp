#include "document/BufferManager.h"

#include "core/Logging.h"
#include "document/Clipboards.h"

namespace quabe {

BufferManager::BufferManager() : cachedNode(std::make_shared<SignString>()) {
  auto first = std::make_shared<SignString>();
  first->signArray.append(std::make_shared<Sign>());
  editBuffer.append(first);
}

SignString& BufferManager::signClipboard() { return Clipboards::shared().signClipboard; }

SignStringPtr BufferManager::line(qsizetype index) {
  if (index < 0 || index >= editBuffer.size()) {
    qCWarning(lcDocument) << "line number out of range:" << index;
    return nullptr;
  }
  cachedLine = index;
  cachedNode = editBuffer[index];
  return cachedNode;
}

SignStringPtr BufferManager::insertLine(qsizetype index, SignStringPtr newLine) {
  if (!newLine) newLine = std::make_shared<SignString>();
  index = std::clamp<qsizetype>(index, 0, editBuffer.size());
  editBuffer.insert(index, newLine);
  cachedLine = -1;
  return newLine;
}

std::optional<BufferPosition> BufferManager::position(const Sign* sign) const {
  if (!sign) return std::nullopt;
  for (qsizetype l = 0; l < editBuffer.size(); ++l) {
    const qsizetype i = editBuffer[l]->index(sign);
    if (i >= 0) return BufferPosition{l, i};
  }
  return std::nullopt;
}

void BufferManager::appendLineBreak(qsizetype toLine) {
  SignStringPtr target = line(toLine < 0 ? editBuffer.size() - 1 : toLine);
  if (!target) return;
  if (target->count() >= 2 && target->endsWithEmptySign()) return;
  target->signArray.append(std::make_shared<Sign>());
}

void BufferManager::terminateAllLines() {
  for (qsizetype l = 0; l < editBuffer.size(); ++l) {
    const SignStringPtr& current = editBuffer[l];
    if (current->isEmpty() || !current->endsWithEmptySign()) appendLineBreak(l);
  }
}

void BufferManager::removeEmptyLastLine() {
  if (editBuffer.size() >= 2 && editBuffer.last()->isEmpty()) {
    editBuffer.removeLast();
    cachedLine = -1;
  }
}

bool BufferManager::replaceSign(const SignPtr& sign, qsizetype lineIndex, qsizetype index) {
  SignStringPtr target = line(lineIndex);
  if (!target || !sign || index < 0 || index >= target->count()) return false;
  target->signArray[index] = sign;
  return true;
}

SignPtr BufferManager::pasteSignsAt(qsizetype lineIndex, qsizetype offset) {
  // Copies of a snapshot: the clipboard may hold signs of this very line.
  QList<SignPtr> signs = signClipboard().signArray;
  for (SignPtr& sign : signs) sign = sign->copy();
  return insertSignsAt(lineIndex, offset, signs);
}

SignPtr BufferManager::insertSignsAt(qsizetype lineIndex, qsizetype offset, const QList<SignPtr>& signs) {
  SignStringPtr target = line(lineIndex);
  if (!target || offset < 0 || offset > target->count()) {
    qCWarning(lcDocument) << "no place to insert signs at line" << lineIndex << "offset" << offset;
    return nullptr;
  }
  for (qsizetype k = 0; k < signs.size(); ++k) target->signArray.insert(offset + k, signs[k]);
  offset += signs.size();
  if (offset >= target->count()) target->signArray.append(std::make_shared<Sign>());
  return target->at(offset);
}

void BufferManager::rotatePunctuation(bool flag) {
  for (const SignStringPtr& current : editBuffer) {
    for (const SignPtr& sign : current->signArray) {
      if (sign->symbols.isEmpty()) continue;
      ISWA& first = *sign->symbols.first();
      if (SSS::categoryField(first.sss()) != 7) continue;
      const int rotation = SSS::rotation(first.sss());
      const bool turn = flag ? (rotation == 3 || rotation == 7) : (rotation == 1 || rotation == 5);
      if (!turn) continue;
      first.rotate(90);
      sign->updateBounds();
    }
  }
}

bool BufferManager::copySign(const SignPtr& sign) {
  const std::optional<BufferPosition> at = position(sign.get());
  if (!at) return false;
  signClipboard().signArray = {editBuffer[at->line]->signArray[at->index]};
  return true;
}

bool BufferManager::cutSign(const SignPtr& sign) {
  const std::optional<BufferPosition> at = position(sign.get());
  if (!at) return false;
  copySign(sign);
  editBuffer[at->line]->signArray.removeAt(at->index);
  return true;
}

bool BufferManager::copySigns(const SignPtr& from, const SignPtr& to, bool cut) {
  std::optional<BufferPosition> start = position(from.get());
  std::optional<BufferPosition> end = position(to.get());
  if (!start || !end) return false;
  if (*end < *start) std::swap(start, end);
  SignString& clipboard = signClipboard();

  if (start->line == end->line) {
    SignString& current = *editBuffer[start->line];
    clipboard = SignString(current.signArray.mid(start->index, end->index - start->index + 1));
    if (cut) current.signArray.remove(start->index, end->index - start->index + 1);
    return true;
  }

  const QList<QList<SignPtr>> lines = signsBetween(from, to).value_or(QList<QList<SignPtr>>());
  clipboard.signArray.clear();
  for (const QList<SignPtr>& signs : lines) clipboard.signArray.append(signs);
  if (!cut) return true;

  for (qsizetype l = end->line; l >= start->line; --l) {
    SignString& current = *editBuffer[l];
    const qsizetype first = l == start->line ? start->index : 0;
    const qsizetype last = l == end->line ? end->index : current.count() - 1;
    if (last >= first) current.signArray.remove(first, last - first + 1);
    if (current.isEmpty()) editBuffer.removeAt(l);
  }
  cachedLine = -1;
  if (editBuffer.isEmpty()) {
    // The buffer never goes without a sign: the layout needs one to stand on.
    auto only = std::make_shared<SignString>();
    only->signArray.append(std::make_shared<Sign>());
    editBuffer.append(only);
  }
  return true;
}

std::optional<QList<QList<SignPtr>>> BufferManager::signsBetween(const SignPtr& from, const SignPtr& to) const {
  std::optional<BufferPosition> start = position(from.get());
  std::optional<BufferPosition> end = position(to.get());
  if (!start || !end) return std::nullopt;
  if (*end < *start) std::swap(start, end);
  if (start->line == end->line)
    return QList<QList<SignPtr>>{editBuffer[start->line]->signArray.mid(start->index, end->index - start->index + 1)};
  // A range over several lines. Line breaks are not content: the line-break
  // sign (an empty last sign) of every line the range touches stays out, so
  // pasting gives the signs alone.
  QList<QList<SignPtr>> lines;
  for (qsizetype l = start->line; l <= end->line; ++l) {
    const SignString& current = *editBuffer[l];
    const qsizetype first = l == start->line ? start->index : 0;
    const qsizetype last = l == end->line ? end->index : current.count() - 1;
    QList<SignPtr>& signs = lines.emplace_back();
    for (qsizetype i = first; i <= last; ++i) {
      const SignPtr& sign = current.signArray[i];
      const bool lineBreak = i == current.count() - 1 && sign->isEmpty();
      if (!lineBreak) signs.append(sign);
    }
  }
  return lines;
}

}  // namespace quabe
