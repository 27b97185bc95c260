#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "common/TestSupport.h"
#include "finder/FinderEvaluation.h"

namespace quabe {
namespace {

FinderEvaluationResult sample(const QString& name, int order, double similarity) {
  FinderEvaluationResult r;
  r.swmlFileName = name;
  r.order = order;
  r.similarity = similarity;
  r.modificationDate = QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9));
  return r;
}

// A sample whose answer was not found, or a rank of 0, counts in no top group.
TEST(EvaluationReport, UnfoundSamplesCountNowhere) {
  FinderEvaluation::ResultStat missing;
  missing.add(FinderEvaluationResult::NotFound);
  missing.add(0);
  EXPECT_EQ(missing.count, 2);
  EXPECT_EQ(missing.top1Count + missing.top5Count + missing.top10Count + missing.top20Count, 0);
}

class EvaluationListRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("a");
    QDir(dir.path()).mkpath("b_y");
    tester.collector = [this](const QString& d, qint64 answer, int limit, bool integrate) {
      calls.append(QStringLiteral("%1 %2 %3 %4").arg(QFileInfo(d).fileName()).arg(answer).arg(limit).arg(integrate));
      if (!QFileInfo(d).isDir()) return QList<FinderEvaluationResult>{};
      if (d.endsWith("/a"))
        return QList<FinderEvaluationResult>{sample("1.swml", 1, 0.9), sample("2.swml", 2, 0.8),
                                             sample("3.swml", 30, 0.4)};
      return QList<FinderEvaluationResult>{sample("4.swml", 7, 0.7)};
    };
  }
  QString writeList(const QByteArray& text) {
    const QString path = dir.path() + "/list.txt";
    EXPECT_TRUE(test::writeFile(path, text));
    return path;
  }
  QTemporaryDir dir;
  FinderEvaluation tester;
  QStringList calls;
};

TEST_F(EvaluationListRun, ReportOfAListFile) {
  const QString list = writeList("a x 1\n  b   y  2 \nc z\nd w 12a\ne v 5\n");
  QList<int> progress;
  const QString report = tester.runSampleList(list, 20, true, [&](int done, int total, const QString& label) {
    EXPECT_EQ(total, 6);  // five lines and the empty one after the last line feed
    EXPECT_EQ(label, QStringLiteral("%1/6").arg(done));
    progress.append(done);
  });
  EXPECT_EQ(calls, QStringList({"a 1 20 1", "b_y 2 20 1", "e_v 5 20 1"}));
  EXPECT_EQ(progress, QList<int>({1, 2, 3, 4, 5, 6}));
  const QString expected =
      "[a x #1], \n"
      "1, 0.900, 1.swml (2024-03-05 07:08:09)\n"
      "2, 0.800, 2.swml (2024-03-05 07:08:09)\n"
      "30, 0.400, 3.swml (2024-03-05 07:08:09)\n"
      "\n"
      "[b y #2], \n"
      "7, 0.700, 4.swml (2024-03-05 07:08:09)\n"
      "\n"
      "[e v #5], \n"
      "\n"
      "------------------\n"
      "sign, count, top1, top5, top10, top20\n"
      "[a x #1],  3, 1 (33.33%), 2 (66.67%), 2 (66.67%), 2 (66.67%)\n"
      "[b y #2],  1, 0 (0.00%), 0 (0.00%), 1 (100.00%), 1 (100.00%)\n"
      "[e v #5],  0, 0 (n/a), 0 (n/a), 0 (n/a), 0 (n/a)\n"
      "---- Rate (macro) average----\n"
      "Top1: 16.67%, Top5: 33.33%, Top10: 83.33%, Top20: 83.33%\n"
      "---- Micro average ----\n"
      "Top1: 25.00%, Top5: 50.00%, Top10: 75.00%, Top20: 75.00%\n";
  EXPECT_EQ(report, expected);
}

TEST_F(EvaluationListRun, MissingListOrNoGroups) {
  EXPECT_EQ(tester.runSampleList(dir.path() + "/absent.txt", 20, true), "");
  const QString report = tester.runSampleList(writeList("only two\n"), 20, false);
  EXPECT_TRUE(calls.isEmpty());
  EXPECT_TRUE(
      report.endsWith("---- Rate (macro) average----\nTop1: n/a, Top5: n/a, Top10: n/a, Top20: n/a\n"
                      "---- Micro average ----\nTop1: n/a, Top5: n/a, Top10: n/a, Top20: n/a\n"));
}

TEST_F(EvaluationListRun, BackgroundRunsReportTheirTime) {
  const QString list = writeList("a x 1\n");
  tester.useSampleListFile = true;
  QFuture<QString> first = tester.start({list, 0, 5, false});
  tester.useSampleListFile = true;
  QFuture<QString> second = tester.start({list, 0, 6, true});
  const QString report1 = first.result();
  const QString report2 = second.result();
  EXPECT_TRUE(report1.startsWith("[a x #1], \n"));
  EXPECT_TRUE(QRegularExpression("\\n\\d+\\.\\d{3} \\(sec\\)\\n$").match(report1).hasMatch()) << report1.toStdString();
  EXPECT_EQ(calls, QStringList({"a 1 5 0", "a 1 6 1"}));  // serial, in the order started
  EXPECT_FALSE(report2.isEmpty());

  tester.useSampleListFile = false;
  const QString single = tester.start({dir.path() + "/a", 3, 20, true}).result();
  EXPECT_TRUE(single.startsWith("1, 0.900, 1.swml"));
}

}  // namespace
}  // namespace quabe
