#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QRawFont>
#include <QSize>

#include "symbols/SymbolCode.h"

namespace quabe::archive {

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
};

// Renders symbols at 30 pixels to the em, where one pixel is one FSW unit:
// the Fill glyph in white under the Line glyph in black, on a transparent
// background. One renderer per thread (QRawFont is not shared across threads).
class GlyphRenderer {
 public:
  GlyphRenderer(const QByteArray& lineFontData, const QByteArray& fillFontData);
  bool isValid() const { return m_line.isValid() && m_fill.isValid(); }

  bool hasGlyph(const GlyphId& glyph) const;
  // Size of the symbol: the Line outline's right and bottom edges rounded to
  // whole pixels (glyphs start at the origin; their outlines end about 0.3 px
  // inside the symbol box). An empty size when the font lacks the glyph.
  QSize glyphSize(const GlyphId& glyph) const;
  // The rendered symbol; a null image when the font lacks the glyph.
  QImage render(const GlyphId& glyph) const;

  static constexpr qreal pixelsPerEm = 30.0;
  static QSize sizeOfOutline(const QPainterPath& outline);

 private:
  QPainterPath outline(const QRawFont& font, char32_t codePoint) const;
  QRawFont m_line;
  QRawFont m_fill;
};

// Draws the symbols the fonts lack, in the fonts' own style (white shape with
// a black outline): 07-01-004 quotation marks, 07-01-005 bracket, 07-01-006
// non-manual-marker scope. baseSymbol is 4, 5 or 6; other values give a null image.
QImage drawExtensionGlyph(int baseSymbol, int rotation);
QList<SymbolCode> extensionCodes();

}  // namespace quabe::archive
