#include <gtest/gtest.h>

#include <random>

#include "finder/SFSign.h"
#include "finder/SymbolAssignment.h"

namespace quabe {
namespace {

using sf::MaxAssigned;

// The assignment must give the exhaustive search's maximum on every matrix,
// including ones where some rows have no usable column.
TEST(SymbolAssignment, AgreesWithExhaustiveSearchOnRandomMatrices) {
  std::mt19937 rng(20240611);
  int withoutPairing = 0;
  for (int trial = 0; trial < 6000; ++trial) {
    const int rows = int(rng() % 8);
    const int cols = rows + int(rng() % 4);
    if (cols > 8) continue;
    const int zeroPercent = int(rng() % 70);
    sf::ScoreMatrix m{};
    for (int i = 0; i < rows; ++i)
      for (int j = 0; j < cols; ++j) {
        const int roll = int(rng() % 100);
        m[i * MaxAssigned + j] = roll < zeroPercent ? (roll % 3 == 0 ? -int(rng() % 50) : 0) : 1 + int(rng() % 920);
      }
    const int expected = sf::exhaustiveMaxPositiveAssignment(m, rows, cols);
    ASSERT_EQ(sf::maxPositiveAssignment(m, rows, cols), expected) << "trial " << trial;
    withoutPairing += rows > 0 && expected == 0;
  }
  EXPECT_GT(withoutPairing, 100);  // the "no complete pairing" case was exercised
}

SFSymbol randomSymbol(std::mt19937& rng) {
  static const SymbolCode kinds[] = {
      SSS::make(1, 1, 1, 1, 1, 1), SSS::make(1, 1, 2, 1, 2, 1),   SSS::make(1, 2, 3, 1, 1, 3),
      SSS::make(1, 5, 1, 1, 3, 9), SSS::make(1, 10, 15, 1, 1, 1), SSS::make(1, 9, 31, 1, 2, 15),
      SSS::make(5, 1, 1, 1, 1, 1), SSS::make(5, 2, 2, 1, 1, 1),   SSS::make(4, 2, 1, 1, 1, 1),
      SSS::make(4, 1, 1, 1, 1, 1), SSS::make(4, 3, 1, 1, 1, 1),   SSS::make(6, 1, 1, 1, 1, 1),
      SSS::make(7, 1, 1, 1, 1, 1), SSS::make(2, 1, 1, 1, 1, 1),   SSS::make(2, 3, 1, 1, 1, 1),
      SSS::make(3, 1, 1, 1, 1, 1),
  };
  SymbolCode code = kinds[rng() % std::size(kinds)];
  if (SSS::categoryField(code) == 1)
    code = SSS::withRotation(SSS::withFill(code, 1 + int(rng() % 3)), 1 + int(rng() % 16));
  return SFSymbol(code, double(rng() % 200), double(rng() % 200));
}

TEST(SymbolAssignment, SignScoresAgreeWithExhaustivePairingOnRandomSigns) {
  std::mt19937 rng(7);
  int scored = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    std::vector<SFSymbol> a, b;
    const int na = 1 + int(rng() % 7), nb = 1 + int(rng() % 7);
    for (int i = 0; i < na; ++i) a.push_back(randomSymbol(rng));
    for (int i = 0; i < nb; ++i) b.push_back(randomSymbol(rng));
    const SFSign sa(a, 1, false), sb(b, 2, false);
    const SFSimilarity fast = sa.similarity(sb, SFPairing::assignment);
    const SFSimilarity reference = sa.similarity(sb, SFPairing::exhaustive);
    ASSERT_EQ(fast.maxSim, reference.maxSim) << "trial " << trial;
    ASSERT_EQ(fast.total, reference.total) << "trial " << trial;
    ASSERT_EQ(fast.shapeAndLocation, reference.shapeAndLocation);
    scored += fast.maxSim > 0;
  }
  EXPECT_GT(scored, 1000);
}

}  // namespace
}  // namespace quabe
