// The archive built from the SignWriting fonts, checked against the fonts
// themselves. Missing fonts or a missing built archive are failures.
#include <gtest/gtest.h>

#include <QFile>
#include <cmath>

#include "BuildPaths.h"
#include "common/TestSupport.h"
#include "core/Resources.h"
#include "symbols/SymbolArchive.h"
#include "symbols/SymbolDrawing.h"

using namespace quabe;

namespace {

const QString kFontDir = QStringLiteral(QUABE_FONT_DIR);

QByteArray fontData(const char* name) {
  QFile file(kFontDir + QLatin1Char('/') + QLatin1String(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fonts as the archive builder reads them.
class Fonts : public SymbolFonts {
 public:
  Fonts() : SymbolFonts(fontData("SuttonSignWritingLine.ttf"), fontData("SuttonSignWritingFill.ttf")) {}
  bool has(SymbolCode code) const { return hasGlyph(GlyphId::of(code)); }
  QRectF bounds(SymbolCode code) const { return drawing(GlyphId::of(code)).layers.value(0).line.boundingRect(); }
};

bool fontsPresent() {
  return QFile::exists(kFontDir + "/SuttonSignWritingLine.ttf") &&
         QFile::exists(kFontDir + "/SuttonSignWritingFill.ttf");
}

QList<SymbolCode> fontCodes(const Fonts& fonts) {
  QList<SymbolCode> codes;
  for (int key = ISWA2010Code::firstKey; key <= ISWA2010Code::lastKey; ++key) {
    const BaseSymbolComponents c = ISWA2010Code::components(key);
    for (int fill = 1; fill <= 6; ++fill)
      for (int rotation = 1; rotation <= 16; ++rotation) {
        const SymbolCode code = SSS::make(c.category, c.group, c.baseSymbol, c.variation, fill, rotation);
        if (fonts.has(code)) codes << code;
      }
  }
  return codes;
}

const QList<SymbolCode> kExtensions = extensionCodes();

#define REQUIRE_FONTS_AND_ARCHIVE()                                             \
  ASSERT_TRUE(fontsPresent()) << "fonts missing in " << kFontDir.toStdString(); \
  ASSERT_FALSE(Resources::path("iswa2010bin").isEmpty()) << "iswa2010bin not built"

}  // namespace

TEST(SymbolArchiveFont, EveryGlyphOfTheFontHasAnImageOfTheGlyphsSize) {
  REQUIRE_FONTS_AND_ARCHIVE();
  const Fonts fonts;
  ASSERT_TRUE(fonts.isValid());
  const QList<SymbolCode> codes = fontCodes(fonts);
  EXPECT_EQ(codes.size(), 37811);
  SymbolArchive& archive = SymbolArchive::shared();
  ASSERT_TRUE(archive.loadImageArchive());
  EXPECT_EQ(archive.entryCount(), 37811 + kExtensions.size());
  int wrong = 0;
  for (const SymbolCode code : codes) {
    const auto image = archive.image(code);
    const QRectF glyph = fonts.bounds(code);
    const bool fits = image && archive.contains(code) && std::abs(image->width() - glyph.right()) <= 1 &&
                      std::abs(image->height() - glyph.bottom()) <= 1;
    if (!fits && ++wrong <= 10)
      ADD_FAILURE() << SSS::toString(code).toStdString() << " image " << (image ? image->width() : -1) << "x"
                    << (image ? image->height() : -1) << ", glyph ends at " << glyph.right() << "," << glyph.bottom();
  }
  EXPECT_EQ(wrong, 0);
  const auto first = archive.image(SSS::fromString("01-01-001-01-01-01"));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->size(), QSize(15, 30));
}

TEST(SymbolArchiveFont, SymbolDatabaseListsEveryStoredSymbolWithItsSize) {
  REQUIRE_FONTS_AND_ARCHIVE();
  const QString path = Resources::path("iswa2010data.db");
  ASSERT_FALSE(path.isEmpty());
  SymbolArchive& archive = SymbolArchive::shared();
  archive.loadImageArchive();
  const QStringList rows =
      test::sqlColumn(path, "SELECT code || ' ' || IFNULL(fsw, '') || ' ' || width || ' ' || height FROM Symbols");
  int mismatches = 0, withoutFsw = 0;
  for (const QString& row : rows) {
    const QStringList f = row.split(' ');
    const SymbolCode code = SSS::fromString(f[0]);
    const auto image = archive.archivedImage(code);
    withoutFsw += f[1].isEmpty();
    if (!image || SSS::toString(code) != f[0] || f[1] != SSS::toFswKey(code) ||
        image->size() != QSize(f[2].toInt(), f[3].toInt()))
      if (++mismatches <= 10) ADD_FAILURE() << row.toStdString();
  }
  EXPECT_EQ(rows.size(), archive.entryCount());
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(withoutFsw, kExtensions.size());
}
