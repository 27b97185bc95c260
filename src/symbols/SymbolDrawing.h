#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRawFont>
#include <QSize>

#include "symbols/SymbolCode.h"

class QPainter;

namespace quabe {

// A symbol as outlines, one unit per pixel of its archive image: for each
// layer the fill shape is painted white, then the line shape in the ink
// colour over it. Glyphs of the fonts have one layer; the extension
// punctuation paints one layer per part.
struct SymbolDrawing {
  struct Layer {
    QPainterPath fill;
    QPainterPath line;
  };
  QList<Layer> layers;
  QSize size;  // the symbol's box: the size of its archive image

  bool isNull() const { return layers.isEmpty(); }
  // Paints the layers with the box's top left corner at topLeft.
  void paint(QPainter& painter, const QPointF& topLeft, const QColor& ink = Qt::black) const;
  // The drawing on a transparent image of size * scale (rounded up).
  QImage render(qreal scale = 1.0, const QColor& ink = Qt::black) const;
  // Turned and mirrored into rotation r (1-16) exactly as
  // SymbolArchive::synthesize turns and mirrors the pixels of an image.
  SymbolDrawing synthesized(int r) const;
};

// Glyph of the Sutton SignWriting fonts for a symbol: base key 0x100-0x38B,
// fill and rotation counted from 0. Line glyph = U+F0000 + id, Fill glyph =
// U+100000 + id, id = (key - 0x100) * 96 + fill * 16 + rotation + 1.
struct GlyphId {
  int key = 0;
  int fill = 0;
  int rotation = 0;
  int id() const { return (key - 0x100) * 96 + fill * 16 + rotation + 1; }
  char32_t lineCodePoint() const { return char32_t(0xF0000 + id()); }
  char32_t fillCodePoint() const { return char32_t(0x100000 + id()); }
  SymbolCode code() const;
  // The glyph of a code; key 0 when the code has no ISWA serial number.
  static GlyphId of(SymbolCode code);
};

// The Line and Fill fonts at 30 pixels to the em, where one pixel is one
// FSW unit. QRawFont is not shared across threads: one instance per thread,
// or guarded by the owner.
class SymbolFonts {
 public:
  SymbolFonts(const QByteArray& lineFontData, const QByteArray& fillFontData);
  bool isValid() const { return m_line.isValid() && m_fill.isValid(); }

  bool hasGlyph(const GlyphId& glyph) const;
  // The glyph's outlines; a null drawing when the font lacks the glyph.
  SymbolDrawing drawing(const GlyphId& glyph) const;

  static constexpr qreal pixelsPerEm = 30.0;
  // The Line outline's right and bottom edges rounded to whole pixels
  // (glyphs start at the origin; their outlines end about 0.3 px inside the
  // symbol box).
  static QSize sizeOfOutline(const QPainterPath& outline);

 private:
  QPainterPath outline(const QRawFont& font, char32_t codePoint) const;
  QRawFont m_line;
  QRawFont m_fill;
};

// The symbols the fonts lack, drawn in the fonts' own style (white shape with
// a black outline): 07-01-004 quotation marks, 07-01-005 bracket, 07-01-006
// non-manual-marker scope, rotations 1-8. A null drawing for other codes.
SymbolDrawing extensionDrawing(int baseSymbol, int rotation);
QList<SymbolCode> extensionCodes();
bool isExtensionCode(SymbolCode code);

}  // namespace quabe
