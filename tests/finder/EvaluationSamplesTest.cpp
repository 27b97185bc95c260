// The evaluation over real sample files and a dictionary file, and the
// finder's quabe-cli commands.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

#include "BuildPaths.h"
#include "ScopedTuning.h"
#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "finder/FinderEvaluation.h"
#include "finder/SignFinder.h"

namespace quabe {
namespace {

DbISWA row(const QString& sss, int x, int y) {
  DbISWA r;
  r.sss = sss;
  r.x = x;
  r.y = y;
  return r;
}

QByteArray swml(const QList<std::tuple<int, int, QString>>& symbols) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<swml dialect=\"S\" version=\"1.1\" lang=\"sgn\" glosslang=\"\" "
      "signboxWidth=\"150\" signboxHeight=\"150\">\n  <sign lane=\"0\">\n    <gloss>S</gloss>\n";
  for (const auto& [x, y, code] : symbols)
    text += QStringLiteral("      <symbol x=\"%1\" y=\"%2\">%3</symbol>\n").arg(x).arg(y).arg(code).toUtf8();
  return text + "  </sign>\n</swml>\n";
}

class EvaluationSamplesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QUABE_REQUIRE_ARCHIVE();
    ASSERT_TRUE(dir.isValid());
    dictionary = dir.filePath("dict.db");
    QString error;
    ASSERT_TRUE(DictionaryFile::create(dictionary, QString(), false, &error)) << error.toStdString();
    db.setPath(dictionary);
    finder.setDictionaryPath(dictionary);
    flat = store("FLAT", {row("01-05-001-01-01-01", 0, 0), row("02-03-001-01-01-01", 10, 40)});
    index = store("INDEX", {row("01-01-001-01-01-01", 0, 0)});
    QDir(dir.path()).mkpath("flat_FLAT");
    write("flat_FLAT/a.swml", swml({{60, 40, "01-05-001-01-01-01"}, {72, 80, "02-03-001-01-01-01"}}));
    write("flat_FLAT/b.swml", swml({{60, 40, "01-01-001-01-01-01"}}));  // looks like INDEX
    write("flat_FLAT/c.swml", swml({}));                                // no symbols: skipped
    write("flat_FLAT/d.txt", swml({{60, 40, "01-05-001-01-01-01"}}));   // not a sample
  }
  qint64 store(const QString& gloss, const QList<DbISWA>& spelling) {
    DbSign entry;
    entry.signID = -1;
    entry.gloss = gloss;
    EXPECT_TRUE(db.insertSign(entry, spelling, false));
    return entry.signID;
  }
  void write(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  QTemporaryDir dir;
  QString dictionary;
  qint64 flat = 0, index = 0;
  Dictionary db;
  SignFinder finder;
  ScopedTuning tuning;
};

TEST_F(EvaluationSamplesTest, CollectsTheAnswersRank) {
  FinderEvaluation tester;
  tester.finder = &finder;
  const QList<FinderEvaluationResult> results = tester.collectResults(dir.filePath("flat_FLAT"), flat, 20, false);
  ASSERT_EQ(results.size(), 2);
  EXPECT_EQ(results[0].swmlFileName, "a.swml");
  EXPECT_EQ(results[0].order, 1);
  EXPECT_DOUBLE_EQ(results[0].similarity, 1.0);  // the same sign, placed elsewhere in its box
  EXPECT_TRUE(results[0].modificationDate.isValid());
  EXPECT_EQ(results[1].swmlFileName, "b.swml");
  EXPECT_EQ(results[1].order, 2);  // INDEX first; FLAT's hand has other fingers (720) and FLAT moves
  EXPECT_DOUBLE_EQ(results[1].similarity, 0.648 / 0.928);
  EXPECT_EQ(tester.collectResults(dir.filePath("flat_FLAT"), 999, 20, true)[0].order, FinderEvaluationResult::NotFound);
  EXPECT_TRUE(tester.collectResults(dir.filePath("missing"), flat, 20, true).isEmpty());
}

TEST_F(EvaluationSamplesTest, CommandLine) {
  QFile list(dir.filePath("list.txt"));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write(QStringLiteral("flat FLAT %1\n").arg(flat).toUtf8());
  list.close();
  const auto run = [](const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUABE_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return std::make_pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()));
  };
  const auto [rc, report] = run({"evaluate", list.fileName(), "--dict", dictionary, "--quiet"});
  EXPECT_EQ(rc, 0);
  EXPECT_TRUE(report.startsWith(QStringLiteral("[flat FLAT #%1], \n1, 1.000, a.swml (").arg(flat)))
      << report.toStdString();
  EXPECT_TRUE(report.contains(QStringLiteral("[flat FLAT #%1],  2, 1 (50.00%), 2 (100.00%)").arg(flat)));
  EXPECT_TRUE(
      report.contains("---- Micro average ----\nTop1: 50.00%, Top5: 100.00%, Top10: 100.00%, Top20: 100.00%\n"));
  EXPECT_TRUE(QRegularExpression("\\n\\d+\\.\\d{3} \\(sec\\)\\n$").match(report).hasMatch());

  const auto [findRc, found] = run({"find", "AS10000M518x529S10000481x471", "--dict", dictionary});
  EXPECT_EQ(findRc, 0);
  EXPECT_TRUE(found.contains(QStringLiteral("1\t100.0 %\t%1\tINDEX\t").arg(index))) << found.toStdString();

  const auto [simRc, similarity] =
      run({"similarity", dir.filePath("flat_FLAT/a.swml"), "M518x529S14c00481x471S22a00491x510"});
  EXPECT_EQ(simRc, 0);
  EXPECT_EQ(similarity, "Similarity: 100.0 %\n (shape+loc: 0.828, move: 1.000)\n");
  EXPECT_NE(run({"similarity", "nonsense", "M518x529S14c20481x471"}).first, 0);
  EXPECT_NE(run({"evaluate", dir.filePath("absent.txt")}).first, 0);
}

}  // namespace
}  // namespace quabe
