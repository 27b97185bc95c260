#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace quabe {

class Sign;

// The gloss and comment of a sign as the canvas shows them: wrapped to the
// width of their band in the sign's cell, at word boundaries where a word
// fits and anywhere else (Japanese text wraps between any two characters).
// The layout measures with the same wrapping the canvas draws with, so that
// a text never leaves its band.
class CellText {
 public:
  // The gloss shown for a sign: its dictionary text without a tag; empty for
  // none and for the line-break gloss "NEWLINE".
  static QString gloss(const Sign& sign);
  // The height of the text wrapped to width.
  static qreal height(const QString& text, const QFont& font, qreal width);
  // Draws the text wrapped to the rectangle's width from its top left corner.
  static void draw(QPainter& painter, const QString& text, const QFont& font, const QRectF& rect);
  // The font of glosses and comments, from a base font.
  static QFont font(const QFont& base = QFont());
};

}  // namespace quabe
