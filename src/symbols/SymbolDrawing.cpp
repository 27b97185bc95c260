#include "symbols/SymbolDrawing.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>
#include <QtMath>
#include <cmath>

namespace quabe {

// --- drawings ---

void SymbolDrawing::paint(QPainter& painter, const QPointF& topLeft, const QColor& ink) const {
  const bool translated = !topLeft.isNull();
  if (translated) {
    painter.save();
    painter.translate(topLeft);
  }
  for (const Layer& layer : layers) {
    painter.fillPath(layer.fill, Qt::white);
    painter.fillPath(layer.line, ink);
  }
  if (translated) painter.restore();
}

QImage SymbolDrawing::render(qreal scale, const QColor& ink) const {
  const QSize pixels(std::max(1, qCeil(size.width() * scale - 1e-6)), std::max(1, qCeil(size.height() * scale - 1e-6)));
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  if (scale != 1.0) painter.scale(scale, scale);
  paint(painter, QPointF(), ink);
  painter.end();
  return image;
}

SymbolDrawing SymbolDrawing::synthesized(int r) const {
  const qreal w = size.width(), h = size.height();
  QTransform turn;
  bool across = true;  // the box's width and height trade places
  switch (r) {
    case 1:
    case 2:
      return *this;
    case 3:
    case 4:  // a quarter turn counter-clockwise
      turn = QTransform(0, -1, 1, 0, 0, w);
      break;
    case 5:
    case 6:
      turn = QTransform(-1, 0, 0, -1, w, h);
      across = false;
      break;
    case 7:
    case 8:  // a quarter turn clockwise
      turn = QTransform(0, 1, -1, 0, h, 0);
      break;
    case 9:
    case 10:  // mirrored left-right
      turn = QTransform(-1, 0, 0, 1, w, 0);
      across = false;
      break;
    case 11:
    case 12:  // mirrored, then a quarter turn clockwise
      turn = QTransform(0, -1, -1, 0, h, w);
      break;
    case 13:
    case 14:  // mirrored top-bottom
      turn = QTransform(1, 0, 0, -1, 0, h);
      across = false;
      break;
    case 15:
    case 16:  // mirrored, then a quarter turn counter-clockwise
      turn = QTransform(0, 1, 1, 0, 0, 0);
      break;
    default:
      return {};
  }
  SymbolDrawing result;
  result.size = across ? size.transposed() : size;
  for (const Layer& layer : layers) result.layers.append({turn.map(layer.fill), turn.map(layer.line)});
  return result;
}

// --- the fonts ---

SymbolCode GlyphId::code() const {
  const BaseSymbolComponents c = ISWA2010Code::components(key);
  return SSS::make(quint32(c.category), quint32(c.group), quint32(c.baseSymbol), quint32(c.variation),
                   quint32(fill + 1), quint32(rotation + 1));
}

GlyphId GlyphId::of(SymbolCode code) {
  const int serial = SSS::serialBaseSymbolNumber(SSS::categoryField(code), SSS::group(code), SSS::baseSymbol(code),
                                                 SSS::variation(code));
  if (serial == 0) return {};
  return GlyphId{serial + 255, SSS::fill(code) - 1, SSS::rotation(code) - 1};
}

SymbolFonts::SymbolFonts(const QByteArray& lineFontData, const QByteArray& fillFontData)
    : m_line(lineFontData, pixelsPerEm, QFont::PreferNoHinting),
      m_fill(fillFontData, pixelsPerEm, QFont::PreferNoHinting) {}

bool SymbolFonts::hasGlyph(const GlyphId& glyph) const {
  return glyph.key >= ISWA2010Code::firstKey && glyph.key <= ISWA2010Code::lastKey && glyph.fill >= 0 &&
         glyph.fill < 6 && glyph.rotation >= 0 && glyph.rotation < 16 &&
         m_line.supportsCharacter(uint(glyph.lineCodePoint()));
}

QPainterPath SymbolFonts::outline(const QRawFont& font, char32_t codePoint) const {
  if (!font.supportsCharacter(uint(codePoint))) return QPainterPath();
  const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&codePoint, 1));
  if (glyphs.isEmpty() || glyphs.first() == 0) return QPainterPath();
  return font.pathForGlyph(glyphs.first());
}

QSize SymbolFonts::sizeOfOutline(const QPainterPath& outline) {
  const QRectF bounds = outline.boundingRect();
  return QSize(std::max(1, int(std::lround(bounds.right()))), std::max(1, int(std::lround(bounds.bottom()))));
}

SymbolDrawing SymbolFonts::drawing(const GlyphId& glyph) const {
  if (!hasGlyph(glyph)) return {};
  SymbolDrawing drawing;
  const QPainterPath line = outline(m_line, glyph.lineCodePoint());
  drawing.layers.append({outline(m_fill, glyph.fillCodePoint()), line});
  drawing.size = sizeOfOutline(line);
  return drawing;
}

// --- the extension punctuation ---

namespace {

// Outline width of the fonts' strokes at 30 px to the em (two whole pixels).
constexpr qreal kStroke = 2.0;

// A shape white with a black outline lying inside its edge, the way the Line
// and Fill glyphs of the fonts combine.
SymbolDrawing::Layer outlined(const QPainterPath& shape) {
  QPainterPathStroker stroker;
  stroker.setWidth(2 * kStroke);
  stroker.setJoinStyle(Qt::MiterJoin);
  return {shape, stroker.createStroke(shape).intersected(shape)};
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
SymbolDrawing extensionDrawing(int baseSymbol, int rotation) {
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
      return {};
  }
  if (rotation < 1 || rotation > 8) return {};
  // Rotation 1 keeps its designed box (the quote strokes reach below the
  // bars); other rotations turn the shapes and take their bounds.
  QRectF bounds = baseSymbol == 4   ? QRectF(0, 0, 74, 12)
                  : baseSymbol == 5 ? QRectF(0, 0, 60, 15)
                                    : QRectF(0, 0, 74, 14);
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
  SymbolDrawing drawing;
  drawing.size = QSize(qCeil(bounds.width() - 0.01), qCeil(bounds.height() - 0.01));
  for (const QPainterPath& shape : shapes) drawing.layers.append(outlined(shape));
  return drawing;
}

QList<SymbolCode> extensionCodes() {
  QList<SymbolCode> codes;
  for (quint32 base = 4; base <= 6; ++base)
    for (quint32 rotation = 1; rotation <= 8; ++rotation) codes << SSS::make(7, 1, base, 1, 1, rotation);
  return codes;
}

bool isExtensionCode(SymbolCode code) {
  const int base = SSS::baseSymbol(code);
  return SSS::categoryField(code) == 7 && SSS::group(code) == 1 && base >= 4 && base <= 6 &&
         SSS::variation(code) == 1 && SSS::fill(code) == 1 && SSS::rotation(code) >= 1 && SSS::rotation(code) <= 8;
}

}  // namespace quabe
