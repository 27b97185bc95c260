#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>

#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "core/Diagnostics.h"
#include "document/SwmlParser.h"
#include "document/SwmlWriter.h"

namespace quabe {
namespace {

using test::describe;
using test::readSwml;

class SwmlRobustness : public ::testing::Test {
 protected:
  void SetUp() override { setDiagnosticsEnabled(false); }
  void TearDown() override { setDiagnosticsEnabled(true); }
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
  BufferManager full;
  Preferences prefs = test::fixedPreferences();
  ASSERT_FALSE(readSwml(whole, full, prefs).isDamaged());
  const QStringList fullSigns = contentSigns(full);
  const qsizetype end = whole.indexOf("</swml>");

  for (qsizetype cut = 0; cut < whole.size(); cut += (cut < 300 ? 1 : 3)) {
    const std::string what = "cut at " + std::to_string(cut);
    BufferManager buffer;
    Preferences p = test::fixedPreferences();
    const SwmlReadReport report = readSwml(whole.left(cut), buffer, p);
    expectUsableBuffer(buffer, what);
    if (cut <= end) {
      EXPECT_TRUE(report.isDamaged()) << what;
    }
    // The signs read are the file's signs in order; only the last one may
    // be incomplete (the sign the file broke off in).
    const QStringList signs = contentSigns(buffer);
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
    BufferManager buffer;
    Preferences prefs = test::fixedPreferences();
    const SwmlReadReport report = readSwml(test::readTestData(QStringLiteral("broken/truncated.swml")), buffer, prefs);
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
    BufferManager buffer;
    Preferences prefs = test::fixedPreferences();
    const SwmlReadReport report = readSwml(test::readTestData(QStringLiteral("broken/nesting.swml")), buffer, prefs);
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
    BufferManager buffer;
    Preferences prefs = test::fixedPreferences();
    const SwmlReadReport report = readSwml(test::readTestData(QStringLiteral("broken/numbers.swml")), buffer, prefs);
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
    BufferManager buffer;
    Preferences prefs = test::fixedPreferences();
    const SwmlReadReport report = readSwml(test::readTestData(QString::fromLatin1(name)), buffer, prefs);
    EXPECT_TRUE(report.isDamaged()) << name;
    EXPECT_FALSE(report.sawSwmlElement) << name;
    EXPECT_EQ(buffer.lineCount(), 1) << name;
    EXPECT_EQ(buffer.editBuffer[0]->count(), 1) << name;
  }
  {
    BufferManager buffer;
    Preferences prefs = test::fixedPreferences();
    const SwmlReadReport report =
        readSwml(test::readTestData(QStringLiteral("broken/garbage-after-sign.swml")), buffer, prefs);
    EXPECT_FALSE(report.wellFormed);
    ASSERT_EQ(buffer.editBuffer[0]->count(), 2);
    EXPECT_EQ(buffer.editBuffer[0]->signArray[0]->jjs->gloss, QStringLiteral("OK"));
  }
}

TEST_F(SwmlRobustness, RandomDamageNeverBreaksTheReaders) {
  QUABE_REQUIRE_ARCHIVE();
  const QByteArray whole = test::readTestData(QStringLiteral("document.swml"));
  QRandomGenerator random(20240607);
  std::vector<QByteArray> inputs = {
      QByteArray(),
      QByteArray(1, '\0'),
      QByteArray("<"),
      QByteArray("<swml>"),
      QByteArray("\xEF\xBB\xBF<swml><sign><gloss>A</gloss></sign></swml>"),
      QByteArray("<swml><sign><sign><gloss>X</gloss></sign></sign></swml>"),
      QByteArray("<swml/><swml><sign/></swml>"),
      QByteArray("<?xml version=\"1.0\" encoding=\"latin1\"?><swml><sign><gloss>\xE9</gloss>"
                 "</sign></swml>"),
      QByteArray("<!DOCTYPE swml [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;"
                 "&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
                 "<swml><sign><gloss>&c;&c;&c;</gloss></sign></swml>")};
  for (int i = 0; i < 150; ++i) {
    QByteArray damaged = whole;
    const int flips = 1 + random.bounded(8);
    for (int f = 0; f < flips; ++f) damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
    inputs.push_back(damaged);
    QByteArray noise(random.bounded(1, 400), '\0');
    for (char& c : noise) c = char(random.bounded(256));
    inputs.push_back(noise);
  }
  for (size_t i = 0; i < inputs.size(); ++i) {
    const std::string what = "input " + std::to_string(i);
    BufferManager buffer;
    Preferences prefs = test::fixedPreferences();
    const SwmlReadReport report = readSwml(inputs[i], buffer, prefs);
    expectUsableBuffer(buffer, what);
    if (!report.wellFormed) {
      EXPECT_FALSE(report.errorText.isEmpty()) << what;
    }
    // What was read can always be written and read back cleanly, and
    // writing it again changes nothing (characters XML cannot hold, which
    // the reader lets through in some places, are left out by the writer).
    const QByteArray written = SwmlWriter::write(buffer, prefs);
    BufferManager again;
    Preferences p2 = prefs;
    const SwmlReadReport second = readSwml(written, again, p2);
    EXPECT_FALSE(second.isDamaged()) << what;
    EXPECT_EQ(SwmlWriter::write(again, p2).toStdString(), written.toStdString()) << what;
    EXPECT_EQ(again.lineCount(), buffer.lineCount()) << what;

    QByteArray copy = inputs[i];
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    SwmlParser parser;
    parser.parse(device);
    ASSERT_TRUE(parser.firstSign) << what;
  }
}

}  // namespace
}  // namespace quabe
