#include <gtest/gtest.h>

#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "document/SwmlWriter.h"

namespace quabe {
namespace {

using test::describe;
using test::readSwml;

class SwmlRobustness : public ::testing::Test {
 protected:
  // Reads a file of the test data into buffer and prefs.
  SwmlReadReport read(const char* name) {
    prefs = test::fixedPreferences();
    buffer = BufferManager();
    return readSwml(test::readTestData(QString::fromLatin1(name)), buffer, prefs);
  }
  BufferManager buffer;
  Preferences prefs;
};

// The signs of a buffer without the line-break signs, with their line.
QStringList contentSigns(const BufferManager& buffer) {
  QStringList out;
  for (qsizetype l = 0; l < buffer.editBuffer.size(); ++l) {
    const auto& signs = buffer.editBuffer[l]->signArray;
    for (qsizetype i = 0; i + 1 < signs.size(); ++i) out << QStringLiteral("%1: ").arg(l) + describe(*signs[i]);
  }
  return out;
}

// What every reading must leave behind, whatever the bytes.
void expectUsableBuffer(const BufferManager& buffer, const std::string& what) {
  ASSERT_GE(buffer.lineCount(), 1) << what;
  for (const SignStringPtr& line : buffer.editBuffer) {
    ASSERT_TRUE(line) << what;
    for (const SignPtr& sign : line->signArray) ASSERT_TRUE(sign && sign->jjs) << what;
  }
  EXPECT_TRUE(test::everyLineTerminated(buffer)) << what;
}

TEST_F(SwmlRobustness, TruncatedFilesKeepEverySignReadBeforeTheCut) {
  QUABE_REQUIRE_ARCHIVE();
  const QByteArray whole = test::readTestData(QStringLiteral("document.swml"));
  ASSERT_FALSE(read("document.swml").isDamaged());
  const QStringList fullSigns = contentSigns(buffer);
  const qsizetype end = whole.indexOf("</swml>");

  for (qsizetype cut = 0; cut < whole.size(); cut += (cut < 300 ? 1 : 3)) {
    const std::string what = "cut at " + std::to_string(cut);
    BufferManager cutBuffer;
    Preferences cutPrefs = test::fixedPreferences();
    const SwmlReadReport report = readSwml(whole.left(cut), cutBuffer, cutPrefs);
    expectUsableBuffer(cutBuffer, what);
    if (cut <= end) {
      EXPECT_TRUE(report.isDamaged()) << what;
    }
    // The signs read are the file's signs in order; only the last one may
    // be incomplete (the sign the file broke off in).
    const QStringList signs = contentSigns(cutBuffer);
    ASSERT_LE(signs.size(), fullSigns.size()) << what;
    for (qsizetype i = 0; i + 1 < signs.size(); ++i) EXPECT_EQ(signs[i], fullSigns[i]) << what;
    if (!signs.isEmpty()) {
      QString last = signs.last();
      const QString& original = fullSigns[signs.size() - 1];
      if (last != original && last.endsWith(QLatin1String(" (empty)"))) last.chop(8);
      EXPECT_TRUE(original.startsWith(last)) << what << ": " << last.toStdString();
    }
  }
}

TEST_F(SwmlRobustness, CommittedCorpusGivesTheDocumentedPartialResults) {
  QUABE_REQUIRE_ARCHIVE();
  {
    const SwmlReadReport report = read("broken/truncated.swml");
    EXPECT_FALSE(report.wellFormed);
    EXPECT_GT(report.errorLine, 0);
    EXPECT_EQ(prefs.defaultSignBoxWidth, 140);
    // The sign the file broke off in keeps its gloss, reading and its one
    // complete symbol; the half-written symbol is gone.
    EXPECT_EQ(describe(buffer).toStdString(),
              "line 0\n"
              "  lane 0 gloss [ONE] tag [] yomi [] 01-01-001-01-01-01@10,20\n"
              "  lane 0 gloss [] tag [] yomi [] (empty)\n"
              "line 1\n"
              "  lane 1 gloss [TWO] tag [] yomi [に] 04-01-001-01-01-01@30,40\n"
              "  lane 0 gloss [] tag [] yomi [] (empty)\n");
  }
  {
    const SwmlReadReport report = read("broken/nesting.swml");
    EXPECT_FALSE(report.wellFormed);
    EXPECT_EQ(report.errorLine, 10);
    // The second sign's gloss never ended, but its symbol was read.
    EXPECT_EQ(describe(buffer).toStdString(),
              "line 0\n"
              "  lane 0 gloss [FIRST] tag [] yomi [] 01-01-001-01-01-01@1,2\n"
              "  lane 0 gloss [] tag [] yomi [] 01-01-001-01-01-01@3,4\n"
              "  lane 0 gloss [] tag [] yomi [] (empty)\n");
  }
  {
    const SwmlReadReport report = read("broken/numbers.swml");
    EXPECT_EQ(prefs.defaultSignBoxWidth, 150);   // not an int: left as it was
    EXPECT_EQ(prefs.defaultSignBoxHeight, 150);  // out of range: the default
    EXPECT_EQ(prefs.lineSpace, 20);
    EXPECT_EQ(prefs.minSignSpace, 10);
    ASSERT_EQ(buffer.lineCount(), 1);
    const Sign& big = *buffer.editBuffer[0]->signArray[0];
    EXPECT_EQ(big.lane, 0);
    ASSERT_EQ(big.symbols.size(), 2);
    // Coordinates beyond the limit (and one that is no number) are clamped
    // and reported as damage.
    EXPECT_EQ(report.clampedCoordinates.size(), 4) << report.damageDescription().toStdString();
    EXPECT_TRUE(report.isDamaged());
    EXPECT_EQ(big.symbols[0]->rect.topLeft(), QPointF(2000, 2000));
    EXPECT_EQ(big.symbols[1]->rect.topLeft(), QPointF(-2000, 0));
    EXPECT_EQ(big.width, 4015);
  }
  for (const char* name : {"broken/garbage.bin", "broken/foreign-root.xml"}) {
    const SwmlReadReport report = read(name);
    EXPECT_TRUE(report.isDamaged()) << name;
    EXPECT_FALSE(report.sawSwmlElement) << name;
    EXPECT_EQ(buffer.lineCount(), 1) << name;
    EXPECT_EQ(buffer.editBuffer[0]->count(), 1) << name;
  }
  EXPECT_FALSE(read("broken/garbage-after-sign.swml").wellFormed);
  ASSERT_EQ(buffer.editBuffer[0]->count(), 2);
  EXPECT_EQ(buffer.editBuffer[0]->signArray[0]->jjs->gloss, QStringLiteral("OK"));
}

}  // namespace
}  // namespace quabe
