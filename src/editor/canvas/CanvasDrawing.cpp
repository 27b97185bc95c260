#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "document/Compound.h"
#include "document/DbSign.h"
#include "editor/canvas/CanvasView.h"
#include "editor/layout/CellText.h"

namespace quabe {

namespace {

// How far outside the visible rectangle a view line may lie and still be drawn.
constexpr qreal VisibleSlack = 10.0;

void strokeLine(QPainter& painter, const QColor& color, QPointF from, QPointF to) {
  painter.setPen(QPen(color, 1.0));
  painter.drawLine(from, to);
}

void strokeRect(QPainter& painter, const QColor& color, const QRectF& rect) {
  painter.setPen(QPen(color, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect);
}

bool isAmbiguous(const Sign& sign) { return sign.jjs && sign.jjs->isAmbiguous; }

}  // namespace

QFont CanvasView::textFont() const { return CellText::font(font()); }

QStringList CanvasView::shownTexts() const {
  QStringList texts;
  if (!m_viewLineMan) return texts;
  for (qint64 line = 0; line < m_viewLineMan->viewLines.size(); ++line)
    for (const SignPtr& sign : m_viewLineMan->signs(line))
      for (const QString& text : {m_viewLineMan->glossText(*sign), m_viewLineMan->commentText(*sign)})
        if (!text.isEmpty()) texts << text;
  return texts;
}

void CanvasView::drawText(QPainter& painter, const QString& text, const QRectF& rect) {
  if (text.isEmpty() || rect.isEmpty()) return;
  painter.setPen(textColor());
  CellText::draw(painter, text, m_viewLineMan->textFont, rect);
}

void CanvasView::drawEmptySign(QPainter& painter, const QRectF& box, bool atCursor) {
  if (atCursor) {
    strokeRect(painter, emptySignColor(), box);
    return;
  }
  // A small bent arrow (a return mark) in the box's first corner.
  const QColor faint = QColor::fromRgbF(0.8f, 0.8f, 0.8f);
  QPainterPath mark;
  const QPointF c = box.topLeft() + QPointF(4, 4);
  mark.moveTo(c + QPointF(10, 0));
  mark.lineTo(c + QPointF(10, 8));
  mark.lineTo(c + QPointF(1, 8));
  mark.moveTo(c + QPointF(4, 5));
  mark.lineTo(c + QPointF(1, 8));
  mark.lineTo(c + QPointF(4, 11));
  painter.setPen(QPen(faint, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(mark);
}

std::pair<qint64, qint64> CanvasView::linesToDraw(const QRectF& visible, const QRectF& dirty) const {
  const QList<ViewLineInfo>& lines = m_viewLineMan->viewLines;
  const bool vertical = m_viewLineMan->isVertical();
  auto start = [vertical](const ViewLineInfo& l) { return vertical ? l.left : l.top; };
  auto length = [vertical](const ViewLineInfo& l) { return vertical ? l.width : l.height; };
  // While printing every view line counts, but a page (the dirty rectangle)
  // only takes the lines that reach into it, gaps included.
  const QRectF& area = printing ? dirty : visible;
  const qreal slack = printing ? prefs()->lineSpace * 0.5 : VisibleSlack;
  const qreal low = vertical ? area.left() : area.top();
  const qreal high = vertical ? area.right() : area.bottom();
  // View lines follow each other along the axis, so both ends are found by bisection.
  auto first = std::partition_point(lines.begin(), lines.end(),
                                    [&](const ViewLineInfo& l) { return start(l) + length(l) + slack <= low; });
  auto last = std::partition_point(first, lines.end(), [&](const ViewLineInfo& l) { return start(l) - slack < high; });
  return {qint64(first - lines.begin()), qint64(last - lines.begin()) - 1};
}

void CanvasView::drawContents(QPainter& painter, const QRectF& dirtyRect, const QRectF& visible) {
  painter.fillRect(dirtyRect, Qt::white);
  if (!m_viewLineMan || !prefs()) return;
  painter.save();
  painter.setFont(textFont());
  const auto [firstLine, lastLine] = linesToDraw(visible, dirtyRect);
  if (!printing) drawRangeSelection(painter, firstLine, lastLine);
  if (m_viewLineMan->isVertical())
    drawVerticalLines(painter, firstLine, lastLine);
  else
    drawHorizontalLines(painter, firstLine, lastLine);
  painter.restore();
  const QList<ISWAPtr>& selected = m_selection.symbols();
  if (!selected.isEmpty() && m_delegate && !printing) m_delegate->symbolSelected(*selected.last());
}

void CanvasView::drawRangeSelection(QPainter& painter, qint64 firstLine, qint64 lastLine) {
  ViewLineManager& man = *m_viewLineMan;
  if (!man.hasRangeSelection()) return;
  const ViewPosition from = ViewLineManager::unpack(std::min(man.selectStart, man.selectEnd));
  const ViewPosition to = ViewLineManager::unpack(std::max(man.selectStart, man.selectEnd));
  for (qint64 line = std::max(firstLine, from.line); line <= std::min(lastLine, to.line); ++line) {
    const qint64 count = man.viewLines[line].count;
    const qint64 begin = line == from.line ? from.index : 0;
    const qint64 end = line == to.line ? std::min(to.index, count - 1) : count - 1;
    for (qint64 k = begin; k <= end; ++k) painter.fillRect(man.cellRect(line, k), selectionColor());
  }
}

void CanvasView::drawAmbiguityMark(QPainter& painter, const QRectF& cell) {
  QPainterPath triangle;
  triangle.moveTo(cell.x() + cell.width() - 12, cell.y() + 2);
  triangle.lineTo(cell.x() + cell.width() - 2, cell.y() + 2);
  triangle.lineTo(cell.x() + cell.width() - 7, cell.y() + 7);
  triangle.closeSubpath();
  painter.fillPath(triangle, ruleColor());
}

void CanvasView::drawVerticalLines(QPainter& painter, qint64 firstLine, qint64 lastLine) {
  ViewLineManager& man = *m_viewLineMan;
  const Preferences& p = *prefs();
  const qreal L = p.lineSpace;
  const qreal viewHeight = canvasSize().height();
  for (qint64 i = firstLine; i <= lastLine; ++i) {
    const ViewLineInfo info = man.viewLines[i];
    const qreal left = info.left, W = info.width, s = info.signSpace;
    if (p.showRules) {
      strokeLine(painter, ruleColor(), {left - L / 2 + 0.5, 0}, {left - L / 2 + 0.5, viewHeight - 1.0});
      if (p.showBorders)
        strokeLine(painter, ruleColor(), {left + W + L / 2 - 1.5, 0}, {left + W + L / 2 - 1.5, viewHeight - 1.0});
    }
    const QList<SignPtr> signs = man.signs(i);
    qreal y = man.topMargin();  // where the sign's slot (its gloss, the sign, its comment) starts
    for (qint64 k = 0; k < signs.size(); ++k) {
      Sign& sign = *signs[k];
      if (k > 0) y += s;
      const qreal h = man.slotLength(i, k, sign);
      const bool atCursor = !printing && i == man.cursorLine && k == man.cursorOffset;
      if (atCursor) {
        painter.setBrush(Qt::NoBrush);
        if (p.showBorders) {
          const QRectF cell(left - L / 2 + 0.5, y - s / 2 + 0.5, L + W - 2.5, s + h - 1.5);
          painter.fillRect(cell, selectionColor());
          strokeRect(painter, cursorOutlineColor(), cell);
        } else {
          painter.fillRect(QRectF(left - L / 2 + 1.0, y - s / 2, L + W, s + h - 1.0), selectionColor());
          strokeRect(painter, cursorOutlineColor(), QRectF(left - L / 2 + 1.0, y - s / 2, L + W - 2.0, s + h - 2.0));
        }
      }
      drawSignInCell(painter, i, k, sign, atCursor);
      if (p.showBorders)
        strokeLine(painter, borderColor(), {left - L / 2 + 0.5, y - s / 2 + 0.5},
                   {left + W + L / 2 - 2.5, y - s / 2 + 0.5});
      y += h;
    }
  }
}

void CanvasView::drawHorizontalLines(QPainter& painter, qint64 firstLine, qint64 lastLine) {
  ViewLineManager& man = *m_viewLineMan;
  const Preferences& p = *prefs();
  const qreal L = p.lineSpace;
  const qreal viewWidth = canvasSize().width();
  for (qint64 i = firstLine; i <= lastLine; ++i) {
    const ViewLineInfo info = man.viewLines[i];
    const qreal top = info.top, H = info.height, s = info.signSpace;
    if (p.showRules) {
      strokeLine(painter, ruleColor(), {0, top - L / 2}, {viewWidth - 1.0, top - L / 2});
      if (p.showBorders) strokeLine(painter, ruleColor(), {0, top + H + L / 2}, {viewWidth - 1.0, top + H + L / 2});
    }
    const QList<SignPtr> signs = man.signs(i);
    qreal x = man.leftMargin();
    for (qint64 k = 0; k < signs.size(); ++k) {
      Sign& sign = *signs[k];
      if (k > 0) x += s;
      const qreal w = man.signLength(sign);
      const bool atCursor = !printing && i == man.cursorLine && k == man.cursorOffset;
      if (atCursor) {
        if (p.showBorders) {
          const QRectF cell(x - s / 2 + 0.5, top - L / 2 + 0.5, s + w - 1.5, L + H - 2.5);
          painter.fillRect(cell, selectionColor());
          strokeRect(painter, cursorOutlineColor(), cell);
        } else {
          painter.fillRect(QRectF(x - s / 2, top - L / 2 + 1.0, s + w - 1.0, L + H), selectionColor());
          strokeRect(painter, cursorOutlineColor(), QRectF(x - s / 2, top - L / 2 + 1.0, s + w - 2.0, L + H - 2.0));
        }
      }
      drawSignInCell(painter, i, k, sign, atCursor);
      if (p.showBorders)
        strokeLine(painter, borderColor(), {x - s / 2 + 0.5, top - L / 2 + 0.5},
                   {x - s / 2 + 0.5, top + H + L / 2 - 2.5});
      x += w;
    }
  }
}

void CanvasView::drawSignInCell(QPainter& painter, qint64 line, qint64 index, Sign& sign, bool atCursor) {
  ViewLineManager& man = *m_viewLineMan;
  const QPointF origin = man.signOrigin(line, index);
  if (sign.isEmpty()) {
    if (!printing)
      drawEmptySign(painter, QRectF(origin.x() + sign.leftMost, origin.y() + sign.topMost, sign.width, sign.height),
                    atCursor);
  } else {
    drawSign(painter, sign, origin);
  }
  if (!printing && isAmbiguous(sign)) drawAmbiguityMark(painter, man.cellRect(line, index));
  drawText(painter, man.glossText(sign), man.glossRect(line, index));
  drawText(painter, man.commentText(sign), man.commentRect(line, index));
}

void CanvasView::drawSign(QPainter& painter, Sign& sign, const QPointF& origin) {
  const bool vertical = m_viewLineMan ? m_viewLineMan->isVertical() : m_verticalWritingMode;
  if (sign.isEmpty()) return;
  auto* compound = dynamic_cast<Compound*>(&sign);
  if (prefs() && prefs()->showSignFrames) {
    QRectF box(origin.x() + sign.leftMost, origin.y() + sign.topMost, sign.width, sign.height);
    if (compound && vertical)
      box = QRectF(origin.x() + compound->leftMostInVMode, origin.y() + sign.topMost, compound->sizeInVMode.width(),
                   compound->sizeInVMode.height());
    else if (compound)
      box = QRectF(origin.x() + sign.leftMost, origin.y() + compound->topMostInHMode, compound->sizeInHMode.width(),
                   compound->sizeInHMode.height());
    strokeRect(painter, borderColor(), box.adjusted(-SignBoxPadding, -SignBoxPadding, SignBoxPadding, SignBoxPadding));
  }
  drawSignBody(painter, sign, origin, vertical);
}

void CanvasView::drawSignBody(QPainter& painter, Sign& sign, const QPointF& origin, bool vertical) {
  for (const Sign::ShownSymbol& shown : sign.shownSymbols(vertical))
    shown.symbol->draw(painter, origin + shown.position - shown.symbol->rect.topLeft(), prefs() && prefs()->colorHands);
  if (printing) return;
  for (const ISWAPtr& symbol : sign.symbols)
    if (m_selection.contains(symbol.get()))
      strokeRect(painter, cursorOutlineColor(), symbol->rect.translated(origin).adjusted(-1.5, -1.5, 1.5, 1.5));
}

}  // namespace quabe
