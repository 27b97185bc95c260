#include <gtest/gtest.h>

#include "finder/SFSymbol.h"

namespace quabe {
namespace {

SymbolCode hand(int group, int base) { return SSS::make(1, group, base, 1, 1, 1); }

SFSymbol at(SymbolCode code, int x = 0, int y = 0) { return SFSymbol(code, x, y); }

TEST(SFSymbol, DistancePenalty) {
  const SFSymbol a = at(hand(1, 1), 100, 100);
  EXPECT_EQ(a.similarity(at(hand(1, 1), 130, 100), false), 900);  // 30 apart: -20
  EXPECT_EQ(a.similarity(at(hand(1, 1), 130, 100), true), 920);
  EXPECT_EQ(a.similarity(at(hand(1, 1), 110, 104), false), 920);               // 10.77 apart: int(0.77) = 0
  EXPECT_EQ(a.similarity(at(hand(1, 1), 1100, 100), false), 10);               // far apart: the floor
  EXPECT_EQ(a.similarity(at(hand(2, 1), 100, 100 + 730), false), 0);           // the penalty eats all of 720
  EXPECT_EQ(a.similarity(at(SSS::make(4, 2, 1, 1, 1, 1), 200, 0), false), 0);  // nothing by kind stays nothing
  // Movements never lose for distance.
  EXPECT_EQ(at(SSS::make(2, 3, 1, 1, 1, 1)).similarity(at(SSS::make(2, 3, 1, 1, 1, 1), 300, 0), false), 920);
}

}  // namespace
}  // namespace quabe
