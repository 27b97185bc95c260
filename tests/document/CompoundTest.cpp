// Compound signs: sizes and offsets in both writing directions and copying.
#include "SignTestSupport.h"
#include "document/Compound.h"

namespace quabe::test {
namespace {

class CompoundTest : public SelectionFixture {};

// A constituent whose only content is a box of the given size at (left, top).
SignPtr part(qreal width, qreal height, qreal left = 0, qreal top = 0) {
  return signWith({boxSymbol(left, top, width, height)});
}

TEST_F(CompoundTest, OffsetsServeBothArrangementsAndStayWhenAConstituentIsMissing) {
  Compound compound;
  compound.constituents = QList<SignPtr>{part(100, 120), part(80, 90), part(60, 70)};
  compound.setSizeAndOffset();
  ASSERT_TRUE(compound.offsets.has_value());
  EXPECT_EQ(*compound.offsets, (QList<QPointF>{QPointF(0, 0), QPointF(116, 136), QPointF(212, 242)}));
  EXPECT_EQ(compound.sizeInHMode, QSizeF(272, 120));
  EXPECT_EQ(compound.sizeInVMode, QSizeF(100, 312));

  compound.constituents = QList<SignPtr>{part(10, 10), nullptr};
  compound.setSizeAndOffset();
  EXPECT_EQ(compound.sizeInHMode, QSizeF(272, 120));
  EXPECT_EQ(compound.offsets->size(), 3);
}

TEST_F(CompoundTest, CopyIsACompoundWithCopiedConstituents) {
  auto compound = std::make_shared<Compound>();
  SignPtr first = part(100, 120);
  compound->constituents = QList<SignPtr>{first, part(80, 90)};
  compound->constituentIDs = QList<qint64>{3, 4};
  compound->setSizeAndOffset();
  SignPtr copy = compound->copy();
  auto* copied = dynamic_cast<Compound*>(copy.get());
  ASSERT_NE(copied, nullptr);
  ASSERT_EQ(copied->constituents->size(), 2);
  EXPECT_NE(copied->constituents->at(0).get(), first.get());
  EXPECT_DOUBLE_EQ(copied->constituents->at(0)->width, 100);
  EXPECT_EQ(copied->sizeInHMode, QSizeF(196, 120));
  EXPECT_EQ(*copied->offsets, *compound->offsets);
  EXPECT_EQ(*copied->constituentIDs, (QList<qint64>{3, 4}));
}

}  // namespace
}  // namespace quabe::test
