// Sign operations that depend on real symbol codes and images: mirroring,
// variations, centring on a head and arrow merging.
#include "SignTestSupport.h"

namespace quabe::test {
namespace {

class SignSymbolTest : public ArchiveFixture {};

TEST_F(SignSymbolTest, MirrorAddsMirroredCopiesFifteenToTheLeft) {
  ISWAPtr near = require("01-01-001-01-01-01", 8, 10);
  ISWAPtr far = require("01-01-001-01-01-02", 40, 10);
  auto sign = signWith({near, far});
  select({near, far});
  sign->mirrorSelected(sel);
  ASSERT_EQ(sign->symbols.size(), 4);
  const ISWAPtr& nearCopy = sign->symbols[2];
  const ISWAPtr& farCopy = sign->symbols[3];
  EXPECT_DOUBLE_EQ(nearCopy->rect.x(), 0);
  EXPECT_DOUBLE_EQ(farCopy->rect.x(), 25);
  EXPECT_DOUBLE_EQ(farCopy->rect.y(), 10);
  EXPECT_EQ(SSS::rotation(nearCopy->sss()), 9);
  EXPECT_EQ(SSS::rotation(farCopy->sss()), 10);
  EXPECT_EQ(SSS::rotation(near->sss()), 1);  // the originals stay as they were
  EXPECT_EQ(identities(sel.symbols()), (QList<ISWA*>{nearCopy.get(), farCopy.get()}));
}

// A symbol (variation 1, fill 1, rotation 1) whose base symbol has the wanted
// number of variations (at least `wanted` when atLeast is set).
std::optional<std::pair<SymbolCode, int>> symbolWithVariations(int wanted, bool atLeast) {
  for (int category = 1; category <= 7; ++category) {
    for (int group = 1; group <= 10; ++group) {
      for (int base = 1; base <= SSS::baseSymbolCount(category, group); ++base) {
        const int count = SSS::variationCount(category, group, base);
        if (atLeast ? count < wanted : count != wanted) continue;
        const SymbolCode code = SSS::make(quint32(category), quint32(group), quint32(base), 1, 1, 1);
        if (SymbolArchive::shared().hasImage(code)) return std::make_pair(code, count);
      }
    }
  }
  return std::nullopt;
}

TEST_F(SignSymbolTest, ChangeVariationStepsAndWraps) {
  const auto single = symbolWithVariations(1, false);
  const auto several = symbolWithVariations(2, true);
  ASSERT_TRUE(single && several);
  ISWAPtr one = require(SSS::toString(single->first), 0, 0);
  ISWAPtr many = require(SSS::toString(several->first), 30, 0);
  const int count = several->second;
  auto sign = signWith({one, many});
  select({one, many});
  for (int variation = 2; variation <= count; ++variation) {
    sign->changeVariationSelected(sel);
    EXPECT_EQ(SSS::variation(many->sss()), variation);
  }
  EXPECT_EQ(one->sss(), single->first);  // one variation: unchanged
  sign->changeVariationSelected(sel);    // past the last variation: back to 1
  EXPECT_EQ(SSS::variation(many->sss()), 1);
  EXPECT_EQ(many->rect.size(), SymbolArchive::shared().image(many->sss())->size());
  EXPECT_EQ(many->rect.topLeft(), QPointF(30, 0));
}

TEST_F(SignSymbolTest, CenterInHModePutsTheHeadAtOneThird) {
  ISWAPtr head = require("04-01-001-01-01-01", 20, 50);
  const qreal headHeight = head->rect.height();
  auto sign = signWith({head});
  sign->center(100, 120, false);
  EXPECT_DOUBLE_EQ(head->rect.y() + headHeight / 2, 40);
  EXPECT_DOUBLE_EQ(sign->leftMost, (100 - sign->width) / 2);

  // A hand above the head keeps the sign from moving above the box.
  ISWAPtr high = require("04-01-001-01-01-01", 20, 50);
  ISWAPtr hand = require("01-01-001-01-01-01", 0, 0);
  auto withHand = signWith({hand, high});
  withHand->center(100, 120, false);
  EXPECT_DOUBLE_EQ(withHand->topMost, 0);
  EXPECT_DOUBLE_EQ(high->rect.y(), 50);

  // A hand far below the head keeps the sign inside the box at the bottom.
  ISWAPtr top = require("04-01-001-01-01-01", 0, 0);
  ISWAPtr low = require("01-01-001-01-01-01", 10, 100);
  auto withLowHand = signWith({top, low});
  withLowHand->center(100, 120, false);
  EXPECT_DOUBLE_EQ(withLowHand->bottomMost, 120);
}

TEST_F(SignSymbolTest, CenterInVModeAnchorsOnTheHead) {
  ISWAPtr head = require("04-01-001-01-01-01", 0, 0);
  ISWAPtr hand = require("01-01-001-01-01-01", 60, 10);
  auto sign = signWith({hand, head});
  sign->center(200, 150, true);
  EXPECT_DOUBLE_EQ(head->rect.center().x(), 100);
  EXPECT_DOUBLE_EQ(sign->topMost + sign->height / 2, 75);

  sign->lane = -1;
  sign->center(200, 150, true);  // d (head centre to left edge) is below w / 4
  EXPECT_DOUBLE_EQ(head->rect.center().x(), 50);
}

// Arrows: movement group 3 (wall plane), base symbol 1, fill 1.
class IntegrateArrowsTest : public ArchiveFixture {
 protected:
  ISWAPtr arrow(int rotation, qreal x, qreal y, int group = 3) {
    return require(SSS::toString(SSS::make(2, quint32(group), 1, 1, 1, quint32(rotation))), x, y);
  }
};

TEST_F(IntegrateArrowsTest, TwoParallelArrowsWithinSixtyMerge) {
  ISWAPtr first = arrow(1, 10, 20);
  ISWAPtr second = arrow(1, 60, 25);
  ISWAPtr hand = require("01-01-001-01-01-01", 0, 0);
  auto sign = signWith({first, hand, second});
  sign->integrateArrows();
  ASSERT_EQ(sign->symbols.size(), 2);
  EXPECT_EQ(sign->symbols[0].get(), hand.get());
  const ISWAPtr& merged = sign->symbols[1];
  EXPECT_EQ(SSS::toString(merged->sss()), "02-03-002-01-01-01");
  EXPECT_EQ(merged->rect.topLeft(), QPointF(10, 20));
}

TEST_F(IntegrateArrowsTest, OppositeArrowsBecomeAnAlternatingPair) {
  // Rotations 1 and 5 share an axis; the right-most arrow points with 5.
  ISWAPtr left = arrow(1, 0, 0);
  ISWAPtr right = arrow(5, 30, 0);
  auto sign = signWith({left, right});
  sign->integrateArrows();
  ASSERT_EQ(sign->symbols.size(), 1);
  EXPECT_EQ(SSS::baseSymbol(sign->symbols[0]->sss()), 3);
  EXPECT_EQ(SSS::rotation(sign->symbols[0]->sss()), 9);
}

TEST_F(IntegrateArrowsTest, MergedArrowsLeaveTheSelection) {
  ISWAPtr first = arrow(1, 0, 0);
  ISWAPtr second = arrow(1, 20, 0);
  auto sign = signWith({first, second});
  sel.add(first);
  sign->integrateArrows(&sel);
  EXPECT_TRUE(sel.symbols().isEmpty());
  EXPECT_DOUBLE_EQ(sign->rightMost, sign->symbols[0]->rect.right());
}

}  // namespace
}  // namespace quabe::test
