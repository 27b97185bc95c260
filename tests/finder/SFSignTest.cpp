#include <gtest/gtest.h>

#include "ScopedTuning.h"
#include "core/Diagnostics.h"
#include "finder/SFSign.h"

namespace quabe {
namespace {

SymbolCode hand(int group, int base, int fill = 1, int rotation = 1) {
  return SSS::make(1, group, base, 1, fill, rotation);
}
const SymbolCode Face = SSS::make(4, 2, 1, 1, 1, 1);
const SymbolCode ShoulderLine = SSS::make(5, 1, 1, 1, 1, 1);
const SymbolCode Arm = SSS::make(5, 2, 2, 1, 1, 1);
const SymbolCode Touch = SSS::make(2, 1, 1, 1, 1, 1);
SymbolCode arrow(int rotation, int fill = 1, int group = 3) { return SSS::make(2, group, 1, 1, fill, rotation); }

SFSign sign(std::initializer_list<std::tuple<SymbolCode, int, int>> symbols, bool normalize = false) {
  std::vector<SFSymbol> list;
  for (const auto& [code, x, y] : symbols) list.emplace_back(code, x, y);
  return SFSign(list, 42, normalize);
}

TEST(SFSign, FeatureExtractionGroupsSymbols) {
  const SFSign s = sign({{Face, 0, 0},
                         {arrow(1), 5, 5},
                         {hand(1, 1), 10, 10},
                         {Touch, 3, 3},
                         {ShoulderLine, 0, 50},
                         {SSS::make(7, 1, 1, 1, 1, 1), 1, 1},
                         {Arm, 2, 2},
                         {hand(1, 2), 20, 20}});
  EXPECT_EQ(s.handCount, 2);
  EXPECT_EQ(s.bodyCount, 2);
  EXPECT_EQ(s.shoulderCount, 1);
  EXPECT_EQ(s.headCount, 1);
  EXPECT_EQ(s.contactCount, 1);
  EXPECT_EQ(s.otherCount, 1);
  ASSERT_EQ(s.symbols.size(), 6u);  // arrows and contacts are not compared symbol by symbol
  EXPECT_EQ(s.symbols[0].baseSymbol, 1);
  EXPECT_EQ(s.symbols[1].baseSymbol, 2);
  EXPECT_EQ(s.symbols[2].code(), ShoulderLine);
  EXPECT_EQ(s.symbols[3].code(), Arm);
  EXPECT_EQ(s.symbols[4].code(), Face);
  EXPECT_EQ(s.symbols[5].category, Category::punc);
}

TEST(SFSign, IdenticalHandOnlySigns) {
  const SFSign a = sign({{hand(1, 1), 10, 10}, {hand(2, 3, 2, 9), 60, 10}});
  const SFSign b = sign({{hand(2, 3, 2, 9), 60, 10}, {hand(1, 1), 10, 10}});
  const SFSimilarity r = a.similarity(b);
  EXPECT_EQ(r.maxSim, 1840);
  EXPECT_DOUBLE_EQ(r.shapeAndLocation, 0.828);
  EXPECT_DOUBLE_EQ(r.movement, 0.1);
  EXPECT_DOUBLE_EQ(r.total, 0.838);
}

TEST(SFSign, EarlyExits) {
  const SFSign five =
      sign({{hand(1, 1), 0, 0}, {hand(1, 1), 0, 0}, {hand(1, 1), 0, 0}, {hand(1, 1), 0, 0}, {hand(1, 1), 0, 0}});
  EXPECT_EQ(five.similarity(five).total, 0.0);
  const SFSign four = sign({{hand(1, 1), 0, 0}, {hand(1, 1), 0, 0}, {hand(1, 1), 0, 0}, {hand(1, 1), 0, 0}});
  EXPECT_GT(four.similarity(five).total, 0.5);  // only the receiver's hands are limited
  // Hands on one side only.
  const SFSign handSign = sign({{hand(1, 1), 0, 0}});
  const SFSign faceSign = sign({{Face, 0, 0}});
  EXPECT_EQ(handSign.similarity(faceSign).total, 0.0);
  EXPECT_EQ(faceSign.similarity(handSign).shapeAndLocation, 0.0);
  // Symbol counts 2 and 6 differ by more than 3; 2 and 5 still compare.
  const SFSign two = sign({{hand(1, 1), 0, 0}, {Arm, 0, 0}});
  const SFSign sixSymbols = sign({{hand(1, 1), 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}});
  const SFSign fiveSymbols = sign({{hand(1, 1), 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}, {Arm, 0, 0}});
  EXPECT_EQ(two.similarity(sixSymbols).total, 0.0);
  EXPECT_EQ(sixSymbols.similarity(two).total, 0.0);
  EXPECT_GT(two.similarity(fiveSymbols).maxSim, 0);
}

TEST(SFSign, CountDifferenceCostsMoreForSmallSigns) {
  const SFSign one = sign({{hand(1, 1), 0, 0}});
  const SFSign two = sign({{hand(1, 1), 0, 0}, {hand(1, 1), 40, 0}});
  const SFSign three = sign({{hand(1, 1), 0, 0}, {hand(1, 1), 40, 0}, {hand(1, 1), 80, 0}});
  const SFSign four = sign({{hand(1, 1), 0, 0}, {hand(1, 1), 40, 0}, {hand(1, 1), 80, 0}, {hand(1, 1), 120, 0}});
  // The smaller sign's symbols all pair at 920; one extra symbol costs 110 below three symbols, else 50.
  EXPECT_NEAR(one.similarity(two).shapeAndLocation, (920 - 110) / 1000.0 * 0.9, 1e-12);
  EXPECT_NEAR(three.similarity(four).shapeAndLocation, (920 - 50) / 1000.0 * 0.9, 1e-12);
  EXPECT_NEAR(four.similarity(three).shapeAndLocation, (920 - 50) / 1000.0 * 0.9, 1e-12);
  // The receiver's count decides: 2 against 3 uses 110 whichever side is smaller.
  EXPECT_NEAR(two.similarity(three).shapeAndLocation, (920 - 110) / 1000.0 * 0.9, 1e-12);
  EXPECT_NEAR(three.similarity(two).shapeAndLocation, (920 - 50) / 1000.0 * 0.9, 1e-12);
}

TEST(SFSign, DistanceLowersTheScore) {
  // The second hand lies 30 further right: that pair scores 900.
  const SFSign a = sign({{hand(1, 1), 0, 0}, {hand(1, 1), 60, 0}});
  const SFSign b = sign({{hand(1, 1), 0, 0}, {hand(1, 1), 90, 0}});
  EXPECT_EQ(a.similarity(b).maxSim, 920 + 900);
  EXPECT_NEAR(a.similarity(b).shapeAndLocation, 0.910 * 0.9, 1e-12);
}

TEST(SFSign, PlacementMeasuresFromTheSignItself) {
  ScopedTuning tuning;
  // The same arrangement elsewhere in the box.
  const auto a = [] { return sign({{hand(1, 1), 0, 0}, {arrow(1), 20, 40}, {hand(1, 2), 60, 10}}); };
  const auto b = [] { return sign({{hand(1, 1), 40, 70}, {arrow(1), 60, 110}, {hand(1, 2), 100, 80}}); };
  EXPECT_DOUBLE_EQ(a().similarity(b()).total, a().similarity(a()).total);
  EXPECT_EQ(b().hands[0].x, 0);
  EXPECT_EQ(b().hands[1].y, 10);
  sfTuning().placement = SFTuning::fromCentroid;
  EXPECT_DOUBLE_EQ(a().similarity(b()).total, a().similarity(a()).total);
  sfTuning().placement = SFTuning::asStored;
  EXPECT_LT(a().similarity(b()).total, a().similarity(a()).total);
  EXPECT_EQ(b().hands[0].x, 40);
}

TEST(SFSign, HeadBonusAndHeadDifference) {
  const SFSign a = sign({{hand(1, 1), 0, 0}, {Face, 0, 0}});
  EXPECT_NEAR(a.similarity(a).shapeAndLocation, 0.9, 1e-12);  // 920 + 80, capped at 1000
  EXPECT_NEAR(a.similarity(a).total, 0.91, 1e-12);
  const SFSign rotatedFace = sign({{hand(1, 1), 0, 0}, {SSS::make(4, 2, 1, 1, 1, 2), 0, 0}});
  EXPECT_NEAR(a.similarity(rotatedFace).shapeAndLocation, 0.995 * 0.9, 1e-12);
  const SFSign otherFace = sign({{hand(1, 1), 0, 0}, {SSS::make(4, 2, 5, 1, 1, 1), 0, 0}});
  EXPECT_NEAR(a.similarity(otherFace).shapeAndLocation, 0.990 * 0.9, 1e-12);
  // A face on one side only: no bonus, 20 per head of difference.
  const SFSign noFace = sign({{hand(1, 1), 0, 0}});
  EXPECT_NEAR(a.similarity(noFace).shapeAndLocation, 0.900 * 0.9, 1e-12);
  // Faces alone are compared symbol by symbol, without the bonus.
  const SFSign face = sign({{Face, 0, 0}});
  EXPECT_NEAR(face.similarity(face).shapeAndLocation, 0.828, 1e-12);
  // Several faces pair one to one at the smallest difference (eyes against eyes).
  const SymbolCode eyes = SSS::make(4, 2, 5, 1, 1, 1);
  EXPECT_EQ(headDifference({SFSymbol(Face, 0, 0), SFSymbol(eyes, 0, 0)}, {SFSymbol(eyes, 0, 0)}), 0);
  EXPECT_EQ(headDifference({SFSymbol(Face, 0, 0)}, {}), 99999);
}

TEST(SFSign, ShoulderLineStandsForTheHead) {
  // Hand + shoulder line against hand + face: the smaller side has the face
  // and the other the shoulder line, +50.
  const SFSign withShoulders = sign({{hand(1, 1), 0, 0}, {ShoulderLine, 0, 60}});
  const SFSign withFace = sign({{hand(1, 1), 0, 0}, {Face, 0, 60}});
  const SFSign withArm = sign({{hand(1, 1), 0, 0}, {Arm, 0, 60}});
  EXPECT_NEAR(withShoulders.similarity(withFace).shapeAndLocation, (920 - 110 + 50 - 20) / 1000.0 * 0.9, 1e-12);
  EXPECT_NEAR(withFace.similarity(withShoulders).shapeAndLocation, (920 - 110 + 50 - 20) / 1000.0 * 0.9, 1e-12);
  EXPECT_NEAR(withArm.similarity(withFace).shapeAndLocation, (920 - 110 - 20) / 1000.0 * 0.9, 1e-12);
}

TEST(SFSign, ContactCountDifferenceCosts20) {
  const SFSign a = sign({{hand(1, 1), 0, 0}, {Touch, 5, 5}});
  const SFSign b = sign({{hand(1, 1), 0, 0}});
  EXPECT_NEAR(a.similarity(b).shapeAndLocation, 0.900 * 0.9, 1e-12);
  EXPECT_DOUBLE_EQ(a.similarity(b).movement, 0.0);  // one vector is zero
  EXPECT_DOUBLE_EQ(a.similarity(a).movement, 1.0);
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
  setDiagnosticsEnabled(false);
  // Start and end position of one hand with the arrow between them (vertical arrow: along y).
  const SFSign s = sign({{hand(1, 1), 50, 10}, {arrow(1), 55, 50}, {hand(1, 1), 50, 90}}, true);
  EXPECT_EQ(s.handCount, 1);
  EXPECT_EQ(s.hands[0].y, 80);  // the first hand went (positions count from the top-left symbol)
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
  setDiagnosticsEnabled(true);
}

TEST(SFSign, SqueezeRule) {
  setDiagnosticsEnabled(false);
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
  setDiagnosticsEnabled(true);
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
}  // namespace quabe
