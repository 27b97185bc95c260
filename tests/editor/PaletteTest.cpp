#include <gtest/gtest.h>

#include <tuple>

#include "common/TestSupport.h"
#include "editor/layout/Palette.h"
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
    for (int k = 0; k < codes.size(); ++k) {
      const SymbolCode c = codes[k];
      EXPECT_TRUE(SSS::isPlausible(c) || isExtensionSymbol(c)) << i << " " << SSS::toString(c).toStdString();
      EXPECT_EQ(SSS::categoryField(c), SSS::categoryField(main.code(i)));
      EXPECT_EQ(SSS::group(c), SSS::group(main.code(i)));
      // Strictly rising: no symbol twice.
      if (k > 0) {
        EXPECT_LT(orderKey(codes[k - 1], isFillByFill(i)), orderKey(c, isFillByFill(i)))
            << "sub palette " << i << " at " << SSS::toString(c).toStdString();
      }
    }
  }
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
