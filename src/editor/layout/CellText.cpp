#include "editor/layout/CellText.h"

#include <QPainter>
#include <QTextLayout>

#include "document/DbSign.h"
#include "document/Sign.h"

namespace quabe {

namespace {

// Lays the text out in lines of the width; returns the height of the lines.
qreal layOut(QTextLayout& layout, qreal width) {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.setCacheEnabled(true);
  layout.beginLayout();
  qreal y = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(std::max<qreal>(1, width));
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout.endLayout();
  return y;
}

}  // namespace

QString CellText::gloss(const Sign& sign) {
  if (!sign.jjs || sign.jjs->gloss.isEmpty() || sign.jjs->gloss == QStringLiteral("NEWLINE")) return {};
  return sign.jjs->text(TagStyle::none);
}

qreal CellText::height(const QString& text, const QFont& font, qreal width) {
  if (text.isEmpty()) return 0;
  QTextLayout layout(text, font);
  return std::ceil(layOut(layout, width));
}

void CellText::draw(QPainter& painter, const QString& text, const QFont& font, const QRectF& rect) {
  if (text.isEmpty()) return;
  QTextLayout layout(text, font);
  layOut(layout, rect.width());
  layout.draw(&painter, rect.topLeft());
}

QFont CellText::font(const QFont& base) {
  QFont f = base;
  f.setPixelSize(12);
  return f;
}

}  // namespace quabe
