#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "symbols/Symbol.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {
// The size of the symbol's picture in the archive.
QSizeF imageSize(const Symbol& symbol) {
  const std::optional<QImage> image = SymbolArchive::shared().image(symbol.sss());
  return image ? QSizeF(image->size()) : QSizeF(0, 0);
}

DbISWA spellingRow(const QString& sss, int hand = 0) {
  DbISWA row;
  row.sss = sss;
  row.x = 40;
  row.y = 50;
  row.hand = hand;
  return row;
}
}  // namespace

TEST(SymbolRecord, DecodesItsRowAndTakesTheSizeOfItsPicture) {
  QUABE_REQUIRE_ARCHIVE();
  DbISWA row = spellingRow("01-01-001-01-01-02", 3);
  row.changeableHand = 1;
  const Symbol s(row);
  EXPECT_EQ(s.originalRotation, 2);
  EXPECT_EQ(s.size, imageSize(s));
  EXPECT_EQ(s.hand, Hand::both);
  EXPECT_TRUE(s.isChangeableHand);
  EXPECT_FALSE(s.isTurnableArrow);
  EXPECT_EQ(s.sss(), SSS::fromString("01-01-001-01-01-02"));
  ASSERT_TRUE(s.dbIswa);
  const Symbol copy = s;  // copies share the row
  EXPECT_EQ(copy.dbIswa.get(), s.dbIswa.get());

  Symbol none;
  EXPECT_EQ(none.sss() >> 28, 8u);  // category none encodes as field 8
  EXPECT_EQ(Symbol(spellingRow("01-01-001-01-01-01", 7)).hand, Hand::none);
}

TEST(SymbolRecord, RotationStepsAndSizeUpdates) {
  QUABE_REQUIRE_ARCHIVE();
  Symbol s(spellingRow("01-01-001-01-01-01"));
  const QSizeF upright = s.size;
  s.rotateCW();
  EXPECT_EQ(s.rotation, 8);
  EXPECT_EQ(s.size, imageSize(s));  // looked up again
  EXPECT_NE(s.size, upright);
  s.rotateCCW();
  EXPECT_EQ(s.rotation, 1);
  EXPECT_EQ(s.size, upright);
  s.rotateCCW();
  EXPECT_EQ(s.rotation, 2);

  Symbol mirrored(spellingRow("01-01-001-01-01-09"));
  mirrored.rotateCW();
  EXPECT_EQ(mirrored.rotation, 10);
  mirrored.rotateCCW();
  mirrored.rotateCCW();
  EXPECT_EQ(mirrored.rotation, 16);

  // Full turns in either direction come back; steps are counter-clockwise.
  for (int r = 1; r <= 16; ++r) {
    Symbol t;
    t.category = Category::hand;
    t.rotation = r;
    t.rotate(8);
    EXPECT_EQ(t.rotation, r);
    t.rotate(-16);
    EXPECT_EQ(t.rotation, r);
    Symbol ccw = t;
    ccw.rotate(1);
    Symbol step = t;
    step.rotateCCW();
    EXPECT_EQ(ccw.rotation, step.rotation) << r;
    ccw.rotate(-1);
    EXPECT_EQ(ccw.rotation, r);
  }

  Symbol invalid;
  invalid.rotation = 0;
  invalid.rotateCW();
  invalid.rotateCCW();
  invalid.rotate(3);
  EXPECT_EQ(invalid.rotation, 0);

  Symbol target(spellingRow("01-05-001-01-01-01"));
  target.category = Category::movement;
  Symbol shape(spellingRow("01-01-001-01-01-08"));
  target.takeShape(&shape);
  EXPECT_EQ(target.category, Category::movement);  // the category stays
  target.category = Category::hand;
  EXPECT_EQ(target.sssText(), "01-01-001-01-01-08");
  target.takeShape(nullptr);
  EXPECT_EQ(target.rotation, 8);
}
