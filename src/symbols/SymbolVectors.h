#pragma once

#include <QCache>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QString>
#include <memory>
#include <optional>

#include "symbols/SymbolDrawing.h"

namespace quabe {

// Symbols as outlines for printing, PDF, SVG and any scale other than 1,
// from the same Line and Fill fonts the image archive is rendered from (the
// resources "SuttonSignWritingLine.ttf" and "SuttonSignWritingFill.ttf").
// A code has a drawing exactly when the archive has an image for it, and
// both have the same size: the font's glyph, the turned or mirrored glyph of
// rotation 1 or 2 where the archive synthesises the rotation, or the
// extension punctuation. Shared by the whole process; safe to call from
// several threads.
class SymbolVectors {
 public:
  static SymbolVectors& shared();

  // Loads the fonts (from the resources when the paths are empty). Does
  // nothing once loaded; false when a font cannot be read.
  bool load(const QString& linePath = QString(), const QString& fillPath = QString());
  bool isLoaded() const;

  // The outlines of a code, loading the fonts on first use; nothing when the
  // symbol does not exist or the fonts are missing.
  std::optional<SymbolDrawing> drawing(SymbolCode code);
  // The drawing rendered at a scale for the screen, kept in a cache of
  // recent renderings so that repainting costs one image copy per symbol. A
  // null image when there is no drawing.
  QImage rendered(SymbolCode code, qreal scale, const QColor& ink);

 private:
  SymbolVectors() = default;
  bool loadLocked(const QString& linePath, const QString& fillPath);
  std::optional<SymbolDrawing> drawingLocked(SymbolCode code);
  const SymbolDrawing* glyphLocked(SymbolCode code);

  mutable QMutex m_mutex;
  std::unique_ptr<SymbolFonts> m_fonts;
  bool m_triedLoading = false;
  QHash<SymbolCode, SymbolDrawing> m_glyphs;      // drawings of the fonts' own glyphs (null: absent)
  QCache<QString, QImage> m_rendered{64 * 1024};  // cost in KiB
};

}  // namespace quabe
