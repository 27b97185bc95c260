#include <gtest/gtest.h>

#include "finder/SFSymbol.h"
#include "finder/SFTables.h"
#include "finder/SFTuning.h"

namespace quabe {
namespace {

SymbolCode hand(int group, int base, int fill = 1, int rotation = 1) {
  return SSS::make(1, group, base, 1, fill, rotation);
}

SFSymbol at(SymbolCode code, int x = 0, int y = 0) { return SFSymbol(code, x, y); }

int score(SymbolCode a, SymbolCode b) { return at(a).similarity(at(b), false); }

TEST(SFTables, ClassTablesHoldTheirListedNumberOfSerials) {
  int handGroups = 0, movementGroups = 0, classA = 0, classB = 0;
  for (int s = 0; s < 720; ++s) {
    handGroups += sf::handGroupClass(s) >= 0;
    movementGroups += sf::movementGroupClass(s) >= 0;
    classA += sf::handEquivalenceClassA(s) >= 0;
    classB += sf::handEquivalenceClassB(s) >= 0;
  }
  EXPECT_EQ(handGroups, 243);
  EXPECT_EQ(movementGroups, 241);
  EXPECT_EQ(classA, 163);
  EXPECT_EQ(classB, 4);
  EXPECT_EQ(sf::handGroupClass(700), 61);
  EXPECT_EQ(sf::movementGroupClass(416), 21);
  EXPECT_EQ(sf::handEquivalenceClassA(260), 18);
  EXPECT_EQ(sf::handGroupClass(-3), -1);
  EXPECT_EQ(sf::handGroupClass(100000), -1);
}

TEST(SFTables, OrientationRecordsLinkBothWays) {
  EXPECT_TRUE(sf::equivalentOrientation(2, 15, 4, 3));
  EXPECT_TRUE(sf::equivalentOrientation(4, 15, 2, 15));
  EXPECT_TRUE(sf::equivalentOrientation(5, 7, 3, 11));
  EXPECT_TRUE(sf::equivalentOrientation(3, 3, 3, 3));
  EXPECT_FALSE(sf::equivalentOrientation(2, 15, 4, 7));
  EXPECT_FALSE(sf::equivalentOrientation(4, 3, 4, 15));  // two "other" pairs of one record are not linked
}

TEST(SFSymbol, FieldsAndSerialNumbers) {
  const SFSymbol s(SSS::make(2, 3, 1, 2, 1, 5), 10.9, -3.7, Hand::right);
  EXPECT_EQ(s.x, 10);
  EXPECT_EQ(s.y, -3);
  EXPECT_EQ(s.category, Category::movement);
  EXPECT_EQ(s.serialBaseSymbolNumber(), 300);
  EXPECT_EQ(s.hand, Hand::right);
  EXPECT_EQ(s.code(), SSS::make(2, 3, 1, 2, 1, 5));
  EXPECT_EQ(at(SSS::make(1, 6, 31, 1, 1, 1)).serialBaseSymbolNumber(), 700);
  EXPECT_EQ(at(SSS::make(7, 1, 4, 1, 1, 1)).serialBaseSymbolNumber(), 701);
  EXPECT_EQ(at(SSS::make(9, 1, 1, 1, 1, 1)).category, Category::none);
}

TEST(SFSymbol, SidewaysFloorArrowsReadAsWallArrows) {
  EXPECT_EQ(at(SSS::make(2, 5, 1, 4, 1, 3)).group, 3);
  EXPECT_EQ(at(SSS::make(2, 5, 6, 1, 1, 7)).group, 3);
  EXPECT_EQ(at(SSS::make(2, 5, 1, 5, 1, 3)).group, 5);  // variation 5 is not a plain arrow
  EXPECT_EQ(at(SSS::make(2, 5, 4, 1, 1, 3)).group, 5);
  EXPECT_EQ(at(SSS::make(2, 5, 1, 1, 1, 1)).group, 5);  // forward stays a floor arrow
  EXPECT_EQ(score(SSS::make(2, 5, 1, 1, 1, 3), SSS::make(2, 3, 1, 1, 1, 3)), 920);
}

TEST(SFSymbol, HandShapeScores) {
  EXPECT_EQ(score(hand(1, 1), hand(1, 1)), 920);
  EXPECT_EQ(score(hand(1, 1), hand(1, 2)), 890);  // equivalence table A, class 0
  EXPECT_EQ(score(hand(5, 1), hand(5, 5)), 880);  // table B: 77 and 81
  EXPECT_EQ(score(hand(1, 1), hand(1, 3)), 880);  // same hand group only
  EXPECT_EQ(score(hand(1, 1), hand(1, 7)), 720);  // other hand group
  EXPECT_EQ(score(hand(10, 15), hand(2, 16)), 720);
}

TEST(SFSymbol, HandOrientationScores) {
  // Equivalent orientations keep the shape score.
  EXPECT_EQ(score(hand(1, 1, 2, 15), hand(1, 1, 4, 3)), 920);
  EXPECT_EQ(score(hand(1, 1, 2, 15), hand(1, 2, 4, 15)), 890);
  // Light fill change inside class 0 / 46: -30; every other fill change -100.
  EXPECT_EQ(score(hand(1, 1, 1, 1), hand(1, 2, 2, 1)), 860);
  EXPECT_EQ(score(hand(1, 1, 1, 1), hand(1, 2, 3, 1)), 790);
  EXPECT_EQ(score(hand(1, 1, 1, 1), hand(1, 1, 2, 1)), 890);         // the same hand shares class 0 with itself
  EXPECT_EQ(score(hand(9, 31, 1, 1), hand(9, 40, 2, 1)), 890 - 30);  // 236 and 245: class 46
  // Rotation change -70, both together -100 - 70.
  EXPECT_EQ(score(hand(1, 1, 1, 1), hand(1, 1, 1, 2)), 850);
  EXPECT_EQ(score(hand(1, 1, 1, 1), hand(1, 3, 3, 9)), 880 - 100 - 70);
}

TEST(SFSymbol, MovementScores) {
  const auto mv = [](int g, int b, int v, int f, int r) { return SSS::make(2, g, b, v, f, r); };
  EXPECT_EQ(score(mv(3, 1, 1, 1, 1), mv(3, 1, 1, 1, 1)), 920);
  EXPECT_EQ(score(mv(3, 1, 1, 1, 1), mv(3, 1, 3, 1, 1)), 915);       // size only
  EXPECT_EQ(score(mv(3, 1, 1, 1, 1), mv(3, 1, 5, 1, 1)), 700 - 30);  // 303 is another class
  EXPECT_EQ(score(mv(3, 1, 1, 1, 1), mv(3, 1, 1, 1, 2)), 800);       // rotation
  EXPECT_EQ(score(mv(3, 1, 1, 1, 1), mv(3, 2, 1, 1, 1)), 830);       // same class, another base symbol
  EXPECT_EQ(score(mv(10, 1, 1, 1, 1), mv(10, 1, 1, 1, 5)), 890);     // circles turn for 30
  EXPECT_EQ(score(mv(1, 1, 1, 1, 1), mv(2, 1, 1, 1, 1)), 740);       // contact against finger movement
  EXPECT_EQ(score(mv(1, 1, 1, 1, 1), mv(1, 4, 1, 1, 1)), 740 - 90);  // contact classes 61 and 62
  EXPECT_EQ(score(mv(3, 1, 1, 1, 1), mv(6, 1, 1, 1, 1)), 700);       // straight against curve
  const SFTuning& t = sfTuning();
  EXPECT_EQ(score(mv(3, 1, 1, 1, 1), mv(3, 1, 1, 2, 1)), 920 - t.arrowFillOtherHand);
  EXPECT_EQ(score(mv(3, 1, 1, 3, 1), mv(3, 1, 1, 2, 1)), 920 - t.arrowFillBothHands);
  EXPECT_EQ(score(mv(1, 1, 1, 1, 1), mv(1, 1, 1, 2, 1)), 920 - t.otherMovementFill);
  // Movements never lose for distance.
  EXPECT_EQ(at(mv(3, 1, 1, 1, 1), 0, 0).similarity(at(mv(3, 1, 1, 1, 1), 300, 0), false), 920);
}

TEST(SFSymbol, FaceScores) {
  const auto head = [](int g, int b, int v = 1, int f = 1, int r = 1) { return SSS::make(4, g, b, v, f, r); };
  EXPECT_EQ(score(head(1, 1), head(1, 1)), 920);
  EXPECT_EQ(score(head(2, 1), head(2, 1, 1, 1, 2)), 910);  // same shape group, rotated
  EXPECT_EQ(score(head(2, 1), head(2, 2)), 910);           // same shape group, other base symbol
  EXPECT_EQ(score(head(1, 1), head(1, 2, 1, 2, 1)), 910);  // both in shape group 0
  EXPECT_EQ(score(head(1, 1), head(1, 3)), 890);           // group 1 faces are neutral-like
  EXPECT_EQ(score(head(1, 1), head(2, 1, 2)), 890);        // 524 is a neutral face
  EXPECT_EQ(score(head(1, 1), head(2, 2)), 420);
  EXPECT_EQ(score(head(2, 5), head(2, 8)), 820);  // same group, other shape
  EXPECT_EQ(score(head(3, 1), head(5, 1)), 420);
}

TEST(SFSymbol, BodyOtherAndCrossCategoryScores) {
  const auto body = [](int g, int b, int v = 1) { return SSS::make(5, g, b, v, 1, 1); };
  EXPECT_EQ(score(body(1, 2), body(1, 2)), 920);
  EXPECT_EQ(score(body(1, 2), body(1, 3)), 830);
  EXPECT_EQ(score(body(2, 2, 1), body(2, 3, 2)), 920 - 50 - 30);
  EXPECT_EQ(score(body(2, 2, 1), body(2, 2, 3)), 890);
  EXPECT_EQ(score(body(1, 2), body(2, 2)), 740);
  EXPECT_EQ(score(SSS::make(6, 1, 1, 1, 1, 1), SSS::make(6, 1, 3, 1, 1, 1)), 830);
  // The trunk line stands for the head at its place.
  EXPECT_EQ(score(SSS::make(5, 1, 1, 1, 2, 3), SSS::make(4, 2, 1, 1, 1, 1)), 900);
  EXPECT_EQ(score(SSS::make(4, 2, 1, 1, 1, 1), SSS::make(5, 1, 1, 1, 1, 1)), 900);
  EXPECT_EQ(score(SSS::make(5, 1, 2, 1, 1, 1), SSS::make(4, 2, 1, 1, 1, 1)), 0);
  EXPECT_EQ(score(hand(1, 1), SSS::make(4, 2, 1, 1, 1, 1)), 0);
  EXPECT_EQ(score(SSS::make(3, 1, 1, 1, 1, 1), SSS::make(3, 1, 1, 1, 1, 1)), 0);  // dynamics never pair
}

TEST(SFSymbol, DistancePenalty) {
  const SFSymbol a = at(hand(1, 1), 100, 100);
  EXPECT_EQ(a.similarity(at(hand(1, 1), 130, 100), false), 900);  // 30 apart: -20
  EXPECT_EQ(a.similarity(at(hand(1, 1), 130, 100), true), 920);
  EXPECT_EQ(a.similarity(at(hand(1, 1), 106, 108), false), 920);  // 10 apart: free
  EXPECT_EQ(a.similarity(at(hand(1, 1), 110, 104), false), 920);  // 10.77 apart: int(0.77) = 0
  EXPECT_EQ(a.similarity(at(hand(1, 1), 112, 100), false), 918);
  EXPECT_EQ(a.similarity(at(hand(1, 1), 1100, 100), false), 10);  // far apart: the floor
  EXPECT_EQ(a.similarity(at(hand(1, 7), 100, 100 + 731), false), 10);
  EXPECT_EQ(a.similarity(at(hand(1, 7), 100, 100 + 730), false), 0);  // the penalty eats the whole score
  EXPECT_EQ(a.similarity(at(hand(1, 7), 100, 100 + 729), false), 1);
}

TEST(SFSymbol, ZeroScoresStayZeroAtAnyDistance) {
  const SFSymbol a = at(hand(1, 1), 0, 0);
  const SFSymbol face = at(SSS::make(4, 2, 1, 1, 1, 1), 200, 0);
  EXPECT_EQ(a.similarity(face, false), 0);
  SFTuning& t = sfTuning();
  t.zeroScoreStaysZero = false;
  EXPECT_EQ(a.similarity(face, false), 10);
  EXPECT_EQ(a.similarity(at(SSS::make(4, 2, 1, 1, 1, 1), 5, 0), false), 0);
  t.zeroScoreStaysZero = true;
}

}  // namespace
}  // namespace quabe
