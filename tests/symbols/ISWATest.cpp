#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "symbols/ISWA.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {
SymbolCode code(const char* text) { return SSS::fromString(QString::fromLatin1(text)); }

void expectInvariant(const ISWA& s, QPointF origin) {
  EXPECT_EQ(s.rect.topLeft(), origin);
  EXPECT_EQ(s.rect.size(), QSizeF(s.image().size()));
  EXPECT_EQ(s.image(), *SymbolArchive::shared().image(s.sss()));
}
}  // namespace

TEST(ISWA, ConstructionTakesTheArchiveImageAndCopiesKeepTheFlags) {
  QUABE_REQUIRE_ARCHIVE();
  ISWA hand(code("01-01-001-01-01-01"), Hand::right);
  ASSERT_TRUE(hand.isValid());
  EXPECT_EQ(hand.rect, QRectF(0, 0, 15, 30));
  EXPECT_EQ(hand.category(), Category::hand);
  hand.changeableHand = true;
  hand.rect.moveTo(12, 7);
  const ISWA c = hand.copy();
  EXPECT_TRUE(c.changeableHand);
  EXPECT_EQ(c.hand, Hand::right);
  EXPECT_EQ(c.rect, hand.rect);

  EXPECT_FALSE(ISWA::make(QStringLiteral("01-01-001-01-01")).has_value());     // five parts
  EXPECT_FALSE(ISWA::make(QStringLiteral("09-01-001-01-01-01")).has_value());  // no such category
  EXPECT_FALSE(ISWA(SymbolCode(0)).isValid());
}

TEST(ISWA, FillsCycleThroughWhatTheArchiveHas) {
  QUABE_REQUIRE_ARCHIVE();
  SymbolArchive& archive = SymbolArchive::shared();
  const SymbolCode base = code("01-01-001-01-01-01");
  int fills = 0;
  for (int f = 1; f <= 6; ++f)
    if (archive.hasImage(SSS::withFill(base, f))) fills = f;
  ASSERT_GT(fills, 1);
  ISWA s(base);
  s.rect.moveTo(3, 4);
  for (int i = 0; i < fills; ++i) s.nextFill();
  EXPECT_EQ(SSS::fill(s.sss()), 1);
  s.previousFill();
  EXPECT_EQ(SSS::fill(s.sss()), fills);
  expectInvariant(s, {3, 4});
  for (int i = 0; i < fills; ++i) s.previousFill();
  EXPECT_EQ(SSS::fill(s.sss()), fills);

  // A symbol with one fill stays where it is.
  ISWA arrow(code("02-05-001-01-01-01"));
  int arrowFills = 0;
  for (int f = 1; f <= 6; ++f)
    if (archive.hasImage(SSS::withFill(arrow.sss(), f))) ++arrowFills;
  const SymbolCode before = arrow.sss();
  for (int i = 0; i < arrowFills; ++i) arrow.nextFill();
  EXPECT_EQ(arrow.sss(), before);
}
