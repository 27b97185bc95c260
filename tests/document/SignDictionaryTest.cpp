// A canvas sign built from a dictionary entry and its spelling rows.
#include "SignTestSupport.h"
#include "document/DbSign.h"

namespace quabe::test {
namespace {

using SignDictionaryTest = ArchiveFixture;

TEST_F(SignDictionaryTest, SignFromEntryAndRows) {
  auto entry = std::make_shared<DbSign>();
  entry->gloss = "HELLO";
  Sign sign(entry, {spellingRow("01-01-001-01-01-01", 10, 20, Hand::right, true), spellingRow("99-99-999-99-99-99"),
                    spellingRow("04-01-001-01-01-01", 30, 5, Hand(7), false, true, true)});
  ASSERT_EQ(sign.symbols.size(), 2);  // the unknown code is skipped
  EXPECT_EQ(sign.jjs.get(), entry.get());
  const ISWA& hand = *sign.symbols[0];
  EXPECT_EQ(hand.rect.topLeft(), QPointF(10, 20));
  EXPECT_EQ(hand.hand, Hand::right);
  EXPECT_TRUE(hand.changeableHand);
  EXPECT_FALSE(hand.turnableArrow);
  const ISWA& head = *sign.symbols[1];
  EXPECT_EQ(head.hand, Hand::none);  // 7 is no hand
  EXPECT_TRUE(head.turnableArrow && head.modifiableArrow);
  EXPECT_DOUBLE_EQ(sign.leftMost, 10);
  EXPECT_DOUBLE_EQ(sign.topMost, 5);
  EXPECT_DOUBLE_EQ(sign.rightMost, std::max(25.0, 30 + head.rect.width()));
}

}  // namespace
}  // namespace quabe::test
