#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <tuple>

#include "BuildPaths.h"
#include "common/TestSupport.h"
#include "editor/layout/Palette.h"
#include "editor/palette/PaletteToolTips.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

// Palettes laid out fill by fill (one run of every symbol per fill).
bool isFillByFill(int family) { return family == 32 || family == 33; }

// The punctuation extension symbols (quotation marks, bracket, scope mark)
// that ISWA 2010 does not define.
bool isExtensionSymbol(SymbolCode code) { return SSS::categoryField(code) == 7 && SSS::baseSymbol(code) >= 4; }

auto orderKey(SymbolCode c, bool fillFirst) {
  return fillFirst ? std::make_tuple(SSS::fill(c), SSS::baseSymbol(c), SSS::variation(c), SSS::rotation(c))
                   : std::make_tuple(SSS::baseSymbol(c), SSS::variation(c), SSS::fill(c), SSS::rotation(c));
}

}  // namespace

// Each main palette item opens the sub palette of its own family, which
// lists that family in ISWA order without repeats and fits the grid.
TEST(Palette, SubPalettesListTheirFamilyInIswaOrderWithoutRepeats) {
  const Palette& main = Palette::mainPalette();
  ASSERT_EQ(main.count(), Palette::FamilyCount);
  EXPECT_TRUE(Palette::palette(-1).isEmpty());
  EXPECT_TRUE(Palette::palette(Palette::FamilyCount).isEmpty());
  for (int i = 0; i < Palette::FamilyCount; ++i) {
    const QList<SymbolCode> codes = Palette::palette(i).symbols();
    ASSERT_FALSE(codes.isEmpty()) << i;
    EXPECT_LE(Palette::palette(i).count(), Palette::MaxItems) << i;
    EXPECT_NE(Palette::palette(i).code(0), 0u) << "a palette starts with a symbol";
    EXPECT_EQ(SSS::categoryField(main.code(i)), SSS::categoryField(codes[0])) << i;
    EXPECT_EQ(SSS::group(main.code(i)), SSS::group(codes[0])) << i;
    QSet<SymbolCode> seen;
    for (int k = 0; k < codes.size(); ++k) {
      const SymbolCode c = codes[k];
      EXPECT_TRUE(SSS::isPlausible(c) || isExtensionSymbol(c)) << i << " " << SSS::toString(c).toStdString();
      EXPECT_FALSE(seen.contains(c)) << "repeated " << SSS::toString(c).toStdString();
      seen.insert(c);
      EXPECT_EQ(SSS::categoryField(c), SSS::categoryField(codes[0]));
      EXPECT_EQ(SSS::group(c), SSS::group(codes[0]));
      if (k > 0) {
        EXPECT_LT(orderKey(codes[k - 1], isFillByFill(i)), orderKey(c, isFillByFill(i)))
            << "sub palette " << i << " at " << SSS::toString(c).toStdString();
      }
    }
  }
}

TEST(Palette, GridMapsPointsToItemsAndBack) {
  for (int i = 0; i < Palette::MaxItems; ++i) {
    const QRectF cell = Palette::cellRect(i);
    EXPECT_EQ(Palette::itemAt(cell.center()), i);
    EXPECT_EQ(Palette::itemAt(cell.topLeft()), i);
    EXPECT_EQ(Palette::itemAt(cell.bottomRight() - QPointF(0.01, 0.01)), i);
  }
  EXPECT_EQ(Palette::itemAt(QPointF(189.9, 0)), 4);
  EXPECT_EQ(Palette::itemAt(QPointF(190, 0)), -1);  // right of the grid, not the next row
  EXPECT_EQ(Palette::itemAt(QPointF(-1, 5)), -1);
  EXPECT_EQ(Palette::itemAt(QPointF(5, 12 * 38 + 1)), 60);
}

TEST(Palette, EverySymbolHasAnArchiveImage) {
  QUABE_REQUIRE_ARCHIVE();
  SymbolArchive& archive = SymbolArchive::shared();
  QStringList missing;
  for (int i = -1; i < Palette::FamilyCount; ++i) {
    const Palette& p = i < 0 ? Palette::mainPalette() : Palette::palette(i);
    for (SymbolCode c : p.symbols()) {
      // Every ISWA symbol of a palette is a glyph of the font, stored as is.
      if (!isExtensionSymbol(c) && !archive.contains(c)) missing << SSS::toString(c);
      if (!archive.image(c)) missing << SSS::toString(c) + " (no image)";
    }
  }
  EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
}

TEST(PaletteToolTips, EveryTextIsInTheTableInEnglishAndJapanese) {
  QFile file(QStringLiteral(QUABE_SOURCE_RESOURCE_DIR "/Localizable.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
  const QJsonObject en = root.value("en").toObject();
  const QJsonObject ja = root.value("ja").toObject();
  QStringList keys = PaletteToolTips::mainTexts();
  for (int i = 0; i < Palette::FamilyCount; ++i) keys << PaletteToolTips::subPaletteTexts(i);
  ASSERT_FALSE(keys.isEmpty());
  for (const QString& key : keys) {
    EXPECT_TRUE(en.contains(key)) << key.toStdString();
    ASSERT_TRUE(ja.contains(key)) << key.toStdString();
    EXPECT_NE(ja.value(key).toString(), en.value(key).toString()) << key.toStdString();
    EXPECT_FALSE(ja.value(key).toString().isEmpty());
  }
}
