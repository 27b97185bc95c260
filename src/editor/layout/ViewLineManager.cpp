#include "editor/layout/ViewLineManager.h"

#include <algorithm>

#include "document/Compound.h"
#include "document/DbSign.h"
#include "document/SymbolSelection.h"
#include "editor/layout/CellText.h"

namespace quabe {

ViewLineManager::ViewLineManager(BufferManager* bufferMan, const Preferences* prefs, qreal canvasWidth,
                                 qreal canvasHeight)
    : bufferMan(bufferMan),
      prefs(prefs),
      cursorWidth(prefs->defaultSignBoxWidth),
      cursorHeight(prefs->defaultSignBoxHeight),
      canvasWidth(canvasWidth),
      canvasHeight(canvasHeight),
      textFont(CellText::font()) {}

// --- margins and extents ---

qreal ViewLineManager::leftMargin() const { return prefs->lineSpace * 0.5; }
qreal ViewLineManager::rightMargin() const { return prefs->lineSpace * 0.5; }
qreal ViewLineManager::topMargin() const { return prefs->minSignSpace * 0.5; }
qreal ViewLineManager::bottomMargin() const { return prefs->minSignSpace * 0.5; }
qreal ViewLineManager::maxSignWidth() const { return prefs->defaultSignBoxWidth; }
qreal ViewLineManager::maxSignHeight() const { return 2 * prefs->defaultSignBoxHeight; }

qreal ViewLineManager::signLength(const Sign& sign) const {
  if (sign.isEmpty()) return prefs->defaultSignBoxHeight;
  if (auto* compound = dynamic_cast<const Compound*>(&sign)) return compound->sizeInVMode.height();
  return sign.height;
}

qreal ViewLineManager::signBreadth(const Sign& sign) const {
  if (sign.isEmpty()) return prefs->defaultSignBoxWidth;
  if (auto* compound = dynamic_cast<const Compound*>(&sign)) return compound->sizeInVMode.width();
  return sign.width;
}

qreal ViewLineManager::lineWidth(qint64 line) const {
  if (line < 0 || line >= viewLines.size()) return 0;
  return viewLines[line].width;
}

qreal ViewLineManager::lineHeight(qint64 line) const {
  const QList<SignPtr> list = signs(line);
  if (list.isEmpty()) return 0;
  qreal sum = 0;
  for (const SignPtr& sign : list) sum += signLength(*sign);
  return sum + qreal(list.size() - 1) * prefs->lineSpace;
}

QRectF ViewLineManager::makeRect(Span along, Span across) const {
  return QRectF(across.start, along.start, across.length, along.length);
}

void ViewLineManager::setLineAcross(ViewLineInfo& line, Span across) const {
  line.left = across.start;
  line.width = across.length;
}

qreal ViewLineManager::justifiedSignSpace(qreal position, qint64 count) const {
  return (canvasLength() - position) / qreal(count) + prefs->minSignSpace - 1.0;
}

// --- sign access ---

SignStringPtr ViewLineManager::logicalLineOf(qint64 viewLine) const {
  if (viewLine < 0 || viewLine >= viewLines.size()) return nullptr;
  return bufferMan->line(viewLines[viewLine].logicalLine);
}

qint64 ViewLineManager::countOf(qint64 line) const {
  if (line < 0 || line >= viewLines.size()) return 0;
  return viewLines[line].count;
}

QList<SignPtr> ViewLineManager::signs(qint64 viewLine) const {
  const SignStringPtr logical = logicalLineOf(viewLine);
  if (!logical) return {};
  const ViewLineInfo& info = viewLines[viewLine];
  const qint64 end = std::min<qint64>(info.offset + info.count, logical->count());
  if (info.offset >= end) return {};
  return logical->signArray.mid(info.offset, end - info.offset);
}

SignPtr ViewLineManager::signAt(qint64 line, qint64 index) const {
  if (index < 0 || index >= countOf(line)) return nullptr;
  const SignStringPtr logical = logicalLineOf(line);
  return logical ? logical->at(viewLines[line].offset + index) : nullptr;
}

QList<SignPtr> ViewLineManager::selectedSigns() const {
  if (!hasRangeSelection()) {
    const SignPtr sign = currentSign();
    return sign ? QList<SignPtr>{sign} : QList<SignPtr>{};
  }
  const ViewPosition from = unpack(std::min(selectStart, selectEnd));
  const ViewPosition to = unpack(std::max(selectStart, selectEnd));
  QList<SignPtr> result;
  for (qint64 line = from.line; line <= to.line && line < viewLines.size(); ++line) {
    const QList<SignPtr> list = signs(line);
    const qint64 first = line == from.line ? from.index : 0;
    const qint64 last = line == to.line ? std::min<qint64>(to.index, list.size() - 1) : list.size() - 1;
    for (qint64 k = first; k <= last; ++k) result << list[k];
  }
  return result;
}

// --- layout ---

void ViewLineManager::giveDefaultBox(Sign& sign) const {
  sign.width = prefs->defaultSignBoxWidth;
  sign.height = prefs->defaultSignBoxHeight;
  sign.leftMost = 0;
  sign.topMost = 0;
  sign.rightMost = prefs->defaultSignBoxWidth;
  sign.bottomMost = prefs->defaultSignBoxHeight;
}

// --- text bands ---

QString ViewLineManager::glossText(const Sign& sign) const {
  return prefs->showGlosses ? CellText::gloss(sign) : QString();
}

QString ViewLineManager::commentText(const Sign& sign) const { return prefs->showComments ? sign.comment : QString(); }

ViewLineManager::Span ViewLineManager::textSpan(const ViewLineInfo& line, qint64 index, const Sign& sign) const {
  // A column's texts span its cell from rule to rule, less a small inset (the
  // column is never narrower than the default box). A row's span the sign's
  // cell: the sign and half the gaps beside it.
  if (isVertical()) return {-prefs->lineSpace * 0.5 + 3.0, prefs->defaultSignBoxWidth + prefs->lineSpace - 6.0};
  const qreal margin = prefs->minSignSpace * 0.5;
  const qreal before = index == 0 ? margin : line.signSpace * 0.5;
  const qreal after = index == line.count - 1 ? margin : line.signSpace * 0.5;
  return {-before + 2.0, signLength(sign) + before + after - 4.0};
}

std::pair<qreal, qreal> ViewLineManager::textBands(const Sign& sign, qreal width) const {
  const QString texts[2] = {glossText(sign), commentText(sign)};
  qreal bands[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    if (texts[i].isEmpty()) continue;
    const QString key = texts[i] + QLatin1Char('\n') + QString::number(width);
    auto found = textHeights->constFind(key);
    if (found == textHeights->constEnd()) found = textHeights->insert(key, CellText::height(texts[i], textFont, width));
    bands[i] = *found + TextGap;
  }
  return {bands[0], bands[1]};
}

qreal ViewLineManager::slotLength(qint64 line, qint64 index, const Sign& sign) const {
  const ViewLineInfo& info = viewLines[line];
  qreal length = signLength(sign);
  if (isVertical() && index < info.glossBands.size()) length += info.glossBands[index] + info.commentBands[index];
  return length;
}

ViewLineManager::Span ViewLineManager::acrossExtent(const Sign& sign) const {
  if (sign.isEmpty() || dynamic_cast<const Compound*>(&sign)) return {0, signBreadth(sign)};
  return isVertical() ? Span{sign.leftMost, sign.width} : Span{sign.topMost, sign.height};
}

ViewLineManager::Span ViewLineManager::signAcross(const ViewLineInfo& line) const {
  const Span across = lineAcross(line);
  return {across.start + line.rowGlossBand, across.length - line.rowGlossBand - line.rowCommentBand};
}

// --- layout ---

qreal ViewLineManager::layoutLines() {
  viewLines.clear();
  const qreal minSpace = prefs->minSignSpace;
  const qreal limit = canvasLength();
  const bool vertical = isVertical();
  qreal across = prefs->lineSpace * 0.5;
  for (qsizetype l = 0; l < bufferMan->lineCount(); ++l) {
    const SignStringPtr line = bufferMan->line(l);
    if (!line) continue;
    const qint64 n = line->count();
    qint64 start = 0;
    while (start < n) {
      ViewLineInfo info;
      info.logicalLine = l;
      info.offset = start;
      // The signs' extent across the line, at least the default box.
      qreal low = 0;
      qreal high = vertical ? prefs->defaultSignBoxWidth : prefs->defaultSignBoxHeight;
      qreal position = minSpace;  // the margins before and after the signs
      bool full = false;
      qint64 k = start;
      for (; k < n; ++k) {
        Sign& sign = *line->signArray[k];
        // An empty sign counts with the default box (signLength says so), so
        // one overflow test covers the stored and the default extent.
        if (sign.isEmpty()) giveDefaultBox(sign);
        // A column's texts lengthen the sign's slot; a row's are measured
        // below, once the row's sign space is known.
        const auto [gloss, comment] = vertical ? textBands(sign, textSpan(info, 0, sign).length) : std::pair(0.0, 0.0);
        const qreal length = signLength(sign) + gloss + comment;
        if (k > start && length + position + minSpace >= limit) {
          full = true;
          break;
        }
        position += length;
        if (k > start) position += minSpace;
        const Span extent = acrossExtent(sign);
        low = std::min(low, extent.start);
        high = std::max(high, extent.start + extent.length);
        info.glossBands << gloss;
        info.commentBands << comment;
      }
      info.count = k - start;
      info.signSpace = full && info.count > 1 ? justifiedSignSpace(position, info.count) : minSpace;
      info.shift = -low;
      qreal breadth = high - low;
      if (!vertical) {
        for (qint64 j = 0; j < info.count; ++j) {
          const Sign& sign = *line->signArray[start + j];
          const auto [gloss, comment] = textBands(sign, textSpan(info, j, sign).length);
          info.rowGlossBand = std::max(info.rowGlossBand, info.glossBands[j] = gloss);
          info.rowCommentBand = std::max(info.rowCommentBand, info.commentBands[j] = comment);
        }
        breadth += info.rowGlossBand + info.rowCommentBand;
      }
      setLineAcross(info, {across, breadth});
      viewLines.append(info);
      across += breadth + prefs->lineSpace;
      start = k;
    }
  }
  return across - prefs->lineSpace + prefs->lineSpace * 0.5;
}

qreal ViewLineManager::layout() {
  qreal extent = layoutLines();
  if (viewLines.isEmpty()) {
    // A buffer without any sign would leave the cursor nowhere: give it a
    // line-break sign.
    if (bufferMan->lineCount() == 0) bufferMan->insertLine(0);
    bufferMan->appendLineBreak(0);
    extent = layoutLines();
  }
  clampCursor();
  return extent;
}

void ViewLineManager::clampCursor() {
  cursorLine = std::clamp<qint64>(cursorLine, 0, std::max<qint64>(0, viewLines.size() - 1));
  cursorOffset = std::clamp<qint64>(cursorOffset, 0, std::max<qint64>(0, countOf(cursorLine) - 1));
}

void ViewLineManager::centerAllSigns() {
  for (qint64 line = 0; line < viewLines.size(); ++line) {
    const ViewLineInfo& info = viewLines[line];
    for (const SignPtr& sign : signs(line)) {
      if (isVertical())
        sign->center(info.width, prefs->defaultSignBoxHeight, true);
      else
        sign->center(prefs->defaultSignBoxWidth, signAcross(info).length, false);
    }
  }
}

void ViewLineManager::center(const SignPtr& sign) {
  if (!sign || sign->isEmpty()) return;
  const ViewPosition place = position(sign.get());
  if (!place.isValid()) return;
  const ViewLineInfo& info = viewLines[place.line];
  if (isVertical())
    sign->center(info.width, prefs->defaultSignBoxHeight, true);
  else
    sign->center(prefs->defaultSignBoxWidth, signAcross(info).length, false);
}

// --- geometry ---

qreal ViewLineManager::alongStart(qint64 line, qint64 index) const {
  const QList<SignPtr> list = signs(line);
  const qreal space = viewLines[line].signSpace;
  qreal along = firstSignStart();
  for (qint64 j = 0; j < index && j < list.size(); ++j) along += slotLength(line, j, *list[j]) + space;
  return along;
}

QRectF ViewLineManager::signRect(qint64 line, qint64 index) const {
  if (line < 0 || line >= viewLines.size()) return {};
  const ViewLineInfo& info = viewLines[line];
  const SignPtr sign = signAt(line, index);
  const qreal length = sign ? signLength(*sign) : 0;
  const qreal before = isVertical() && sign ? info.glossBands.value(index) : 0;
  return makeRect({alongStart(line, index) + before, length}, signAcross(info));
}

QPointF ViewLineManager::signOrigin(qint64 line, qint64 index) const {
  const SignPtr sign = signAt(line, index);
  if (!sign) return {};
  const QRectF r = signRect(line, index);
  const qreal shift = viewLines[line].shift;
  return isVertical() ? QPointF(r.x() + shift, r.y() - sign->topMost) : QPointF(r.x() - sign->leftMost, r.y() + shift);
}

QRectF ViewLineManager::cellRect(qint64 line, qint64 index) const {
  if (line < 0 || line >= viewLines.size()) return {};
  const ViewLineInfo& info = viewLines[line];
  const qreal s = info.signSpace;
  const qreal half = prefs->minSignSpace * 0.5;
  const qreal before = index == 0 ? half : s * 0.5;
  const qreal beforeGrow = index == 0 ? half : s * 0.5 + 1.0;
  const qreal after = index == info.count - 1 ? half : s * 0.5 + 1.0;
  const SignPtr sign = signAt(line, index);
  const qreal length = sign ? slotLength(line, index, *sign) : 0;
  const Span across = lineAcross(info);
  return makeRect({alongStart(line, index) - before, length + beforeGrow + after},
                  {across.start - prefs->lineSpace * 0.5, across.length + prefs->lineSpace});
}

QRectF ViewLineManager::textRect(qint64 line, qint64 index, bool gloss) const {
  const SignPtr sign = signAt(line, index);
  if (!sign || (gloss ? glossText(*sign) : commentText(*sign)).isEmpty()) return {};
  const ViewLineInfo& info = viewLines[line];
  const QRectF r = signRect(line, index);
  const bool vertical = isVertical();
  const qreal band = gloss ? (vertical ? info.glossBands.value(index) : info.rowGlossBand)
                           : (vertical ? info.commentBands.value(index) : info.rowCommentBand);
  const Span span = textSpan(info, index, *sign);
  return QRectF(r.left() + span.start, gloss ? r.top() - band : r.bottom() + TextGap, span.length, band - TextGap);
}

QRectF ViewLineManager::glossRect(qint64 line, qint64 index) const { return textRect(line, index, true); }
QRectF ViewLineManager::commentRect(qint64 line, qint64 index) const { return textRect(line, index, false); }

qint64 ViewLineManager::hitLine(qreal across) const {
  qint64 line = 0;
  while (line + 1 < viewLines.size() && lineAcross(viewLines[line + 1]).start - prefs->lineSpace * 0.5 < across) ++line;
  return line;
}

qint64 ViewLineManager::hitIndex(qint64 line, qreal along) const {
  const QList<SignPtr> list = signs(line);
  if (list.size() <= 1) return 0;
  const qreal s = viewLines[line].signSpace;
  // edge is the middle of the gap after sign index.
  qint64 index = 0;
  qreal edge = firstSignStart() + slotLength(line, 0, *list[0]) + s - s * 0.5;
  while (index < list.size() - 1 && along > edge) {
    ++index;
    edge += slotLength(line, index, *list[index]) + s;
  }
  return index;
}

ViewPosition ViewLineManager::placeCursor(const QPointF& point) {
  if (viewLines.isEmpty()) return {};
  const qint64 line = hitLine(acrossOf(point));
  cursorLine = line;
  cursorOffset = hitIndex(line, alongOf(point));
  return {cursorLine, cursorOffset};
}

ViewPosition ViewLineManager::position(const Sign* sign) const {
  if (!sign) return {};
  for (qint64 line = 0; line < viewLines.size(); ++line) {
    const QList<SignPtr> list = signs(line);
    for (qint64 k = 0; k < list.size(); ++k)
      if (list[k].get() == sign) return {line, k};
  }
  return {};
}

// --- editing ---

void ViewLineManager::moveCursorTo(const SignPtr& sign) {
  layout();
  const ViewPosition place = position(sign.get());
  if (place.isValid()) {
    cursorLine = place.line;
    cursorOffset = place.index;
  }
}

void ViewLineManager::pasteSigns() {
  if (viewLines.isEmpty()) return;
  const ViewLineInfo info = viewLines[cursorLine];
  moveCursorTo(bufferMan->pasteSignsAt(info.logicalLine, info.offset + cursorOffset));
}

void ViewLineManager::insertSigns(const QList<SignPtr>& signs) {
  if (viewLines.isEmpty()) return;
  const ViewLineInfo info = viewLines[cursorLine];
  moveCursorTo(bufferMan->insertSignsAt(info.logicalLine, info.offset + cursorOffset, signs));
}

void ViewLineManager::breakLine() {
  if (viewLines.isEmpty()) return;
  const ViewLineInfo info = viewLines[cursorLine];
  const SignStringPtr logical = bufferMan->line(info.logicalLine);
  if (!logical) return;
  const SignPtr current = currentSign();
  SignString tail = logical->splitOff(info.offset + cursorOffset);
  bufferMan->insertLine(info.logicalLine + 1, std::make_shared<SignString>(std::move(tail)));
  bufferMan->terminateAllLines();
  cursorLine += 1;
  cursorOffset = 0;
  layout();
  // The split-off sign starts the new logical line; when the shortened line
  // now needs more than one view line, follow the sign rather than the count.
  const ViewPosition place = position(current.get());
  if (place.isValid()) {
    cursorLine = place.line;
    cursorOffset = place.index;
  }
}

QList<QList<SignPtr>> ViewLineManager::copySigns(bool cut) {
  if (viewLines.isEmpty()) return {};
  QList<QList<SignPtr>> copied;
  if (hasRangeSelection()) {
    const ViewPosition from = unpack(selectStart);
    const ViewPosition to = unpack(selectEnd);
    const SignPtr first = signAt(from.line, from.index);
    const SignPtr last = signAt(to.line, to.index);
    clearRangeSelection();
    if (first && last) {
      copied = bufferMan->signsBetween(first, last).value_or(copied);
      bufferMan->copySigns(first, last, cut);
    }
  } else if (const SignPtr sign = currentSign()) {
    copied = {{sign}};
    if (cut)
      bufferMan->cutSign(sign);
    else
      bufferMan->copySign(sign);
  }
  bufferMan->terminateAllLines();
  layout();
  return copied;
}

void ViewLineManager::dropSymbol(const ISWAPtr& symbol, const QPointF& point) {
  const SignPtr sign = currentSign();
  if (!sign || !symbol) return;
  // The coordinate along the line is offset by the sign's own minimum, the
  // one across it by where the line's signs start.
  symbol->rect.moveTopLeft(point - signOrigin(cursorLine, cursorOffset));
  sign->addSymbol(symbol);
  if (sign->symbols.size() == 1) {
    bufferMan->appendLineBreak(viewLines[cursorLine].logicalLine);
    if (sign->jjs && sign->jjs->gloss == QStringLiteral("NEWLINE")) sign->jjs->gloss.clear();
  }
  layout();
}

void ViewLineManager::pasteSymbols(SymbolSelection& selection) {
  const SignPtr sign = currentSign();
  if (!sign) return;
  const bool wasEmpty = sign->symbols.isEmpty();
  sign->pasteSymbols(selection);
  if (wasEmpty) bufferMan->terminateAllLines();
  layout();
}

void ViewLineManager::insertSign(const SignPtr& sign) {
  if (!sign || viewLines.isEmpty()) return;
  const ViewLineInfo& info = viewLines[cursorLine];
  const SignStringPtr logical = bufferMan->line(info.logicalLine);
  if (!logical) return;
  const qint64 index = info.offset + cursorOffset;
  if (index < 0 || index > logical->count()) return;
  logical->signArray.insert(index, sign);
  layout();
}

void ViewLineManager::replaceAtCursor(const SignPtr& sign) {
  if (!sign || viewLines.isEmpty()) return;
  const ViewLineInfo& info = viewLines[cursorLine];
  bufferMan->replaceSign(sign, info.logicalLine, info.offset + cursorOffset);
  layout();
}

// --- cursor moves ---

void ViewLineManager::setRangeSelection(qint64 a, qint64 b) {
  selectStart = std::min(a, b);
  selectEnd = std::max(a, b);
}

void ViewLineManager::beginMove(int mode) {
  if (mode < 2)
    clearRangeSelection();
  else if (!hasRangeSelection())
    selectStart = selectEnd = pack(cursorLine, cursorOffset);
}

void ViewLineManager::endMove(int mode) {
  if (mode >= 2) selectEnd = pack(cursorLine, cursorOffset);
}

void ViewLineManager::previousSign(int mode) {
  beginMove(mode);
  if (cursorOffset >= 1) {
    --cursorOffset;
  } else if (cursorLine >= 1) {
    --cursorLine;
    cursorOffset = std::max<qint64>(0, countOf(cursorLine) - 1);
  }
  endMove(mode);
}

void ViewLineManager::nextSign(int mode) {
  beginMove(mode);
  if (cursorOffset < countOf(cursorLine) - 1) {
    ++cursorOffset;
  } else if (cursorLine + 1 < viewLines.size()) {
    ++cursorLine;
    cursorOffset = 0;
  }
  endMove(mode);
}

void ViewLineManager::previousLine(int mode) {
  beginMove(mode);
  if (cursorLine >= 1) --cursorLine;
  cursorOffset = std::clamp<qint64>(cursorOffset, 0, std::max<qint64>(0, countOf(cursorLine) - 1));
  endMove(mode);
}

void ViewLineManager::nextLine(int mode) {
  beginMove(mode);
  if (cursorLine + 1 < viewLines.size()) ++cursorLine;
  cursorOffset = std::clamp<qint64>(cursorOffset, 0, std::max<qint64>(0, countOf(cursorLine) - 1));
  endMove(mode);
}

void ViewLineManager::firstLine() {
  cursorLine = 0;
  cursorOffset = std::clamp<qint64>(cursorOffset, 0, std::max<qint64>(0, countOf(cursorLine) - 1));
}

void ViewLineManager::lastLine() {
  cursorLine = std::max<qint64>(0, viewLines.size() - 1);
  cursorOffset = std::clamp<qint64>(cursorOffset, 0, std::max<qint64>(0, countOf(cursorLine) - 1));
}

void ViewLineManager::lineStart() { cursorOffset = 0; }
void ViewLineManager::lineEnd() { cursorOffset = std::max<qint64>(0, countOf(cursorLine) - 1); }

void ViewLineManager::cursorUp(int mode) { previousSign(mode); }
void ViewLineManager::cursorDown(int mode) { nextSign(mode); }
void ViewLineManager::cursorLeft(int mode) { previousLine(mode); }
void ViewLineManager::cursorRight(int mode) { nextLine(mode); }
void ViewLineManager::cursorFarLeft() { firstLine(); }
void ViewLineManager::cursorFarRight() { lastLine(); }
void ViewLineManager::cursorFarUp() { lineStart(); }
void ViewLineManager::cursorFarDown() { lineEnd(); }

}  // namespace quabe
