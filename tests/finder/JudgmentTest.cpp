// Judgments of which of two signs is closer to a third, made on ASL signs by
// the kinds of differences people notice (tests/data/finder/judgments.txt:
// query, closer and farther sign as FSW and the reason, tab-separated). The
// finder must rank the closer sign first, with mirror images matched as in
// the finder window.
#include <gtest/gtest.h>

#include <QFile>

#include "BuildPaths.h"
#include "FswSigns.h"
#include "common/TestSupport.h"
#include "finder/SignFinder.h"

namespace quabe::test {
namespace {

TEST(FinderJudgments, TheCloserSignRanksFirst) {
  QUABE_REQUIRE_ARCHIVE();
  QFile file(QStringLiteral(QUABE_TEST_DATA_DIR "/finder/judgments.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  int total = 0;
  QStringList wrong;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList fields = line.split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 4) << line.toStdString();
    const SignPtr target = drawnSign(fields[0]);
    const SFSign closer = storedSign(fields[1], 1);
    const SFSign farther = storedSign(fields[2], 2);
    ASSERT_TRUE(target && !closer.symbols.empty() && !farther.symbols.empty()) << line.toStdString();
    SignFinder finder;
    finder.setFeatureLoader([&] { return std::vector<SFSign>{closer, farther}; });
    const QList<SFResult> found = finder.findSimilarSigns(*target, 2, true);
    ++total;
    const bool right =
        !found.isEmpty() && found[0].signID == 1 && (found.size() == 1 || found[1].similarity < found[0].similarity);
    if (!right) wrong.append(fields[3]);
  }
  ASSERT_GE(total, 60);
  std::printf("finder orders %d of %d judgments as people do (%.1f %%)\n", total - int(wrong.size()), total,
              100.0 * (total - int(wrong.size())) / total);
  EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace quabe::test
