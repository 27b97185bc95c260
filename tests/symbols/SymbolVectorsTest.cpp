// Symbols drawn from the fonts' outlines (print, PDF, SVG, zoom) against the
// archive images the screen shows at 100 %.
#include <gtest/gtest.h>

#include <QPainter>

#include "common/TestSupport.h"
#include "symbols/ISWA.h"
#include "symbols/SymbolArchive.h"
#include "symbols/SymbolDrawing.h"
#include "symbols/SymbolVectors.h"

using namespace quabe;

namespace {

// The symbol drawn on white: through ISWA::draw at actual size (the archive
// image), or through its outlines.
QImage onWhite(ISWA& symbol, bool outlines, bool handColoring = false) {
  QImage image(symbol.rect.size().toSize() + QSize(4, 4), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  if (outlines) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = symbol.isHand() ? symbol.handColor(handColoring) : ISWA::neutralColor();
    SymbolVectors::shared().drawing(symbol.sss())->paint(painter, QPointF(2, 2), ink);
  } else {
    symbol.draw(painter, QPointF(2, 2) - symbol.rect.topLeft(), handColoring);
  }
  return image;
}

// The largest difference of a colour channel between two images, 0-255.
int largestDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max(
          {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
    }
  return largest;
}

}  // namespace

// Every kind of symbol: glyphs of the font (a sample of the archive), the
// rotations the archive turns and mirrors itself, the extension punctuation
// the fonts lack, and hands in their colours. The outlines have the image's
// size and the same pixels up to anti-aliasing: no channel of any pixel
// differs by more than 64 of 255 (most symbols match exactly; turned and
// mirrored ones differ on edge pixels where the turned outline is rasterised
// anew).
TEST(SymbolVectors, OutlinesAtActualSizeLookLikeTheArchiveImages) {
  QUABE_REQUIRE_ARCHIVE();
  SymbolArchive& archive = SymbolArchive::shared();
  ASSERT_TRUE(SymbolVectors::shared().load());
  QList<SymbolCode> codes;
  QList<SymbolCode> stored = archive.storedCodes();
  std::sort(stored.begin(), stored.end());
  for (qsizetype i = 0; i < stored.size(); i += 41) codes << stored[i];
  const qsizetype sampled = codes.size();
  for (const SymbolCode code : stored)
    for (int r = 3; r <= 16 && codes.size() < sampled + 60 && SSS::rotation(code) == 1; ++r)
      if (!archive.contains(SSS::withRotation(code, r)) && archive.image(SSS::withRotation(code, r)))
        codes << SSS::withRotation(code, r);
  EXPECT_EQ(codes.size(), sampled + 60);
  codes << extensionCodes();

  for (const SymbolCode code : codes) {
    SCOPED_TRACE(SSS::toString(code).toStdString());
    ISWA symbol(code);
    ASSERT_TRUE(symbol.isValid());
    const auto drawing = SymbolVectors::shared().drawing(code);
    ASSERT_TRUE(drawing.has_value());
    EXPECT_EQ(drawing->size, symbol.image().size());
    EXPECT_LE(largestDifference(onWhite(symbol, false), onWhite(symbol, true)), 64);
  }
  // A code the archive lacks has no outlines either.
  EXPECT_FALSE(SymbolVectors::shared().drawing(SSS::fromString(QStringLiteral("01-06-031-01-01-01"))).has_value());
  EXPECT_FALSE(SymbolVectors::shared().drawing(SSS::fromString(QStringLiteral("07-01-004-01-01-09"))).has_value());

  // Hands in their colours: the line part right red, left blue, the fill white.
  for (const Hand hand : {Hand::right, Hand::left}) {
    ISWA symbol(SSS::fromString(QStringLiteral("01-05-050-01-03-01")), hand);
    const QImage outlined = onWhite(symbol, true, true);
    EXPECT_LE(largestDifference(onWhite(symbol, false, true), outlined), 64);
    int coloured = 0;
    for (int y = 0; y < outlined.height(); ++y)
      for (int x = 0; x < outlined.width(); ++x) coloured += outlined.pixelColor(x, y) == symbol.handColor(true);
    EXPECT_GT(coloured, 20);
  }
}
