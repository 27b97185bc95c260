#include <gtest/gtest.h>

#include "FswSigns.h"
#include "common/TestSupport.h"
#include "finder/SignFinder.h"

namespace quabe::test {
namespace {

SFResult result(double similarity, qint64 id) {
  SFResult r;
  r.similarity = similarity;
  r.signID = id;
  return r;
}

// The results as "id:rank".
QStringList ranked(const QList<SFResult>& results) {
  QStringList out;
  for (const SFResult& r : results) out << QStringLiteral("%1:%2").arg(r.signID).arg(r.ranking);
  return out;
}

TEST(SignFinderRanking, EqualSimilaritiesShareTheFirstRank) {
  QList<SFResult> list{result(0.85, 3), result(0.91, 1), result(0.91, 2), result(0.5, 4), result(0.85, 5)};
  SignFinder::rankResults(list, 20);
  EXPECT_EQ(ranked(list), (QStringList{"1:1", "2:1", "3:3", "5:3", "4:5"}));  // ties keep the dictionary order
}

class SignFinderSearch : public ::testing::Test {
 protected:
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
  use({sfSign(1, {{hand(1, 1), 50, 50}}), sfSign(2, {{Face, 50, 20}}), sfSign(3, {{hand(1, 1), 80, 50}}),
       sfSign(4, {{SSS::make(4, 2, 1, 3, 1, 1), 50, 20}}), sfSign(5, {{Face, 50, 20}, {hand(1, 1), 50, 50}}),
       sfSign(6, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}}), sfSign(7, {{hand(1, 1), 50, 50}})});
  // A face target: the bare faces 2 and 4 are never listed; 5 has a hand, the target none.
  const QList<SFResult> faces = finder.findSimilarSigns(sfSign(0, {{Face, 50, 20}}, true), 20);
  EXPECT_TRUE(faces.isEmpty());
  // A face with a different fill is no bare face.
  use({sfSign(2, {{SSS::make(4, 2, 1, 1, 2, 1), 50, 20}})});
  EXPECT_EQ(finder.findSimilarSigns(sfSign(0, {{Face, 50, 20}}, true), 20).size(), 1);

  use({sfSign(1, {{hand(1, 1), 50, 50}}), sfSign(3, {{hand(1, 2), 80, 50}}),
       sfSign(6, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}}), sfSign(7, {{hand(1, 1), 90, 10}}), sfSign(8, {{Face, 0, 0}})});
  const QList<SFResult> r = finder.findSimilarSigns(sfSign(0, {{hand(1, 1), 50, 50}}, true), 20);
  ASSERT_EQ(ranked(r), (QStringList{"1:1", "7:1", "3:3"}));  // 6 has nothing to compare, 8 has no hand
  EXPECT_DOUBLE_EQ(r[0].similarity, 1.0);                    // wherever it lies in its box
  EXPECT_NEAR(r[2].similarity, (0.89 * 0.9 + 0.01) / 0.838, 1e-12);
  EXPECT_TRUE(r[0].gloss.isEmpty());
  EXPECT_EQ(finder.findSimilarSigns(sfSign(0, {{hand(1, 1), 50, 50}}, true), 1).size(), 1);
  EXPECT_EQ(loads, 3);  // the cache serves the later searches
}

TEST_F(SignFinderSearch, TargetWithoutComparedSymbolsFindsNothing) {
  use({sfSign(6, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}})});
  EXPECT_TRUE(finder.findSimilarSigns(sfSign(0, {{SSS::make(2, 3, 1, 1, 1, 1), 0, 0}}, true), 20).isEmpty());
  EXPECT_EQ(loads, 0);
}

// A target drawn with three equal hands and an arrow between the first two:
// normalisation drops the first hand; when the best total stays below 0.7 the
// search tries dropping the next one, and takes that list when its best is
// better.
TEST_F(SignFinderSearch, AlternativeSearchBelowThreshold) {
  const SymbolCode right = SSS::make(2, 3, 1, 1, 1, 7);
  const SymbolCode left = SSS::make(2, 3, 1, 1, 1, 3);
  auto target = [&] {
    return sfSign(0, {{hand(1, 1), 10, 50}, {hand(1, 1), 30, 50}, {right, 50, 50}, {hand(1, 1), 90, 50}}, true);
  };
  // A good first match: one hand short, 920 - 110, the same movement.
  const SFSign oneHand = sfSign(1, {{hand(1, 1), 90, 50}, {right, 50, 50}});
  use({oneHand});
  QList<SFResult> r = finder.findSimilarSigns(target(), 20);
  ASSERT_EQ(r.size(), 1);
  EXPECT_DOUBLE_EQ(r[0].similarity, target().similarity(oneHand).score);
  EXPECT_DOUBLE_EQ(target().similarity(oneHand).total, 0.81 * 0.9 + 0.1);

  // Two other handshapes moving the other way: below 0.7, and the one-hand
  // alternative scores even less, so the first list stays.
  const SFSign twoOthers = sfSign(2, {{hand(2, 1), 30, 50}, {hand(2, 1), 30, 60}, {left, 50, 50}});
  const SFSimilarity first = target().similarity(twoOthers);
  ASSERT_LT(first.total, 0.7);
  use({twoOthers});
  r = finder.findSimilarSigns(target(), 20);
  ASSERT_EQ(r.size(), 1);
  EXPECT_DOUBLE_EQ(r[0].similarity, first.score);

  // One hand of another shape: below 0.7 at first; the one-hand alternative
  // scores higher and replaces the list.
  const SFSign oneOther = sfSign(3, {{hand(2, 1), 90, 50}, {right, 50, 50}});
  SFSign twice = target();
  ASSERT_TRUE(twice.normalize());
  ASSERT_LT(target().similarity(oneOther).total, 0.7);
  ASSERT_GT(twice.similarity(oneOther).score, target().similarity(oneOther).score);
  use({oneOther});
  r = finder.findSimilarSigns(target(), 20);
  ASSERT_EQ(r.size(), 1);
  EXPECT_DOUBLE_EQ(r[0].similarity, twice.similarity(oneOther).score);
}

// A left-handed signer's "50" (the mirror image) is the entry itself when
// mirror images are matched, and is marked so.
TEST_F(SignFinderSearch, MirrorImagesMatchWhenAsked) {
  QUABE_REQUIRE_ARCHIVE();
  const SignPtr drawn = drawnSign("M511x526S14c28488x475S17628492x510");
  ASSERT_TRUE(drawn);
  use({storedSign("M512x526S14c20489x475S17620492x510", 1), storedSign("M512x526S15a20489x475S17620492x510", 2)});
  const QList<SFResult> plain = finder.findSimilarSigns(*drawn, 20, false);
  ASSERT_FALSE(plain.isEmpty());
  EXPECT_LT(plain[0].similarity, 1.0);
  EXPECT_FALSE(plain[0].mirrored);
  const QList<SFResult> mirrored = finder.findSimilarSigns(*drawn, 20, true);
  ASSERT_EQ(mirrored.size(), 2);
  EXPECT_EQ(mirrored[0].signID, 1);
  EXPECT_DOUBLE_EQ(mirrored[0].similarity, 1.0);
  EXPECT_TRUE(mirrored[0].mirrored);
}

}  // namespace
}  // namespace quabe::test
