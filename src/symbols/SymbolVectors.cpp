#include "symbols/SymbolVectors.h"

#include <QFile>

#include "core/Logging.h"
#include "core/Resources.h"
#include "symbols/SymbolArchive.h"

namespace quabe {

namespace {

QByteArray readFile(const QString& path) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

}  // namespace

SymbolVectors& SymbolVectors::shared() {
  static SymbolVectors vectors;
  return vectors;
}

bool SymbolVectors::load(const QString& linePath, const QString& fillPath) {
  QMutexLocker locker(&m_mutex);
  return loadLocked(linePath, fillPath);
}

bool SymbolVectors::loadLocked(const QString& linePath, const QString& fillPath) {
  if (m_fonts) return true;
  m_triedLoading = true;
  const QString line = linePath.isEmpty() ? Resources::path(QStringLiteral("SuttonSignWritingLine.ttf")) : linePath;
  const QString fill = fillPath.isEmpty() ? Resources::path(QStringLiteral("SuttonSignWritingFill.ttf")) : fillPath;
  auto fonts = std::make_unique<SymbolFonts>(readFile(line), readFile(fill));
  if (!fonts->isValid()) {
    qCWarning(lcSymbols).noquote() << "cannot read the symbol fonts:" << line << fill;
    return false;
  }
  m_fonts = std::move(fonts);
  return true;
}

bool SymbolVectors::isLoaded() const {
  QMutexLocker locker(&m_mutex);
  return m_fonts != nullptr;
}

const SymbolDrawing* SymbolVectors::glyphLocked(SymbolCode code) {
  auto found = m_glyphs.constFind(code);
  if (found == m_glyphs.constEnd()) found = m_glyphs.insert(code, m_fonts->drawing(GlyphId::of(code)));
  return found->isNull() ? nullptr : &*found;
}

std::optional<SymbolDrawing> SymbolVectors::drawingLocked(SymbolCode code) {
  // A missing font is reported once; later look-ups find nothing.
  if (!m_fonts && (m_triedLoading || !loadLocked(QString(), QString()))) return std::nullopt;
  if (isExtensionCode(code)) return extensionDrawing(SSS::baseSymbol(code), SSS::rotation(code));
  if (const SymbolDrawing* glyph = glyphLocked(code)) return *glyph;
  // The rotations the archive synthesises, the same way (SymbolArchive::image).
  const int r = SSS::rotation(code);
  if (r < 3) return std::nullopt;
  const int reduced = SymbolArchive::reducedRotation(r, SSS::rotationCount(code));
  if (reduced == 0) return std::nullopt;
  if (reduced != r) {
    if (const SymbolDrawing* glyph = glyphLocked(SSS::withRotation(code, reduced))) return *glyph;
  }
  const SymbolDrawing* base = glyphLocked(SSS::withRotation(code, reduced % 2 == 1 ? 1 : 2));
  if (!base) return std::nullopt;
  return base->synthesized(reduced);
}

std::optional<SymbolDrawing> SymbolVectors::drawing(SymbolCode code) {
  QMutexLocker locker(&m_mutex);
  return drawingLocked(code);
}

QImage SymbolVectors::rendered(SymbolCode code, qreal scale, const QColor& ink) {
  const QString key = QStringLiteral("%1/%2/%3").arg(code).arg(qRound(scale * 256)).arg(ink.rgba());
  QMutexLocker locker(&m_mutex);
  if (const QImage* cached = m_rendered.object(key)) return *cached;
  const std::optional<SymbolDrawing> drawing = drawingLocked(code);
  if (!drawing) return QImage();
  auto* image = new QImage(drawing->render(scale, ink));
  const QImage result = *image;
  m_rendered.insert(key, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
  return result;
}

}  // namespace quabe
