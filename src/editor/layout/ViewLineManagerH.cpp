#include "editor/layout/ViewLineManagerH.h"

#include "document/Compound.h"

namespace quabe {

qreal ViewLineManagerH::leftMargin() const { return prefs->minSignSpace * 0.5; }
qreal ViewLineManagerH::rightMargin() const { return prefs->minSignSpace * 0.5; }
qreal ViewLineManagerH::topMargin() const { return prefs->lineSpace * 0.5; }
qreal ViewLineManagerH::bottomMargin() const { return prefs->lineSpace * 0.5; }
qreal ViewLineManagerH::maxSignWidth() const { return 2 * prefs->defaultSignBoxWidth; }
qreal ViewLineManagerH::maxSignHeight() const { return prefs->defaultSignBoxHeight; }

qreal ViewLineManagerH::signLength(const Sign& sign) const {
  if (sign.isEmpty()) return prefs->defaultSignBoxWidth;
  if (auto* compound = dynamic_cast<const Compound*>(&sign)) return compound->sizeInHMode.width();
  return sign.width;
}

qreal ViewLineManagerH::signBreadth(const Sign& sign) const {
  if (sign.isEmpty()) return prefs->defaultSignBoxHeight;
  if (auto* compound = dynamic_cast<const Compound*>(&sign)) return compound->sizeInHMode.height();
  return sign.height;
}

qreal ViewLineManagerH::lineWidth(qint64 line) const {
  const QList<SignPtr> list = signs(line);
  if (list.isEmpty()) return 0;
  qreal sum = 0;
  for (const SignPtr& sign : list) sum += signLength(*sign);
  return sum + qreal(list.size() - 1) * prefs->lineSpace;
}

qreal ViewLineManagerH::lineHeight(qint64 line) const {
  if (line < 0 || line >= viewLines.size()) return 0;
  return viewLines[line].height;
}

QRectF ViewLineManagerH::makeRect(Span along, Span across) const {
  return QRectF(along.start, across.start, along.length, across.length);
}

void ViewLineManagerH::setLineAcross(ViewLineInfo& line, Span across) const {
  line.top = across.start;
  line.height = across.length;
}

qreal ViewLineManagerH::justifiedSignSpace(qreal position, qint64 count) const {
  return (canvasLength() - position) / qreal(count - 1) + prefs->minSignSpace;
}

void ViewLineManagerH::cursorUp(int mode) { previousLine(mode); }
void ViewLineManagerH::cursorDown(int mode) { nextLine(mode); }
void ViewLineManagerH::cursorLeft(int mode) { previousSign(mode); }
void ViewLineManagerH::cursorRight(int mode) { nextSign(mode); }
void ViewLineManagerH::cursorFarLeft() { lineStart(); }
void ViewLineManagerH::cursorFarRight() { lineEnd(); }
void ViewLineManagerH::cursorFarUp() { firstLine(); }
void ViewLineManagerH::cursorFarDown() { lastLine(); }

}  // namespace quabe
