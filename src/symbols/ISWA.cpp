#include "symbols/ISWA.h"

#include <QPaintEngine>
#include <cmath>

#include "core/Logging.h"
#include "symbols/SymbolArchive.h"
#include "symbols/SymbolVectors.h"

namespace quabe {

namespace {
// A pixel is light grey when it is bright and has no hue: the white palm
// areas of hand symbols.
bool isLightGrey(QRgb p) { return qRed(p) > 127 && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p); }

// How a painter takes symbols: the archive image where one image pixel is
// one device pixel, the outlines rendered for the device's scale on other
// pixel devices, the outlines themselves on vector devices (PDF, printers,
// SVG) and under turned transforms.
enum class Rendering { ArchiveImage, ScaledOutlines, Outlines };

Rendering renderingFor(QPainter& painter, qreal* scale) {
  const QPaintEngine* engine = painter.paintEngine();
  const bool pixels = !engine || engine->type() == QPaintEngine::Raster || engine->type() == QPaintEngine::OpenGL2;
  const QTransform t = painter.deviceTransform();
  if (!pixels || t.type() > QTransform::TxScale || t.m11() <= 0 || std::abs(t.m11() - t.m22()) > 1e-9)
    return Rendering::Outlines;
  *scale = t.m11();
  return std::abs(*scale - 1.0) < 1e-6 ? Rendering::ArchiveImage : Rendering::ScaledOutlines;
}
}  // namespace

ISWA::ISWA(SymbolCode sss, Hand hand) : hand(hand) { applyCode(sss); }

ISWA::ISWA(const QString& sssString, Hand hand) : ISWA(SSS::fromString(sssString), hand) {}

std::optional<ISWA> ISWA::make(SymbolCode sss, Hand hand) {
  ISWA symbol(sss, hand);
  if (!symbol.isValid()) return std::nullopt;
  return symbol;
}

std::optional<ISWA> ISWA::make(const QString& sssString, Hand hand) {
  const auto code = SSS::parse(sssString);
  if (!code) return std::nullopt;
  return make(*code, hand);
}

ISWA ISWA::copy() const { return *this; }

bool ISWA::applyCode(SymbolCode code) {
  const std::optional<QImage> img = SymbolArchive::shared().image(code);
  if (!img) return false;
  m_sss = code;
  m_image = *img;
  m_valid = true;
  rect.setSize(QSizeF(m_image.width(), m_image.height()));
  return true;
}

bool ISWA::setSss(SymbolCode code) { return applyCode(code); }

void ISWA::rotate(int angle) {
  if (angle % 45 != 0) {
    qCWarning(lcSymbols) << "rotation by" << angle << "degrees ignored: not a multiple of 45";
    return;
  }
  const SymbolCode next = SymbolArchive::shared().turned(m_sss, angle / 45);
  if (next != m_sss) applyCode(next);
}

void ISWA::flip(bool vertical) {
  const SymbolCode next = SymbolArchive::shared().mirrored(m_sss, vertical);
  if (next != m_sss) applyCode(next);
}

void ISWA::nextFill() {
  const int fill = SSS::fill(m_sss);
  if (applyCode(SSS::withFill(m_sss, (fill + 1) & 15))) return;
  if (fill != 1) {
    if (!applyCode(SSS::withFill(m_sss, 1)))
      qCWarning(lcSymbols).noquote() << "no fill 1 in the archive for" << SSS::toString(m_sss);
  }
}

void ISWA::previousFill() {
  const int fill = SSS::fill(m_sss);
  if (fill <= 1) {
    for (int f = 6; f >= 1; --f) {
      if (applyCode(SSS::withFill(m_sss, f))) return;
    }
    return;
  }
  if (applyCode(SSS::withFill(m_sss, fill - 1))) return;
  applyCode(SSS::withFill(m_sss, 1));
}

QColor ISWA::leftHandColor() { return QColor(Qt::blue); }
QColor ISWA::rightHandColor() { return QColor(Qt::red); }
QColor ISWA::neutralColor() { return QColor(0, 0, 0); }

QColor ISWA::handColor(bool handColoring) const {
  if (!handColoring) return neutralColor();
  if (hand == Hand::left || (hand == Hand::none && SSS::rotation(m_sss) > 8)) return leftHandColor();
  return rightHandColor();
}

void ISWA::makeColorImage(bool handColoring) {
  if (!isHand() || m_image.isNull()) return;
  const QColor color = handColor(handColoring);
  QImage bitmap = m_image.convertToFormat(QImage::Format_ARGB32);
  const QRgb target = qRgba(color.red(), color.green(), color.blue(), 255);
  for (int y = 0; y < bitmap.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
    for (int x = 0; x < bitmap.width(); ++x) {
      const QRgb p = line[x];
      if (qAlpha(p) > 127 && !isLightGrey(p)) line[x] = (target & 0x00FFFFFF) | (p & 0xFF000000);
    }
  }
  m_image = bitmap;
  symbolColor = color;
  rect.setSize(QSizeF(m_image.width(), m_image.height()));
}

void ISWA::draw(QPainter& painter, const QPointF& signOrigin, bool handColoring) {
  const QPointF topLeft = signOrigin + rect.topLeft();
  qreal scale = 1.0;
  const Rendering rendering = renderingFor(painter, &scale);
  if (rendering != Rendering::ArchiveImage) {
    // Hands in their colour: the line part takes it, the fill stays white.
    const QColor ink = isHand() ? handColor(handColoring) : neutralColor();
    SymbolVectors& vectors = SymbolVectors::shared();
    if (rendering == Rendering::Outlines) {
      if (const std::optional<SymbolDrawing> drawing = vectors.drawing(m_sss)) {
        drawing->paint(painter, topLeft, ink);
        return;
      }
    } else if (const QImage image = vectors.rendered(m_sss, scale, ink); !image.isNull()) {
      // Whole device pixels, so that the rendering is copied pixel for pixel.
      const QTransform toDevice = painter.deviceTransform();
      const QPointF device = toDevice.map(topLeft);
      const QPointF snapped = toDevice.inverted().map(QPointF(std::round(device.x()), std::round(device.y())));
      painter.drawImage(QRectF(snapped, QSizeF(image.size()) / scale), image);
      return;
    }
  }
  // The archive image (also for a symbol the fonts lack).
  if (isHand() && (handColoring || symbolColor != neutralColor())) makeColorImage(handColoring);
  painter.drawImage(QRectF(topLeft, rect.size()), m_image);
}

}  // namespace quabe
