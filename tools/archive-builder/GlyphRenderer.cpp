#include "GlyphRenderer.h"

#include <QPainter>
#include <QTransform>
#include <QtMath>
#include <QPainterPathStroker>
#include <cmath>

namespace quabe::archive {

SymbolCode GlyphId::code() const {
  const BaseSymbolComponents c = ISWA2010Code::components(key);
  return SSS::make(quint32(c.category), quint32(c.group), quint32(c.baseSymbol), quint32(c.variation),
                   quint32(fill + 1), quint32(rotation + 1));
}

GlyphRenderer::GlyphRenderer(const QByteArray& lineFontData, const QByteArray& fillFontData)
    : m_line(lineFontData, pixelsPerEm, QFont::PreferNoHinting),
      m_fill(fillFontData, pixelsPerEm, QFont::PreferNoHinting) {}

bool GlyphRenderer::hasGlyph(const GlyphId& glyph) const {
  return glyph.key >= 0x100 && glyph.key <= 0x38B && glyph.fill >= 0 && glyph.fill < 6 && glyph.rotation >= 0 &&
         glyph.rotation < 16 && m_line.supportsCharacter(uint(glyph.lineCodePoint()));
}

QPainterPath GlyphRenderer::outline(const QRawFont& font, char32_t codePoint) const {
  if (!font.supportsCharacter(uint(codePoint))) return QPainterPath();
  const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&codePoint, 1));
  if (glyphs.isEmpty() || glyphs.first() == 0) return QPainterPath();
  return font.pathForGlyph(glyphs.first());
}

QSize GlyphRenderer::sizeOfOutline(const QPainterPath& outline) {
  const QRectF bounds = outline.boundingRect();
  return QSize(std::max(1, int(std::lround(bounds.right()))), std::max(1, int(std::lround(bounds.bottom()))));
}

QSize GlyphRenderer::glyphSize(const GlyphId& glyph) const {
  if (!hasGlyph(glyph)) return QSize();
  return sizeOfOutline(outline(m_line, glyph.lineCodePoint()));
}

QImage GlyphRenderer::render(const GlyphId& glyph) const {
  if (!hasGlyph(glyph)) return QImage();
  const QPainterPath line = outline(m_line, glyph.lineCodePoint());
  const QPainterPath fill = outline(m_fill, glyph.fillCodePoint());
  QImage image(sizeOfOutline(line), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(fill, Qt::white);
  painter.fillPath(line, Qt::black);
  painter.end();
  return image;
}

namespace {

// Outline width of the fonts' strokes at 30 px to the em (two whole pixels).
constexpr qreal kStroke = 2.0;

// Paints shape white with a black outline lying inside the shape's edge, the
// way the Line and Fill glyphs of the fonts combine.
void paintOutlined(QPainter& painter, const QPainterPath& shape) {
  painter.fillPath(shape, Qt::white);
  QPainterPathStroker stroker;
  stroker.setWidth(2 * kStroke);
  stroker.setJoinStyle(Qt::MiterJoin);
  painter.fillPath(stroker.createStroke(shape).intersected(shape), Qt::black);
}

QPainterPath rect(qreal x, qreal y, qreal width, qreal height) {
  QPainterPath path;
  path.addRect(QRectF(x, y, width, height));
  return path;
}

QPainterPath circle(qreal x, qreal y, qreal diameter) {
  QPainterPath path;
  path.addEllipse(QRectF(x, y, diameter, diameter));
  return path;
}

// One stroke of a quotation mark: a parallelogram leaning right.
QPainterPath tick(qreal bottomLeft, qreal height) {
  QPainterPath path;
  path.moveTo(bottomLeft + 4, 0);
  path.lineTo(bottomLeft + 11, 0);
  path.lineTo(bottomLeft + 7, height);
  path.lineTo(bottomLeft, height);
  path.closeSubpath();
  return path;
}

}  // namespace

// The punctuation of the fonts is drawn as bars 8 px high (2 px black, 4 px
// white, 2 px black) about 60-74 px long, in eight rotations (counter-
// clockwise 45 degree steps); the extension symbols follow that.
QImage drawExtensionGlyph(int baseSymbol, int rotation) {
  QList<QPainterPath> shapes;
  switch (baseSymbol) {
    case 4:  // quotation marks: the sentence bar broken by a pair of quote strokes
      shapes << rect(0, 2, 24, 8) << rect(50, 2, 24, 8) << tick(27, 12) << tick(38, 12);
      break;
    case 5:  // bracket: a bar whose square ends turn down
      shapes << rect(0, 0, 60, 8).united(rect(0, 0, 8, 15)).united(rect(52, 0, 8, 15));
      break;
    case 6:  // non-manual-marker scope: a bar between two round end marks
      shapes << rect(7, 3, 60, 8).united(circle(0, 0, 14)).united(circle(60, 0, 14));
      break;
    default:
      return QImage();
  }
  if (rotation < 1 || rotation > 8) return QImage();
  // Rotation 1 keeps its designed box (the quote strokes reach below the
  // bars); other rotations turn the shapes and take their bounds.
  QRectF bounds = baseSymbol == 4 ? QRectF(0, 0, 74, 12) : baseSymbol == 5 ? QRectF(0, 0, 60, 15) : QRectF(0, 0, 74, 14);
  if (rotation != 1) {
    QTransform turn;
    turn.rotate(-45.0 * (rotation - 1));
    QRectF turned;
    for (QPainterPath& shape : shapes) {
      shape = turn.map(shape);
      turned = turned.united(shape.boundingRect());
    }
    for (QPainterPath& shape : shapes) shape.translate(-turned.topLeft());
    bounds = QRectF(QPointF(0, 0), turned.size());
  }
  const QSize size(qCeil(bounds.width() - 0.01), qCeil(bounds.height() - 0.01));
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const QPainterPath& shape : shapes) paintOutlined(painter, shape);
  painter.end();
  return image;
}

QList<SymbolCode> extensionCodes() {
  QList<SymbolCode> codes;
  for (quint32 base = 4; base <= 6; ++base)
    for (quint32 rotation = 1; rotation <= 8; ++rotation) codes << SSS::make(7, 1, base, 1, 1, rotation);
  return codes;
}

}  // namespace quabe::archive
