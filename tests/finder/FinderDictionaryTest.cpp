// The search against a real dictionary file: the features are the file's;
// canvas signs, result details and the evaluation over sample files.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "FswSigns.h"
#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "document/Sign.h"
#include "finder/FinderEvaluation.h"
#include "finder/SignFinder.h"

namespace quabe {
namespace {

DbISWA row(SymbolCode code, int x, int y) {
  DbISWA r;
  r.sss = SSS::toString(code);
  r.x = x;
  r.y = y;
  return r;
}

const SymbolCode Index = SSS::make(1, 1, 1, 1, 1, 1);
const SymbolCode Flat = SSS::make(1, 5, 1, 1, 1, 1);
SFSign target(std::initializer_list<std::tuple<SymbolCode, int, int>> symbols) {
  return test::sfSign(0, symbols, true);
}

class FinderDictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(directory.isValid());
    first = directory.filePath("first.db");
    second = directory.filePath("second.db");
    QString error;
    ASSERT_TRUE(DictionaryFile::create(first, QString(), false, &error)) << error.toStdString();
    ASSERT_TRUE(DictionaryFile::create(second, QString(), false, &error)) << error.toStdString();
    db.setPath(first);
    finder.setDictionaryPath(first);
  }
  qint64 store(const QString& gloss, const QList<DbISWA>& spelling, const QStringList& meanings = {}) {
    DbSign entry;
    entry.signID = -1;
    entry.gloss = gloss;
    entry.meanings = meanings;
    EXPECT_TRUE(db.insertSign(entry, spelling, false));
    return entry.signID;
  }
  // A sample file of one sign with the symbols at the given places.
  void writeSample(const QString& name, const QList<std::tuple<int, int, const char*>>& symbols) {
    QByteArray text = "<swml><sign><gloss>S</gloss>";
    for (const auto& [x, y, code] : symbols)
      text += QStringLiteral("<symbol x=\"%1\" y=\"%2\">%3</symbol>").arg(x).arg(y).arg(code).toUtf8();
    QFile f(directory.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text + "</sign></swml>");
  }
  static QList<qint64> ids(const QList<SFResult>& results) {
    QList<qint64> list;
    for (const SFResult& r : results) list.append(r.signID);
    return list;
  }

  QTemporaryDir directory;
  QString first, second;
  Dictionary db;
  SignFinder finder;
};

TEST_F(FinderDictionaryTest, TheFeaturesAreThoseOfTheFileSearched) {
  const qint64 index = store("INDEX", {row(Index, 10, 10)});
  EXPECT_EQ(ids(finder.findSimilarSigns(target({{Index, 50, 50}}), 20)), QList<qint64>{index});
  EXPECT_TRUE(finder.hasCachedFeatures());

  // A sign stored since is found once the owner discards the features.
  const qint64 flat = store("FLAT", {row(Flat, 10, 10)});
  finder.discardCache();
  const QList<SFResult> afterStore = finder.findSimilarSigns(target({{Flat, 50, 50}}), 20);
  ASSERT_FALSE(afterStore.isEmpty());
  EXPECT_EQ(afterStore.front().signID, flat);
  EXPECT_DOUBLE_EQ(afterStore.front().similarity, 1.0);

  // Another file: its own signs, without being told to discard.
  finder.setDictionaryPath(second);
  EXPECT_FALSE(finder.hasCachedFeatures());
  EXPECT_TRUE(finder.findSimilarSigns(target({{Index, 50, 50}}), 20).isEmpty());
}

TEST_F(FinderDictionaryTest, AliasesAreNotSearched) {
  const qint64 index = store("INDEX", {row(Index, 10, 10)});
  const qint64 alias = store("POINT", {row(Index, 10, 10)});
  SqliteDatabase database = db.database();
  ASSERT_TRUE(database.open());
  ASSERT_TRUE(database.executeUpdate("UPDATE Signs SET StdGloss='INDEX' WHERE SignID=?", {alias}));
  database.close();
  EXPECT_EQ(ids(finder.findSimilarSigns(target({{Index, 50, 50}}), 20)), QList<qint64>{index});
}

// The evaluation ranks the answer among the results for each sample file.
TEST_F(FinderDictionaryTest, EvaluationCollectsTheAnswersRank) {
  QUABE_REQUIRE_ARCHIVE();
  const qint64 flat = store("FLAT", {row(Flat, 0, 0), row(SSS::make(2, 3, 1, 1, 1, 1), 10, 40)});
  store("INDEX", {row(Index, 0, 0)});
  QDir(directory.path()).mkpath("flat_FLAT");
  writeSample("flat_FLAT/a.swml", {{60, 40, "01-05-001-01-01-01"}, {72, 80, "02-03-001-01-01-01"}});
  writeSample("flat_FLAT/b.swml", {{60, 40, "01-01-001-01-01-01"}});  // looks like INDEX
  writeSample("flat_FLAT/c.swml", {});                                // no symbols: skipped
  writeSample("flat_FLAT/d.txt", {{60, 40, "01-05-001-01-01-01"}});   // not a sample
  FinderEvaluation tester;
  tester.finder = &finder;
  const QList<FinderEvaluationResult> results = tester.collectResults(directory.filePath("flat_FLAT"), flat, 20, false);
  ASSERT_EQ(results.size(), 2);
  EXPECT_EQ(results[0].swmlFileName, "a.swml");
  EXPECT_EQ(results[0].order, 1);
  EXPECT_DOUBLE_EQ(results[0].similarity, 1.0);  // the same sign, placed elsewhere in its box
  EXPECT_TRUE(results[0].modificationDate.isValid());
  EXPECT_EQ(results[1].swmlFileName, "b.swml");
  EXPECT_EQ(results[1].order, 2);  // INDEX first; FLAT's hand has other fingers (720) and FLAT moves
  EXPECT_DOUBLE_EQ(results[1].similarity, 0.648 / 0.928);
  EXPECT_EQ(tester.collectResults(directory.filePath("flat_FLAT"), 999, 20, true)[0].order,
            FinderEvaluationResult::NotFound);
  EXPECT_TRUE(tester.collectResults(directory.filePath("missing"), flat, 20, true).isEmpty());
}

class FinderCanvasSignTest : public FinderDictionaryTest {
 protected:
  void SetUp() override {
    QUABE_REQUIRE_ARCHIVE();
    FinderDictionaryTest::SetUp();
  }
  static SignPtr canvasSign(std::initializer_list<std::tuple<SymbolCode, int, int>> symbols) {
    auto sign = std::make_shared<Sign>();
    for (const auto& [code, x, y] : symbols) {
      auto symbol = std::make_shared<ISWA>(code);
      symbol->rect.moveTopLeft(QPointF(x, y));
      sign->symbols.append(symbol);
    }
    sign->updateBounds();
    return sign;
  }
};

TEST_F(FinderCanvasSignTest, DetailsAndArrowMerging) {
  const SymbolCode single = SSS::make(2, 3, 1, 1, 1, 1);
  const SymbolCode doubleArrow = SSS::make(2, 3, 2, 1, 1, 1);
  const qint64 id = store("TWO-ARROWS", {row(Flat, 0, 0), row(doubleArrow, 10, 40)}, {"two", "arrows"});
  store("FACE", {row(test::Face, 0, 0)});
  // Drawn with two parallel single arrows.
  const SignPtr drawn = canvasSign({{Flat, 40, 30}, {single, 50, 70}, {single, 62, 70}});
  QList<SFResult> merged = finder.findSimilarSigns(*drawn, 20);
  SignFinder::loadDetails(merged, db);
  EXPECT_EQ(drawn->symbols.size(), 3);  // the target itself is not changed
  ASSERT_EQ(merged.size(), 1);
  EXPECT_EQ(merged[0].signID, id);
  EXPECT_EQ(merged[0].gloss, "TWO-ARROWS");
  EXPECT_EQ(merged[0].meaning, "arrows / two");
  ASSERT_TRUE(merged[0].sign);
  EXPECT_EQ(merged[0].sign->symbols.size(), 2);
  EXPECT_EQ(merged[0].sign->meanings, QStringList({"arrows", "two"}));
  EXPECT_DOUBLE_EQ(merged[0].similarity, 1.0);  // the merged arrow moves exactly alike
  EXPECT_EQ(finder.results.size(), 1);

  finder.integrateArrows = false;
  const QList<SFResult> apart = finder.findSimilarSigns(*drawn, 20);
  ASSERT_EQ(apart.size(), 1);
  EXPECT_LT(apart[0].similarity, merged[0].similarity);
  EXPECT_TRUE(apart[0].gloss.isEmpty());
  EXPECT_FALSE(apart[0].sign);
}

// A finder measures with its own tuning: the drawn target, its mirror image
// and the dictionary's records alike.
TEST_F(FinderCanvasSignTest, AFinderMeasuresWithItsOwnTuning) {
  const SymbolCode contact = SSS::make(2, 1, 1, 1, 1, 1);
  store("INDEX", {row(Index, 0, 0)});
  const SignPtr drawn = canvasSign({{Index, 40, 30}, {contact, 50, 20}});
  const QList<SFResult> plain = finder.findSimilarSigns(*drawn, 20, true);
  ASSERT_EQ(plain.size(), 1);
  SFTuning costly;
  costly.markMissingCost = 200;  // for the contact the entry lacks
  finder.setTuning(costly);
  EXPECT_FALSE(finder.hasCachedFeatures());
  const QList<SFResult> tuned = finder.findSimilarSigns(*drawn, 20, true);
  ASSERT_EQ(tuned.size(), 1);
  EXPECT_LT(tuned[0].similarity, plain[0].similarity);
  EXPECT_FALSE(tuned[0].mirrored) << "the mirror image was measured with other costs";
}

}  // namespace
}  // namespace quabe
