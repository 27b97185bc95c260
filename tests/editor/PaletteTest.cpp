#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <tuple>

#include "common/TestSupport.h"
#include "core/Localization.h"
#include "editor/layout/Palette.h"
#include "editor/palette/PaletteToolTips.h"
#include "symbols/SymbolArchive.h"
#include "BuildPaths.h"

using namespace quabe;

namespace {

struct Expected {
  int size;
  int emptyCells;
  const char* first;
  const char* last;  // last non-empty cell
};

// Size, empty cells, first and last symbol of each family's sub palette.
// Sub palette 5 keeps an empty cell where ISWA 2010 has no handshape
// between base symbols 9 and 10. Sub palettes 33, 34 and 46 end on the forms
// that fill their grid: eyes fill by fill up to the 60 cells, eye gaze in
// four directions, limbs as drawn and mirrored.
const Expected kExpected[Palette::FamilyCount] = {
    {14, 0, "01-01-001-01-01-01", "01-01-014-01-01-01"},  {16, 0, "01-02-001-01-01-01", "01-02-016-01-01-01"},
    {38, 0, "01-03-001-01-01-01", "01-03-038-01-01-01"},  {8, 0, "01-04-001-01-01-01", "01-04-008-01-01-01"},
    {58, 0, "01-05-001-01-01-01", "01-05-058-01-01-01"},  {31, 1, "01-06-001-01-01-01", "01-06-030-01-01-01"},
    {22, 0, "01-07-001-01-01-01", "01-07-022-01-01-01"},  {19, 0, "01-08-001-01-01-01", "01-08-019-01-01-01"},
    {40, 0, "01-09-001-01-01-01", "01-09-040-01-01-01"},  {16, 0, "01-10-001-01-01-01", "01-10-016-01-02-01"},
    {29, 0, "02-01-001-01-01-01", "02-01-017-01-02-01"},  {58, 0, "02-02-001-01-01-01", "02-02-013-01-02-01"},
    {45, 0, "02-03-001-01-01-01", "02-03-020-03-01-01"},  {20, 0, "02-04-001-01-01-01", "02-04-004-01-03-01"},
    {37, 0, "02-05-001-01-01-01", "02-05-019-01-01-01"},  {30, 0, "02-06-001-01-01-01", "02-06-011-01-01-01"},
    {19, 0, "02-07-001-01-01-01", "02-07-016-03-01-01"},  {28, 0, "02-08-001-01-01-01", "02-08-014-01-01-01"},
    {14, 0, "02-09-001-01-01-01", "02-09-008-01-01-01"},  {20, 0, "02-10-001-01-01-01", "02-10-008-02-01-01"},
    {24, 4, "03-01-001-01-01-01", "03-01-003-02-04-01"},  {38, 6, "03-01-004-01-01-01", "03-01-004-04-01-08"},
    {10, 2, "04-01-001-01-01-01", "04-01-001-01-02-04"},  {4, 0, "04-01-001-01-03-01", "04-01-001-01-03-04"},
    {4, 0, "04-01-001-01-04-01", "04-01-001-01-04-04"},   {8, 0, "04-01-002-01-01-01", "04-01-002-01-01-08"},
    {36, 0, "04-01-003-01-01-01", "04-01-008-01-02-01"},  {4, 0, "04-01-009-01-01-01", "04-01-009-01-04-02"},
    {8, 0, "04-01-009-01-02-01", "04-01-009-01-06-02"},   {40, 8, "04-01-010-01-01-01", "04-01-010-02-01-16"},
    {40, 8, "04-01-010-01-02-01", "04-01-010-02-02-16"},  {40, 8, "04-01-010-01-03-01", "04-01-010-02-03-16"},
    {60, 12, "04-02-001-01-01-01", "04-02-002-04-06-01"}, {60, 0, "04-02-004-01-01-01", "04-02-005-03-05-01"},
    {32, 0, "04-02-007-01-01-01", "04-02-008-01-04-07"},  {35, 4, "04-03-001-01-01-01", "04-03-003-01-04-01"},
    {36, 0, "04-03-004-01-01-01", "04-03-007-02-06-01"},  {60, 0, "04-04-001-01-01-01", "04-04-011-02-02-01"},
    {24, 0, "04-05-001-01-01-01", "04-05-004-01-04-01"},  {42, 0, "04-05-005-01-01-01", "04-05-008-01-06-01"},
    {20, 0, "04-05-009-01-01-01", "04-05-010-01-03-01"},  {14, 0, "04-05-011-01-01-01", "04-05-013-01-04-01"},
    {46, 14, "05-01-001-01-01-01", "05-01-002-01-04-06"}, {48, 0, "05-01-003-01-01-01", "05-01-008-01-01-04"},
    {60, 12, "05-01-009-01-01-01", "05-01-009-01-06-08"}, {20, 4, "05-02-001-01-01-01", "05-02-001-01-01-16"},
    {41, 1, "05-02-002-01-01-01", "05-02-004-01-06-09"},  {38, 5, "06-01-001-01-01-01", "06-01-007-01-06-09"},
    {43, 10, "07-01-001-01-01-01", "07-01-006-01-01-03"},
};

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

TEST(Palette, MainPaletteHasOneItemPerFamilyInTheFamilysGroup) {
  const Palette& main = Palette::mainPalette();
  ASSERT_EQ(main.count(), 49);
  EXPECT_EQ(main.emptyCellCount(), 0);
  EXPECT_EQ(SSS::toString(main.code(0)), "01-01-001-01-01-01");
  EXPECT_EQ(SSS::toString(main.code(42)), "05-01-002-01-01-01");
  EXPECT_EQ(SSS::toString(main.code(48)), "07-01-001-01-01-01");
  for (int i = 0; i < main.count(); ++i) {
    const Palette& sub = Palette::palette(i);
    ASSERT_FALSE(sub.isEmpty()) << i;
    EXPECT_EQ(SSS::categoryField(main.code(i)), SSS::categoryField(sub.symbols().first())) << i;
    EXPECT_EQ(SSS::group(main.code(i)), SSS::group(sub.symbols().first())) << i;
  }
  EXPECT_TRUE(Palette::palette(-1).isEmpty());
  EXPECT_TRUE(Palette::palette(49).isEmpty());
  EXPECT_EQ(&Palette::palette(7), &Palette::palette(7));  // built once, shared
}

TEST(Palette, EverySubPaletteHasItsSizeEmptyCellsAndEnds) {
  for (int i = 0; i < Palette::FamilyCount; ++i) {
    const Palette& sub = Palette::palette(i);
    const Expected& e = kExpected[i];
    EXPECT_EQ(sub.count(), e.size) << "sub palette " << i;
    EXPECT_EQ(sub.emptyCellCount(), e.emptyCells) << "sub palette " << i;
    EXPECT_LE(sub.count(), Palette::MaxItems) << "sub palette " << i;
    ASSERT_FALSE(sub.symbols().isEmpty());
    EXPECT_EQ(SSS::toString(sub.symbols().first()), e.first) << "sub palette " << i;
    EXPECT_EQ(SSS::toString(sub.symbols().last()), e.last) << "sub palette " << i;
    EXPECT_NE(sub.code(0), 0u) << "a palette starts with a symbol";
  }
}

TEST(Palette, SubPalettesListTheirFamilyInIswaOrderWithoutRepeats) {
  for (int i = 0; i < Palette::FamilyCount; ++i) {
    const QList<SymbolCode> codes = Palette::palette(i).symbols();
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

TEST(Palette, HandAndPunctuationPalettesFollowTheirRows) {
  // Group 5: fill 2 where fill 1 hides the shape.
  const Palette& five = Palette::palette(4);
  for (int base : {2, 4, 6, 17, 19}) EXPECT_EQ(five.code(base - 1), SSS::make(1, 5, base, 1, 2, 1)) << base;
  EXPECT_EQ(five.code(2), SSS::make(1, 5, 3, 1, 1, 1));
  // Group 6: the empty cell stands after base symbol 9.
  const Palette& six = Palette::palette(5);
  EXPECT_EQ(six.code(8), SSS::make(1, 6, 9, 1, 1, 1));
  EXPECT_EQ(six.code(9), 0u);
  EXPECT_EQ(six.code(10), SSS::make(1, 6, 10, 1, 1, 1));
  // Contact: base symbols 4, 7, 10 and 13 in fill 1 only.
  const Palette& contact = Palette::palette(10);
  EXPECT_EQ(contact.code(5), SSS::make(2, 1, 4, 1, 1, 1));
  EXPECT_EQ(contact.code(6), SSS::make(2, 1, 5, 1, 1, 1));
  // Dynamics: fills of 03-01-001, a gap, the eight rotations of 03-01-002.
  const Palette& dynamics = Palette::palette(20);
  EXPECT_EQ(dynamics.code(4), 0u);
  EXPECT_EQ(dynamics.code(5), SSS::make(3, 1, 2, 1, 1, 1));
  EXPECT_EQ(dynamics.code(12), SSS::make(3, 1, 2, 1, 1, 8));
  // Punctuation: fill 1 in rotations 1 and 3, then fill 2 ...; the extension symbols at the end.
  const Palette& punc = Palette::palette(48);
  EXPECT_EQ(punc.code(1), SSS::make(7, 1, 1, 1, 1, 3));
  EXPECT_EQ(punc.code(2), SSS::make(7, 1, 1, 1, 2, 1));
  EXPECT_EQ(punc.code(8), 0u);
  EXPECT_EQ(punc.indexOf(SSS::make(7, 1, 4, 1, 1, 2)) + 4, punc.indexOf(SSS::make(7, 1, 5, 1, 1, 1)));
  // Eyebrows fill by fill: the first ten cells are the ten symbols in fill 1.
  const Palette& brows = Palette::palette(32);
  EXPECT_EQ(brows.code(9), SSS::make(4, 2, 3, 3, 1, 1));
  EXPECT_EQ(brows.code(10), SSS::make(4, 2, 1, 1, 2, 1));
  EXPECT_EQ(brows.code(27), 0u);  // forehead has no fill 3
}

TEST(Palette, GridMapsPointsToItemsAndBack) {
  for (int i = 0; i < Palette::MaxItems; ++i) {
    const QRectF cell = Palette::cellRect(i);
    EXPECT_EQ(Palette::itemAt(cell.center()), i);
    EXPECT_EQ(Palette::itemAt(cell.topLeft()), i);
    EXPECT_EQ(Palette::itemAt(cell.bottomRight() - QPointF(0.01, 0.01)), i);
  }
  EXPECT_EQ(Palette::cellRect(7), QRectF(76, 38, 38, 38));
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

TEST(PaletteToolTips, MainAndSubPaletteTextsByItem) {
  Localization::setLanguage("en");
  ASSERT_EQ(PaletteToolTips::mainTexts().size(), 49);
  EXPECT_EQ(PaletteToolTips::text(-1, 0), "index");
  EXPECT_EQ(PaletteToolTips::text(-1, 48), "Comma, Period, Semi-Colon, Colon, Parentheses");
  EXPECT_EQ(PaletteToolTips::text(-1, 49), "");
  EXPECT_EQ(PaletteToolTips::text(10, 0), "Touch single");
  EXPECT_EQ(PaletteToolTips::text(10, 18), "Surface between (top/bottom)");
  EXPECT_EQ(PaletteToolTips::text(10, 19), "");  // items 19-28 have none
  EXPECT_EQ(PaletteToolTips::text(21, 3), "Gradual");
  EXPECT_EQ(PaletteToolTips::text(32, 9), "Forehead wrinkled");
  EXPECT_EQ(PaletteToolTips::text(33, 12), "Eyelashes fluttering");
  EXPECT_EQ(PaletteToolTips::text(48, 8), "NMM scope");
  EXPECT_EQ(PaletteToolTips::text(48, 6), "Quotation mark");  // the key keeps its old spelling
  EXPECT_EQ(PaletteToolTips::key(48, 6), "Quatation mark");
  EXPECT_EQ(PaletteToolTips::text(0, 0), "");
  EXPECT_EQ(PaletteToolTips::text(10, -1), "");

  Localization::setLanguage("ja");
  EXPECT_EQ(PaletteToolTips::text(-1, 0), QString::fromUtf8("人差し指"));
  EXPECT_EQ(PaletteToolTips::text(10, 0), QString::fromUtf8("触れる（1回）"));
  EXPECT_EQ(PaletteToolTips::text(48, 0), QString::fromUtf8("読点"));
  Localization::setLanguage("en");
}

TEST(PaletteToolTips, EveryTextIsInTheTableInEnglishAndJapanese) {
  QFile file(QStringLiteral(QUABE_SOURCE_RESOURCE_DIR "/Localizable.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
  const QJsonObject en = root.value("en").toObject();
  const QJsonObject ja = root.value("ja").toObject();
  QStringList keys = PaletteToolTips::mainTexts();
  for (int i = 0; i < Palette::FamilyCount; ++i) keys << PaletteToolTips::subPaletteTexts(i);
  EXPECT_EQ(keys.size(), 49 + 19 + 4 + 10 + 13 + 9);
  for (const QString& key : keys) {
    EXPECT_TRUE(en.contains(key)) << key.toStdString();
    ASSERT_TRUE(ja.contains(key)) << key.toStdString();
    EXPECT_NE(ja.value(key).toString(), en.value(key).toString()) << key.toStdString();
    EXPECT_FALSE(ja.value(key).toString().isEmpty());
  }
}
