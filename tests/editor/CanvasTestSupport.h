#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <functional>
#include <memory>

#include "LayoutTestSupport.h"
#include "document/DbSign.h"
#include "editor/canvas/CanvasView.h"
#include "symbols/SymbolCode.h"

namespace quabe::test {

// A sign of real archive symbols, each at (x, y); codes the archive lacks
// are left out. The bounds follow the symbols.
struct At {
  const char* code;
  qreal x;
  qreal y;
};

inline SignPtr makeSign(std::initializer_list<At> symbols, const QString& gloss = {}) {
  auto sign = std::make_shared<Sign>();
  for (const At& at : symbols) {
    std::optional<ISWA> made = ISWA::make(QString::fromLatin1(at.code));
    if (!made) continue;
    sign->symbols << std::make_shared<ISWA>(std::move(*made));
    sign->symbols.last()->rect.moveTopLeft(QPointF(at.x, at.y));
  }
  sign->updateBounds();
  sign->jjs->gloss = gloss;
  return sign;
}

// Paints the canvas as the screen would (through its paint event).
inline QImage renderCanvas(CanvasView& canvas) {
  QImage image(canvas.size(), QImage::Format_ARGB32);
  image.fill(Qt::red);
  canvas.render(&image);
  return image;
}

// Pixels of the rectangle (clipped to the image) that satisfy the test.
inline int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
  int n = 0;
  const QRect r = area.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (test(image.pixelColor(x, y))) ++n;
  return n;
}

inline bool sameColor(QColor a, QColor b, int tolerance = 3) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

inline std::function<bool(QColor)> isColor(QColor wanted, int tolerance = 3) {
  return [wanted, tolerance](QColor c) { return sameColor(c, wanted, tolerance); };
}

// Drags the data onto the widget and drops it at the point, as a palette or
// file manager drag does; false when the widget refuses the drag.
inline bool dropOn(QWidget* target, const QMimeData* data, QPointF at) {
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return true;
}
inline bool dropOn(QWidget* target, const QString& text, QPointF at) {
  QMimeData data;
  data.setText(text);
  return dropOn(target, &data, at);
}

inline bool isInk(QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; }

}  // namespace quabe::test
