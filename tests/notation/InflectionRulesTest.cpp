#include <gtest/gtest.h>

#include "NotationTestSupport.h"
#include "notation/InflectionRules.h"

namespace quabe {
namespace {

TEST(PlaceCodes, LanesAndPersons) {
  struct Row {
    const char* text;
    int lane;
    int person;
  };
  const Row rows[] = {{"", 0, 0},  {"1", 0, 1},  {"C", 0, 2},  {"2", 0, 2},  {"R", 1, 3},     {"x", 1, 3},
                      {"3", 1, 3}, {"X", 1, 3},  {"L", -1, 4}, {"y", -1, 4}, {"4", -1, 4},    {"Y", -1, 4},
                      {"r", 0, 5}, {"3s", 0, 5}, {"c", 0, 5},  {"5", 0, 5},  {"\u80F8", 0, 5}};
  for (const Row& row : rows) {
    EXPECT_EQ(laneForPosition(QString::fromUtf8(row.text)), row.lane) << row.text;
    EXPECT_EQ(personForPlace(QString::fromUtf8(row.text)), row.person) << row.text;
  }
}

TEST(ArrowRotation, PersonPairsAndTheDownwardRow) {
  EXPECT_EQ(arrowRotation(1, 2, 1), 1);  // toward the addressee: forward
  EXPECT_EQ(arrowRotation(2, 1, 1), 5);  // toward the signer: back
  EXPECT_EQ(arrowRotation(1, 3, 1), 8);
  EXPECT_EQ(arrowRotation(1, 4, 1), 2);
  EXPECT_EQ(arrowRotation(3, 4, 1), 3);
  EXPECT_EQ(arrowRotation(4, 3, 1), 7);
  EXPECT_EQ(arrowRotation(4, 2, 1), 8);
  EXPECT_EQ(arrowRotation(3, 0, 1), 4);
  // Same person, persons 5, unspecified pairs: leave it.
  for (int p = 0; p <= 5; ++p) {
    EXPECT_EQ(arrowRotation(5, p, 1), 0);
    EXPECT_EQ(arrowRotation(p, 5, 1), 0);
  }
  EXPECT_EQ(arrowRotation(3, 3, 1), 0);
  EXPECT_EQ(arrowRotation(0, 0, 1), 0);
  // An unspecified source reads the downward row only for 5 and 13.
  EXPECT_EQ(arrowRotation(0, 3, 1), 8);
  EXPECT_EQ(arrowRotation(0, 3, 5), 6);
  EXPECT_EQ(arrowRotation(0, 4, 13), 4);
  EXPECT_EQ(arrowRotation(0, 4, 9), 2);
  EXPECT_EQ(arrowRotation(1, 3, 5), 8) << "only the s = 0 row changes";
  EXPECT_EQ(arrowRotation(-1, 2, 1), 0);
  EXPECT_EQ(arrowRotation(1, 6, 1), 0);
}

TEST(RotationArithmetic, TurnsStayInsideTheirSet) {
  EXPECT_EQ(turnRotation(2, 4), 6);
  EXPECT_EQ(turnRotation(11, 4), 15);
  EXPECT_EQ(turnRotation(8, 1), 1);
  EXPECT_EQ(turnRotation(16, 1), 9);
  EXPECT_EQ(turnRotation(1, -1), 8);
  EXPECT_EQ(turnRotation(9, -17), 16);
  EXPECT_EQ(turnRotation(0, 3), 0);
  EXPECT_EQ(turnRotation(17, 3), 17);
  for (int r = 1; r <= 16; ++r) {
    for (int k = -20; k <= 20; ++k) {
      const int turned = turnRotation(r, k);
      EXPECT_EQ(turned <= 8, r <= 8) << r << " " << k;
      EXPECT_GE(turned, 1);
      EXPECT_LE(turned, 16);
    }
    // A counter-clockwise turn moves the direction the same way in both sets.
    EXPECT_EQ(directionOfRotation(turnCounterClockwise(r, 3)), (directionOfRotation(r) + 2) % 8 + 1) << r;
    EXPECT_EQ(rotationInSetOf(r, directionOfRotation(r)), r);
  }
  EXPECT_EQ(directionOfRotation(9), 1);
  EXPECT_EQ(directionOfRotation(10), 8);
  EXPECT_EQ(directionOfRotation(11), 7);
  EXPECT_EQ(directionOfRotation(15), 3);
  EXPECT_EQ(rotationInSetOf(12, 5), 13);
  EXPECT_EQ(rotationInSetOf(4, 5), 5);
  EXPECT_EQ(stepsBetween(7, 1), 2);
  EXPECT_EQ(stepsBetween(1, 7), 6);
}

TEST(ArrowPlacement, BesideTheMovingHand) {
  const QRectF hand(100, 200, 30, 40);
  const QSizeF arrow(10, 20);
  // Straight down with a one-hand arrow: centred 2 below the box.
  EXPECT_EQ(placedArrowOrigin(5, 1, hand, arrow), QPointF(110, 242));
  EXPECT_EQ(placedArrowOrigin(1, 2, hand, arrow), QPointF(110, 182));
  EXPECT_EQ(placedArrowOrigin(3, 1, hand, arrow), QPointF(88, 210));
  EXPECT_EQ(placedArrowOrigin(7, 1, hand, arrow), QPointF(132, 210));
  EXPECT_EQ(placedArrowOrigin(2, 1, hand, arrow), QPointF(88, 192));
  // Both hands: flush with the box.
  EXPECT_EQ(placedArrowOrigin(5, 3, hand, arrow), QPointF(110, 240));
  EXPECT_EQ(placedArrowOrigin(3, 3, hand, arrow), QPointF(90, 210));
  EXPECT_EQ(placedArrowOrigin(8, 3, hand, arrow), QPointF(115, 180));
  // A mirrored arrow goes where it points: 11 points right like 7.
  EXPECT_EQ(placedArrowOrigin(11, 1, hand, arrow), placedArrowOrigin(7, 1, hand, arrow));
  // The inverse puts the hand back where it was.
  for (int r = 1; r <= 16; ++r) {
    for (int fill : {1, 2, 3}) {
      const QPointF origin = placedArrowOrigin(r, fill, hand, arrow);
      EXPECT_EQ(handOriginForArrow(r, fill, origin, hand.size(), arrow), hand.topLeft()) << r << " " << fill;
    }
  }
}

TEST(ArrowPlacement, ArrowBehindHandAndFillSwap) {
  const QRectF hand(100, 200, 30, 40);
  const QSizeF arrow(10, 20);
  EXPECT_EQ(arrowOriginBehindHand(1, hand, arrow), QPointF(110, 241));
  EXPECT_EQ(arrowOriginBehindHand(3, hand, arrow), QPointF(120, 220));
  EXPECT_EQ(arrowOriginBehindHand(5, hand, arrow), QPointF(110, 180));
  EXPECT_EQ(arrowOriginBehindHand(7, hand, arrow), QPointF(90, 220));
  EXPECT_EQ(arrowOriginBehindHand(8, hand, arrow), QPointF(100, 241));
  EXPECT_EQ(adjustedArrowFill(3, 2), 1);
  EXPECT_EQ(adjustedArrowFill(2, 2), 1);
  EXPECT_EQ(adjustedArrowFill(7, 1), 2);
  EXPECT_EQ(adjustedArrowFill(6, 1), 2);
  EXPECT_EQ(adjustedArrowFill(7, 2), 2);
  EXPECT_EQ(adjustedArrowFill(1, 2), 2);
  EXPECT_EQ(adjustedArrowFill(5, 1), 1);
  EXPECT_EQ(adjustedArrowFill(3, 3), 3);
}

TEST(InflectionRules, HandTurnsLanesAndWallPlaneTurns) {
  // Arrow pointing back (5), right-hand arrow: rule A.
  EXPECT_TRUE(needsHandTurn(5, 1, 4, 1));
  EXPECT_TRUE(needsHandTurn(5, 1, 1, 4));
  EXPECT_TRUE(needsHandTurn(5, 1, 2, 4));
  EXPECT_FALSE(needsHandTurn(5, 1, 3, 1));
  // Left-hand arrow: rule B.
  EXPECT_TRUE(needsHandTurn(5, 2, 3, 1));
  EXPECT_FALSE(needsHandTurn(5, 2, 4, 1));
  // Forward arrow swaps the rules.
  EXPECT_TRUE(needsHandTurn(1, 2, 4, 0));
  EXPECT_TRUE(needsHandTurn(1, 1, 0, 3));
  EXPECT_FALSE(needsHandTurn(1, 1, 0, 4));
  // Leftward arrow has its own rules.
  EXPECT_TRUE(needsHandTurn(3, 2, 2, 4));
  EXPECT_TRUE(needsHandTurn(3, 1, 4, 3));
  EXPECT_FALSE(needsHandTurn(3, 1, 3, 4));
  EXPECT_FALSE(needsHandTurn(2, 1, 4, 1));
  EXPECT_FALSE(needsHandTurn(5, 3, 4, 1));

  EXPECT_EQ(laneFromDirection(arrowRotation(1, 4, 1)), -1);
  EXPECT_EQ(laneFromDirection(arrowRotation(1, 3, 1)), 1);
  EXPECT_EQ(laneFromDirection(6), -1);
  EXPECT_EQ(laneFromDirection(4), 1);
  EXPECT_FALSE(laneFromDirection(1).has_value());
  EXPECT_FALSE(laneFromDirection(0).has_value());

  using P = std::pair<int, int>;
  EXPECT_EQ(wallPlaneHandTurn(2, 1), (P{4, 4}));
  EXPECT_EQ(wallPlaneHandTurn(3, 1), (P{3, 5}));
  EXPECT_EQ(wallPlaneHandTurn(5, 1), (P{3, 5})) << "5 counts as 3";
  EXPECT_EQ(wallPlaneHandTurn(4, 1), (P{5, 3}));
  EXPECT_EQ(wallPlaneHandTurn(1, 4), (P{1, 7}));
  EXPECT_EQ(wallPlaneHandTurn(1, 5), (P{7, 1}));
  EXPECT_FALSE(wallPlaneHandTurn(1, 2).has_value());
  EXPECT_FALSE(wallPlaneHandTurn(0, 0).has_value());
  // Each rule is one physical turn: the mirrored set turns the other way.
  for (int s = 0; s <= 5; ++s) {
    for (int d = 0; d <= 5; ++d) {
      if (const auto turn = wallPlaneHandTurn(s, d)) {
        EXPECT_EQ(directionOfRotation(turnRotation(1, turn->first)),
                  directionOfRotation(turnRotation(9, turn->second)));
      }
    }
  }
}

TEST(InflectionRules, FanOffsets) {
  const QPointF first = fanOffset(20, true);
  const QPointF second = fanOffset(20, false);
  EXPECT_NEAR(first.x(), -17.018070490682368, 1e-9);
  EXPECT_NEAR(first.y(), 20 - 17.018070490682368, 1e-9);
  EXPECT_DOUBLE_EQ(second.x(), -first.x());
  EXPECT_DOUBLE_EQ(second.y(), first.y());
}

}  // namespace
}  // namespace quabe
