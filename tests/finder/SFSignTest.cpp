#include <gtest/gtest.h>

#include "FswSigns.h"
#include "finder/SFSign.h"

namespace quabe::test {
namespace {

// Real ASL signs: two still hands, a face with a moving hand, a face with a
// touch, finger movement and arrow, six and five hands (fingerspelled).
const QString Fifty = "M512x526S14c20489x475S17620492x510";
const QString Vegetable = "M545x560S2ff00482x483S10e21515x503S2e004518x532";
const QString Memorize = "M527x518S2ff20476x483S14c04490x464S20500517x481S26500504x451S20300495x430";
const QString Registration = "M518x562S15a40498x438S11549482x448S15a40500x489S1f749489x491S15a40506x535S15a49490x539";
const QString Peter = "M515x560S14251485x441S14a20498x469S1fb20499x488S14a20498x511S11a20498x530";

const SymbolCode Arm = SSS::make(5, 2, 2, 1, 1, 1);
SymbolCode arrow(int rotation, int fill = 1, int group = 3) { return SSS::make(2, group, 1, 1, fill, rotation); }

SFSign sign(std::initializer_list<std::tuple<SymbolCode, int, int>> symbols, bool normalize = false) {
  return sfSign(42, symbols, normalize);
}

TEST(SFSign, AnIdenticalSignScoresOne) {
  for (const QString& text : {Fifty, Vegetable, Memorize, Registration, Peter}) {
    const SFSign s = storedSign(text);
    const SFSimilarity r = s.similarity(storedSign(text));
    EXPECT_DOUBLE_EQ(r.score, 1.0) << text.toStdString();
    EXPECT_DOUBLE_EQ(r.total, s.selfTotal());
  }
  // The measure itself tops out lower for still hands, 920 per pair.
  EXPECT_DOUBLE_EQ(storedSign(Fifty).similarity(storedSign(Fifty)).total, 0.838);
  EXPECT_EQ(similarityPercent(1.0), "100.0 %");
}

// Any number of hands compares, and the order of the two signs never matters.
TEST(SFSign, SymmetricForAnyNumberOfHands) {
  const QString fiveHands = Registration.left(Registration.size() - 13);
  const QString fourHands = fiveHands.left(fiveHands.size() - 13);
  const QString threeSymbols = Fifty + "S14c20530x492";
  const QList<std::pair<QString, QString>> pairs = {
      {Registration, fiveHands}, {fiveHands, fourHands}, {Registration, Peter}, {Fifty, threeSymbols}};
  for (const auto& [first, second] : pairs) {
    const SFSimilarity ab = storedSign(first).similarity(storedSign(second));
    const SFSimilarity ba = storedSign(second).similarity(storedSign(first));
    EXPECT_GT(ab.score, 0.5) << first.toStdString() << " " << second.toStdString();
    EXPECT_DOUBLE_EQ(ab.total, ba.total) << first.toStdString() << " " << second.toStdString();
    EXPECT_DOUBLE_EQ(ab.score, ba.score);
  }
}

TEST(SFSign, EarlyExits) {
  // Hands in one sign only.
  const SFSign handSign = sign({{hand(1, 1), 0, 0}});
  const SFSign faceSign = sign({{Face, 0, 0}});
  EXPECT_EQ(handSign.similarity(faceSign).total, 0.0);
  EXPECT_EQ(faceSign.similarity(handSign).shapeAndLocation, 0.0);
  // Symbol counts 2 and 6 differ by more than 3; 2 and 5 still compare.
  const SFSign two = sign({{hand(1, 1), 0, 0}, {Arm, 0, 0}});
  const SFSign sixSymbols = sign({{hand(1, 1), 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}});
  const SFSign fiveSymbols = sign({{hand(1, 1), 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}});
  EXPECT_EQ(two.similarity(sixSymbols).total, 0.0);
  EXPECT_GT(two.similarity(fiveSymbols).maxSim, 0);
}

// Wherever a sign lies in its box, and whatever one extra symbol (a face, a
// dynamics mark, a further hand) it has above or left of the others, its
// symbols pair at no distance.
TEST(SFSign, PositionsAreMeasuredFromTheSignsOwnSymbols) {
  const int samePlace = 2 * 920;
  EXPECT_EQ(storedSign(Fifty).similarity(storedSign("M552x596S14c20529x545S17620532x580")).maxSim, samePlace);
  for (const char* extra : {"S2ff00440x430", "S2f700470x455", "S10000460x480"}) {
    const SFSign withExtra = storedSign(Fifty + QLatin1String(extra));
    EXPECT_EQ(storedSign(Fifty).similarity(withExtra).maxSim, samePlace) << extra;
    EXPECT_EQ(withExtra.similarity(storedSign(Fifty)).maxSim, samePlace) << extra;
  }
}

TEST(SFSign, MovementPartRanksDirections) {
  const SFSign up = sign({{hand(1, 1), 0, 0}, {arrow(1), 0, 30}});
  const SFSign upLeft = sign({{hand(1, 1), 0, 0}, {arrow(2), 0, 30}});
  const SFSign down = sign({{hand(1, 1), 0, 0}, {arrow(5), 0, 30}});
  const SFSign upCurve = sign({{hand(1, 1), 0, 0}, {arrow(1, 1, 6), 0, 30}});
  const SFSign upLeftHand = sign({{hand(1, 1), 0, 0}, {arrow(1, 2), 0, 30}});
  const SFSign still = sign({{hand(1, 1), 0, 0}});
  const double same = up.similarity(up).movement;
  EXPECT_DOUBLE_EQ(same, 1.0);
  EXPECT_GT(up.similarity(upLeft).movement, up.similarity(down).movement);
  EXPECT_GT(up.similarity(upCurve).movement, up.similarity(down).movement);
  EXPECT_LT(up.similarity(upCurve).movement, same);
  EXPECT_GT(up.similarity(upLeftHand).movement, 0.5);  // the same movement by another hand
  EXPECT_LT(up.similarity(upLeftHand).movement, same);
  EXPECT_EQ(up.similarity(still).movement, 0.0);
  // A sideways floor arrow and the same wall arrow move alike.
  const SFSign right = sign({{hand(1, 1), 0, 0}, {arrow(7), 0, 30}});
  const SFSign rightOnFloor = sign({{hand(1, 1), 0, 0}, {arrow(7, 1, 5), 0, 30}});
  EXPECT_DOUBLE_EQ(right.similarity(rightOnFloor).movement, 1.0);
  // Mirrored arrows point the other way sideways.
  const SFSign mirroredUpLeft = sign({{hand(1, 1), 0, 0}, {arrow(10), 0, 30}});
  EXPECT_LT(upLeft.similarity(mirroredUpLeft).movement, upLeft.similarity(up).movement);
}

TEST(SFSign, RedundantHandRule) {
  // Start and end position of one hand with the arrow between them (vertical arrow: along y).
  const SFSign s = sign({{hand(1, 1), 50, 10}, {arrow(1), 55, 50}, {hand(1, 1), 50, 90}}, true);
  EXPECT_EQ(s.handCount, 1);
  EXPECT_EQ(s.hands[0].y, 90);  // the first hand went
  // The arrow outside the two hands, a second fill-1 arrow, another fill or a mirrored hand: kept.
  EXPECT_EQ(sign({{hand(1, 1), 50, 10}, {arrow(1), 55, 100}, {hand(1, 1), 50, 90}}, true).handCount, 2);
  EXPECT_EQ(sign({{hand(1, 1), 50, 10}, {arrow(1), 55, 50}, {arrow(1), 5, 50}, {hand(1, 1), 50, 90}}, true).handCount,
            2);
  EXPECT_EQ(sign({{hand(1, 1), 50, 10}, {arrow(1, 2), 55, 50}, {hand(1, 1), 50, 90}}, true).handCount, 2);
  EXPECT_EQ(sign({{hand(1, 1), 50, 10}, {arrow(1), 55, 50}, {hand(1, 1, 1, 9), 50, 90}}, true).handCount, 2);
  // A sideways arrow compares x.
  EXPECT_EQ(sign({{hand(1, 1), 10, 50}, {arrow(3), 50, 55}, {hand(1, 1), 90, 50}}, true).handCount, 1);
  EXPECT_EQ(sign({{hand(1, 1), 10, 50}, {arrow(3), 50, 55}, {hand(1, 1), 90, 50}}, false).handCount, 2);
  // Applied once more, a third equal hand goes too.
  SFSign three = sign({{hand(1, 1), 10, 50}, {hand(1, 1), 30, 50}, {arrow(3), 50, 55}, {hand(1, 1), 90, 50}}, true);
  EXPECT_EQ(three.handCount, 2);
  EXPECT_TRUE(three.normalize());
  EXPECT_EQ(three.handCount, 1);
  EXPECT_FALSE(three.normalize());
}

TEST(SFSign, SqueezeRule) {
  const SymbolCode squeeze = SSS::make(2, 2, 1, 1, 1, 1);
  const SymbolCode flick = SSS::make(2, 2, 8, 1, 1, 1);
  const SymbolCode closedFourFingers = SSS::make(1, 4, 7, 1, 2, 3);  // serial 75
  SFSign s = sign({{closedFourFingers, 0, 0}, {squeeze, 10, 0}}, true);
  ASSERT_EQ(s.handCount, 1);
  EXPECT_EQ(s.hands[0].code(), SSS::make(1, 10, 15, 1, 2, 3));
  EXPECT_FALSE(s.normalize());
  EXPECT_EQ(sign({{closedFourFingers, 0, 0}, {flick, 10, 0}}, true).hands[0].code(), closedFourFingers);
  EXPECT_EQ(sign({{closedFourFingers, 0, 0}, {squeeze, 10, 0}}, false).hands[0].code(), closedFourFingers);
  EXPECT_EQ(sign({{hand(1, 1), 0, 0}, {squeeze, 10, 0}}, true).hands[0].code(), hand(1, 1));
}

TEST(SFSign, SignsWithoutComparedSymbols) {
  // Only movements: nothing to pair, no division by zero.
  const SFSign a = sign({{arrow(1), 0, 0}});
  const SFSimilarity r = a.similarity(a);
  EXPECT_EQ(r.shapeAndLocation, 0.0);
  EXPECT_DOUBLE_EQ(r.total, 0.1);
  EXPECT_TRUE(a.symbols.empty());
}

}  // namespace
}  // namespace quabe::test
