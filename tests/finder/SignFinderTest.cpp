#include <gtest/gtest.h>

#include "ScopedTuning.h"
#include "core/Diagnostics.h"
#include "finder/SignFinder.h"

namespace quabe {
namespace {

SymbolCode hand(int group, int base, int fill = 1, int rotation = 1) {
  return SSS::make(1, group, base, 1, fill, rotation);
}
const SymbolCode Face = SSS::make(4, 2, 1, 1, 1, 1);

SFSign entry(qint64 id, std::initializer_list<std::tuple<SymbolCode, int, int>> symbols, bool normalize = false) {
  std::vector<SFSymbol> list;
  for (const auto& [code, x, y] : symbols) list.emplace_back(code, x, y);
  return SFSign(list, id, normalize);
}

SFResult result(double similarity, qint64 id) {
  SFResult r;
  r.similarity = similarity;
  r.signID = id;
  return r;
}

TEST(SignFinderRanking, EqualSimilaritiesShareTheFirstRank) {
  QList<SFResult> list{result(0.85, 3), result(0.91, 1), result(0.91, 2), result(0.5, 4), result(0.85, 5)};
  SignFinder::rankResults(list, 20);
  ASSERT_EQ(list.size(), 5);
  EXPECT_EQ(list[0].signID, 1);  // ties keep the dictionary order
  EXPECT_EQ(list[1].signID, 2);
  EXPECT_EQ(list[2].signID, 3);
  EXPECT_EQ(list[3].signID, 5);
  const int expected[] = {1, 1, 3, 3, 5};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list[i].ranking, expected[i]) << i;
}

TEST(SignFinderRanking, LimitKeepsTheBest) {
  QList<SFResult> list{result(0.2, 1), result(0.9, 2), result(0.5, 3)};
  SignFinder::rankResults(list, 2);
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list[0].signID, 2);
  EXPECT_EQ(list[1].signID, 3);
  EXPECT_EQ(list[1].ranking, 2);
}

TEST(SignFinderRanking, LimitTexts) {
  EXPECT_EQ(SignFinder::resultLimit("5"), 5);
  EXPECT_EQ(SignFinder::resultLimit(" 12 "), 12);
  EXPECT_EQ(SignFinder::resultLimit("0"), 20);
  EXPECT_EQ(SignFinder::resultLimit("-3"), 20);
  EXPECT_EQ(SignFinder::resultLimit("abc"), 20);
  EXPECT_EQ(SignFinder::resultLimit(""), 20);
}

// These cases place signs at absolute positions to control their scores.
class SignFinderSearch : public ::testing::Test {
 protected:
  void SetUp() override { sfTuning().placement = SFTuning::asStored; }
  ScopedTuning tuning;
  void use(std::vector<SFSign> signs) {
    finder.setFeatureLoader([signs, this] {
      ++loads;
      return signs;
    });
  }
  SignFinder finder;
  int loads = 0;
};

TEST_F(SignFinderSearch, RanksTheDictionaryAndSkipsBareFaces) {
  use({entry(1, {{hand(1, 1), 50, 50}}), entry(2, {{Face, 50, 20}}), entry(3, {{hand(1, 1), 80, 50}}),
       entry(4, {{SSS::make(4, 2, 1, 3, 1, 1), 50, 20}}), entry(5, {{Face, 50, 20}, {hand(1, 1), 50, 50}}),
       entry(6, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}}), entry(7, {{hand(1, 1), 50, 50}})});
  // A face target: the bare faces 2 and 4 are never listed; 5 has a hand, the target none.
  const QList<SFResult> faces = finder.findSimilarSigns(entry(0, {{Face, 50, 20}}, true), 20);
  EXPECT_TRUE(faces.isEmpty());
  // A face with a different fill is no bare face.
  use({entry(2, {{SSS::make(4, 2, 1, 1, 2, 1), 50, 20}})});
  EXPECT_EQ(finder.findSimilarSigns(entry(0, {{Face, 50, 20}}, true), 20).size(), 1);

  use({entry(1, {{hand(1, 1), 50, 50}}), entry(3, {{hand(1, 1), 80, 50}}),
       entry(6, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}}), entry(7, {{hand(1, 1), 50, 50}}), entry(8, {{Face, 0, 0}})});
  const QList<SFResult> r = finder.findSimilarSigns(entry(0, {{hand(1, 1), 50, 50}}, true), 20);
  ASSERT_EQ(r.size(), 3);  // 6 has nothing to compare, 8 has no hand
  EXPECT_EQ(r[0].signID, 1);
  EXPECT_EQ(r[1].signID, 7);
  EXPECT_EQ(r[0].ranking, 1);
  EXPECT_EQ(r[1].ranking, 1);
  EXPECT_EQ(r[2].signID, 3);
  EXPECT_EQ(r[2].ranking, 3);
  EXPECT_DOUBLE_EQ(r[0].similarity, 0.838);
  EXPECT_NEAR(r[2].similarity, 0.9 * 0.9 + 0.01, 1e-12);
  EXPECT_TRUE(r[0].gloss.isEmpty());
  EXPECT_EQ(finder.findSimilarSigns(entry(0, {{hand(1, 1), 50, 50}}, true), 1).size(), 1);
  EXPECT_EQ(loads, 3);  // the cache serves the later searches
}

TEST_F(SignFinderSearch, TargetWithoutComparedSymbolsFindsNothing) {
  use({entry(6, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}})});
  EXPECT_TRUE(finder.findSimilarSigns(entry(0, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}}, true), 20).isEmpty());
  EXPECT_EQ(loads, 0);
}

// A target drawn with three equal hands and an arrow between the first two:
// normalisation drops the first hand; below 0.7 the search tries dropping the
// next one, and takes that list when its best is better.
TEST_F(SignFinderSearch, AlternativeSearchBelowThreshold) {
  setDiagnosticsEnabled(false);
  const SymbolCode arrowRight = SSS::make(2, 3, 1, 1, 1, 7);
  auto target = [&] {
    return entry(0, {{hand(1, 1), 10, 50}, {hand(1, 1), 30, 50}, {arrowRight, 50, 50}, {hand(1, 1), 90, 50}}, true);
  };
  // After the first normalisation the target has hands at 30 and 90.
  // Entry 1 is the one-hand sign with the arrow (the alternative's match);
  // entry 2 has two hands at a distance that keeps the best below 0.7.
  const SFSign oneHand = entry(1, {{hand(1, 1), 90, 50}, {arrowRight, 50, 50}});
  const SFSign twoHandsFar = entry(2, {{hand(1, 1), 30, 350}, {hand(1, 1), 90, 400}, {arrowRight, 50, 50}});
  use({oneHand, twoHandsFar});
  const QList<SFResult> r = finder.findSimilarSigns(target(), 20);
  ASSERT_FALSE(r.isEmpty());
  // First pass: one hand against two: 920 - 110 -> 0.729 + 0.1: entry 1 at 0.829 already >= 0.7.
  EXPECT_EQ(r[0].signID, 1);
  EXPECT_NEAR(r[0].similarity, 0.81 * 0.9 + 0.1, 1e-9);

  // With only the far two-hand entry the first pass stays below 0.7; the
  // alternative (one hand) scores even less and is not taken.
  use({twoHandsFar});
  const QList<SFResult> onlyFar = finder.findSimilarSigns(target(), 20);
  ASSERT_EQ(onlyFar.size(), 1);
  const double firstPass = target().similarity(twoHandsFar).total;
  EXPECT_LT(firstPass, 0.7);
  EXPECT_DOUBLE_EQ(onlyFar[0].similarity, firstPass);

  // With a one-hand entry far away the first pass scores below 0.7 and the
  // alternative, one hand against one hand, scores higher and replaces it.
  const SFSign oneHandAway = entry(3, {{hand(1, 1), 90, 250}, {arrowRight, 50, 50}});
  use({oneHandAway});
  const double first = target().similarity(oneHandAway).total;
  SFSign normalisedTwice = target();
  ASSERT_TRUE(normalisedTwice.normalize());
  const double second = normalisedTwice.similarity(oneHandAway).total;
  ASSERT_LT(first, 0.7);
  ASSERT_GT(second, first);
  const QList<SFResult> replaced = finder.findSimilarSigns(target(), 20);
  ASSERT_EQ(replaced.size(), 1);
  EXPECT_DOUBLE_EQ(replaced[0].similarity, second);
  setDiagnosticsEnabled(true);
}

TEST(SignFinderRanking, AlternativeSearchThreshold) {
  EXPECT_TRUE(SignFinder::wantsAlternativeSearch(0.69));
  EXPECT_TRUE(SignFinder::wantsAlternativeSearch(0.0));
  EXPECT_FALSE(SignFinder::wantsAlternativeSearch(0.70));
  EXPECT_FALSE(SignFinder::wantsAlternativeSearch(0.838));
}

TEST_F(SignFinderSearch, DiscardedCacheIsRebuilt) {
  use({entry(1, {{hand(1, 1), 50, 50}})});
  EXPECT_EQ(finder.findSimilarSigns(entry(0, {{hand(1, 1), 50, 50}}, true), 20).size(), 1);
  EXPECT_TRUE(finder.hasCachedFeatures());
  finder.discardCache();
  EXPECT_FALSE(finder.hasCachedFeatures());
  EXPECT_EQ(finder.findSimilarSigns(entry(0, {{hand(1, 1), 50, 50}}, true), 20).size(), 1);
  EXPECT_EQ(loads, 2);
}

}  // namespace
}  // namespace quabe
