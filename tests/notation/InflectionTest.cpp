#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "notation/InflectionRules.h"
#include "notation/SWSign.h"
#include "symbols/SymbolArchive.h"

namespace quabe {
namespace {

using notation::rectOf;
using notation::unionRect;

const QString kRightHand = QStringLiteral("01-01-001-01-01-01");
const QString kLeftHand = QStringLiteral("01-01-001-01-01-09");
const QString kRightFlatHand = QStringLiteral("01-01-001-01-04-01");  // lying in the floor plane
const QString kLeftFlatHand = QStringLiteral("01-01-001-01-04-09");
const QString kRightArrow = QStringLiteral("02-05-001-01-01-01");  // floor plane, right hand
const QString kLeftArrow = QStringLiteral("02-05-001-01-02-01");
const QString kBothArrow = QStringLiteral("02-05-001-01-03-01");
const QString kWallArrow = QStringLiteral("02-03-001-01-01-01");
const QString kHead = QStringLiteral("04-01-001-01-01-01");

class Inflection : public testing::Test {
 protected:
  void SetUp() override { QUABE_REQUIRE_ARCHIVE(); }

  // A symbol of the archive's size at (x, y), rotation given separately.
  static SymbolPtr symbol(const QString& code, double x, double y, int rotation = 0) {
    SymbolCode c = SSS::fromString(code);
    if (rotation) c = SSS::withRotation(c, rotation);
    const auto image = SymbolArchive::shared().image(c);
    return std::make_shared<Symbol>(SSS::toString(c), QPointF(x, y), image ? QSizeF(image->size()) : QSizeF());
  }

  static SWSign signOf(const QList<SymbolPtr>& symbols, const QString& source, const QString& destination) {
    SWSign sign;
    sign.symbols = symbols;
    sign.dbSign.source = source;
    sign.dbSign.destination = destination;
    return sign;
  }

  // The sign of the symbols inflected by direction.
  static SWSign inflected(const QList<SymbolPtr>& symbols, const QString& source, const QString& destination) {
    SWSign sign = signOf(symbols, source, destination);
    sign.inflectByChangingDirection();
    return sign;
  }
};

TEST_F(Inflection, SignWithoutArrowOnlyChangesLane) {
  for (const auto& [destination, lane] : {std::pair("4", -1), std::pair("3", 1), std::pair("2", 0)}) {
    const SWSign sign = inflected({symbol(kRightHand, 100, 100)}, "1", destination);
    EXPECT_TRUE(sign.problems.isEmpty());
    EXPECT_EQ(sign.lane, lane) << destination;
  }
}

TEST_F(Inflection, Type35TurnsAndPlacesBothArrowsOfAPair) {
  const SymbolPtr right = symbol(kRightHand, 100, 100);
  const SymbolPtr left = symbol(kLeftHand, 160, 100);
  const SymbolPtr rightArrow = symbol(kRightArrow, 103, 60);
  const SymbolPtr leftArrow = symbol(kLeftArrow, 163, 60);
  SWSign sign = inflected({right, left, rightArrow, leftArrow}, "1", "4");
  EXPECT_EQ(sign.dirArrow, rightArrow);
  EXPECT_EQ(rightArrow->complement, leftArrow);
  EXPECT_EQ(right->complement, left);
  EXPECT_EQ(rightArrow->rotation, 2);
  EXPECT_EQ(leftArrow->rotation, 2);

  // One arrow for both hands goes beside both of them.
  const SymbolPtr r2 = symbol(kRightHand, 100, 100);
  const SymbolPtr l2 = symbol(kLeftHand, 140, 100);
  const SymbolPtr both = symbol(kBothArrow, 112, 60);
  inflected({r2, l2, both}, "2", "1");
  EXPECT_EQ(both->rotation, 5);
  const QRectF hands = unionRect({r2, l2});
  EXPECT_DOUBLE_EQ(both->location.x(), hands.x() + (hands.width() - both->size.width()) / 2);
  EXPECT_DOUBLE_EQ(both->location.y(), hands.bottom());
}

TEST_F(Inflection, Type7MovesArrowAndHandAfterTheMovement) {
  const SymbolPtr before = symbol(kRightHand, 100, 100);
  const SymbolPtr arrow = symbol(kRightArrow, 103, 60);
  const SymbolPtr after = symbol(kRightHand, 100, 20);
  SWSign sign = inflected({before, arrow, after}, "1", "3");
  EXPECT_EQ(sign.handBeforeMove, before);
  EXPECT_EQ(sign.handAfterMove, after);
  EXPECT_EQ(arrow->rotation, 8);
  EXPECT_DOUBLE_EQ(arrow->location.x(), 100 + before->size.width());
  EXPECT_DOUBLE_EQ(arrow->location.y(), 100 - arrow->size.height());
  EXPECT_DOUBLE_EQ(after->location.x(), arrow->location.x() + arrow->size.width());
  EXPECT_DOUBLE_EQ(after->location.y(), arrow->location.y() - after->size.height());
  EXPECT_EQ(before->rotation, 1) << "hands facing the wall do not turn";
}

TEST_F(Inflection, Type11TurnsAFlatHandWithTheArrow) {
  const SymbolPtr hand = symbol(kRightFlatHand, 100, 100);
  const SymbolPtr arrow = symbol(kRightArrow, 103, 60);
  inflected({hand, arrow}, "1", "4");
  EXPECT_EQ(arrow->rotation, 2);
  EXPECT_EQ(hand->rotation, 2);
  EXPECT_DOUBLE_EQ(arrow->location.x(), 100 - arrow->size.width());
  EXPECT_DOUBLE_EQ(arrow->location.y(), 100 - arrow->size.height());
  // A mirrored flat hand turns the same way, inside its own set.
  const SymbolPtr left = symbol(kLeftFlatHand, 100, 100);
  left->hand = Hand::right;  // the hand field decides which hand moves
  inflected({left, symbol(kRightArrow, 103, 60)}, "1", "4");
  EXPECT_EQ(left->rotation, 16);
}

TEST_F(Inflection, MissingHandBeforeTheMovementIsReported) {
  // Both hand symbols are ahead of the arrow: type 15 needs the hand before.
  const SymbolPtr arrow = symbol(kRightArrow, 103, 140);
  SWSign sign = inflected({symbol(kRightFlatHand, 100, 100), arrow, symbol(kRightFlatHand, 100, 20)}, "1", "3");
  EXPECT_FALSE(sign.handBeforeMove);
  EXPECT_EQ(sign.inferInflectionType(), 14);
  EXPECT_EQ(sign.problems, QStringList{"unknown inflection type: 14"});
  EXPECT_EQ(arrow->rotation, 1);
}

TEST_F(Inflection, HeadsOfTheSignerMakeRoomForTheArrow) {
  const SymbolPtr head = symbol(kHead, 75, 60);
  const QRectF headBefore = rectOf(*head);
  const SymbolPtr hand = symbol(kRightFlatHand, 100, 100);
  const SymbolPtr arrow = symbol(kRightArrow, 103, 60);
  inflected({head, hand, arrow}, "1", "4");
  ASSERT_EQ(arrow->rotation, 2);
  ASSERT_TRUE(headBefore.intersects(rectOf(*arrow))) << "the turned arrow lands on the head";
  EXPECT_FALSE(rectOf(*head).intersects(rectOf(*arrow)));
  EXPECT_DOUBLE_EQ(head->location.y() + head->size.height(), arrow->location.y());
  EXPECT_DOUBLE_EQ(head->location.x(), 75);

  // Without the signer as the actor the head stays where it was.
  const SymbolPtr head2 = symbol(kHead, 75, 60);
  SWSign other = inflected({head2, symbol(kRightFlatHand, 100, 100), symbol(kRightArrow, 103, 60)}, "", "4");
  ASSERT_EQ(other.symbols[2]->rotation, 2);
  EXPECT_EQ(head2->location, QPointF(75, 60));
}

TEST_F(Inflection, WallPlaneArrowTurnsEveryHand) {
  const SymbolPtr right = symbol(kRightHand, 100, 100, 2);
  const SymbolPtr left = symbol(kLeftHand, 150, 100, 11);
  inflected({right, left, symbol(kWallArrow, 120, 60)}, "2", "1");
  EXPECT_EQ(right->rotation, 6);
  EXPECT_EQ(left->rotation, 15);
  const auto image = SymbolArchive::shared().image(SSS::withRotation(SSS::fromString(kRightHand), 6));
  EXPECT_EQ(right->size, QSizeF(image->size()));

  const SymbolPtr r3 = symbol(kRightHand, 100, 100, 1);
  inflected({r3, symbol(kWallArrow, 120, 60)}, "3", "1");
  EXPECT_EQ(r3->rotation, 4);

  const SymbolPtr unchanged = symbol(kRightHand, 100, 100, 3);
  EXPECT_EQ(inflected({unchanged, symbol(kWallArrow, 120, 60)}, "1", "2").problems,
            QStringList{"no hand turn from person 1 to person 2"});
  EXPECT_EQ(unchanged->rotation, 3);
}

TEST_F(Inflection, Type6TurnsTheArrowBehindTheHand) {
  // The hand is drawn where the movement ends, the arrow behind it.
  const SymbolPtr hand = symbol(kRightHand, 100, 40);
  const SymbolPtr arrow = symbol(kRightArrow, 103, 90);
  SWSign sign = inflected({hand, arrow}, "1", "4");
  EXPECT_FALSE(sign.handBeforeMove);
  EXPECT_EQ(sign.handAfterMove, hand);
  EXPECT_EQ(arrow->rotation, 2);
  EXPECT_EQ(arrow->fill, 1);
  EXPECT_EQ(hand->rotation, 1) << "no hand turn for this pair";

  // Toward the right: the hand turns with the arrow and the arrow's fill swaps.
  const SymbolPtr hand2 = symbol(kRightHand, 100, 40);
  const QPointF centre = rectOf(*hand2).center();
  const SymbolPtr arrow2 = symbol(kRightArrow, 103, 90);
  SWSign right = inflected({hand2, arrow2}, "1", "3");
  EXPECT_TRUE(right.needsHandTurn(1));
  EXPECT_EQ(arrow2->rotation, 8);
  EXPECT_EQ(hand2->rotation, 8);
  EXPECT_EQ(rectOf(*hand2).center(), centre);
  EXPECT_EQ(arrow2->fill, 2);
}

TEST_F(Inflection, Type43TurnsBothFlatHandsAndArrows) {
  const SymbolPtr right = symbol(kRightFlatHand, 100, 100);
  const SymbolPtr left = symbol(kLeftFlatHand, 160, 100);
  const SymbolPtr rightArrow = symbol(kRightArrow, 103, 60);
  const SymbolPtr leftArrow = symbol(kLeftArrow, 163, 60);
  inflected({right, left, rightArrow, leftArrow}, "1", "3");
  EXPECT_EQ(rightArrow->rotation, 8);
  EXPECT_EQ(leftArrow->rotation, 8);
  EXPECT_EQ(right->rotation, 8);
  EXPECT_EQ(left->rotation, 10);
}

TEST_F(Inflection, TurnableArrowCarriesTheDirection) {
  // Two arrows of one hand: the first is taken, unless the dictionary marks
  // one as turnable.
  SWSign two =
      signOf({symbol(kRightHand, 100, 100), symbol(kRightArrow, 103, 60), symbol(kRightArrow, 103, 20)}, "", "");
  two.inferSymbolOrder();
  EXPECT_EQ(two.dirArrow, two.symbols[1]);
  two.symbols[2]->isTurnableArrow = true;
  two.inferSymbolOrder();
  EXPECT_EQ(two.dirArrow, two.symbols[2]);
}

TEST_F(Inflection, RepeatedMovementDoublesTheFirstArrow) {
  const SymbolPtr arrow = symbol(kRightArrow, 100, 60);
  SWSign sign = signOf({symbol(kRightHand, 100, 100), arrow}, "", "");
  sign.dbSign.modifier = "**";
  const QSizeF size = arrow->size;
  sign.inflectForPlural();
  ASSERT_EQ(sign.symbols.size(), 3);
  EXPECT_DOUBLE_EQ(arrow->location.x(), 100 - size.width() / 2);
  EXPECT_EQ(sign.symbols[2]->location, QPointF(arrow->location.x() + size.width(), 60));
  EXPECT_EQ(sign.symbols[2]->rotation, 1);

  const SymbolPtr sideways = symbol(kRightArrow, 100, 60, 3);
  SWSign side = signOf({sideways}, "", "");
  side.dbSign.position = "s";
  const QSizeF sideSize = sideways->size;
  side.inflectForPlural();
  ASSERT_EQ(side.symbols.size(), 2);
  EXPECT_DOUBLE_EQ(sideways->location.y(), 60 - sideSize.height() / 2);
  EXPECT_EQ(side.symbols[1]->location, QPointF(100, sideways->location.y() + sideSize.height()));
}

TEST_F(Inflection, SpreadOverThirdPersonsCopiesTheSign) {
  SWSign sign = signOf({symbol(kRightHand, 100, 100), symbol(kRightArrow, 103, 60)}, "", "");
  sign.dbSign.position = "3s";
  const double width = unionRect(sign.symbols).width();
  sign.inflectForPlural();
  ASSERT_EQ(sign.symbols.size(), 4);
  EXPECT_EQ(sign.symbols[2]->location, QPointF(100 + width, 100));
  EXPECT_EQ(sign.symbols[3]->location, QPointF(103 + width, 60));
}

TEST_F(Inflection, FromSeveralThirdPersonsCopiesHandsToEachArrow) {
  const SymbolPtr hand = symbol(kRightHand, 100, 40);
  const SymbolPtr arrow = symbol(kRightArrow, 103, 90, 5);
  SWSign sign = signOf({hand, arrow}, "3s", "1");
  sign.inflectForPlural();
  ASSERT_EQ(sign.symbols.size(), 6);  // hand, arrow, (arrow copy, hand copy) twice
  for (int i : {2, 4}) {
    const Symbol& copiedArrow = *sign.symbols[i];
    const Symbol& copiedHand = *sign.symbols[i + 1];
    EXPECT_EQ(copiedArrow.rotation, i == 2 ? 4 : 6);
    EXPECT_EQ(copiedHand.sss(), hand->sss());
    // The copied arrow stands where placeArrow would put it for its hand.
    const QPointF expected = placedArrowOrigin(copiedArrow.rotation, 1, rectOf(copiedHand), copiedArrow.size);
    EXPECT_NEAR(copiedArrow.location.x(), expected.x(), 1e-9);
    EXPECT_NEAR(copiedArrow.location.y(), expected.y(), 1e-9);
  }
  EXPECT_EQ(hand->location, QPointF(100, 40));

  SWSign handless = signOf({symbol(kRightArrow, 103, 90, 5)}, "3s", "1");
  handless.inflectForPlural();
  EXPECT_EQ(handless.problems, QStringList{"missing hand before movement"});
  EXPECT_EQ(handless.symbols.size(), 1);
}

}  // namespace
}  // namespace quabe
