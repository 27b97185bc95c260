#include <gtest/gtest.h>

#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "document/DbSign.h"
#include "document/SwmlSignReader.h"
#include "document/SwmlWriter.h"

namespace quabe {
namespace {

using test::describe;
using test::makeBuffer;
using test::readSwml;
using test::SignSpec;

QString sign(const QString& inner, const QString& lane = QStringLiteral("0")) {
  return QStringLiteral("<sign lane=\"%1\">%2</sign>\n").arg(lane, inner);
}

const QString kBreak = QStringLiteral("<sign lane=\"0\"><gloss>NEWLINE</gloss></sign>\n");

// Reads a file of the given signs (and a line break) into the buffer.
SwmlReadReport readBody(const QString& body, BufferManager& buffer) {
  const QString file = QStringLiteral("<?xml version=\"1.0\"?>\n<swml dialect=\"S\" version=\"1.1\">\n") + body +
                       kBreak + QStringLiteral("</swml>\n");
  Preferences prefs = test::fixedPreferences();
  return readSwml(file.toUtf8(), buffer, prefs);
}

TEST(SwmlReader, LanesPositionsAndTextsFollowTheReadingRules) {
  QUABE_REQUIRE_ARCHIVE();
  const QString body = sign(QStringLiteral("<gloss>A</gloss>"), QStringLiteral("2")) +
                       sign(QStringLiteral("<gloss>B</gloss>"), QStringLiteral("-1")) +
                       sign(QStringLiteral("<gloss>C</gloss>"), QStringLiteral("x")) +
                       // Text in pieces: entities, CDATA and an XML comment inside one gloss.
                       sign(QStringLiteral("<gloss>  first&amp;<![CDATA[<second>]]><!-- note -->third \n</gloss>"
                                           "<symbol x=\"7\" y=\"9\">\n 01-01-001-01-01-01 \n</symbol>"
                                           "<symbol>01-01-001-01-01-01</symbol>"  // no position: 0, 0
                                           "<symbol x=\"12.5\" y=\"-3\">01-01-001-01-01-01</symbol>"
                                           "<comment><![CDATA[a]]>&lt;b&gt;</comment>")) +
                       // Texts made only of white space leave the fields empty.
                       sign(QStringLiteral("<gloss>   </gloss><comment>\n</comment>")) +
                       // The box comes from the symbols alone, wherever they lie.
                       sign(QStringLiteral("<symbol x=\"300\" y=\"-40\">01-01-001-01-01-01</symbol>"));
  BufferManager buffer;
  EXPECT_FALSE(readBody(body, buffer).isDamaged());
  ASSERT_EQ(buffer.lineCount(), 1);
  const auto& signs = buffer.editBuffer[0]->signArray;
  ASSERT_EQ(signs.size(), 7);
  EXPECT_EQ(signs[0]->lane, 0);
  EXPECT_EQ(signs[1]->lane, -1);
  EXPECT_EQ(signs[2]->lane, 0);
  // Every symbol keeps its own position.
  EXPECT_EQ(describe(*signs[3]), QStringLiteral("lane 0 gloss [first&<second>third] tag [] yomi [] "
                                                "01-01-001-01-01-01@7,9 01-01-001-01-01-01@0,0 "
                                                "01-01-001-01-01-01@13,-3 comment [a<b>]"));
  EXPECT_EQ(signs[3]->topMost, -3);
  EXPECT_TRUE(signs[4]->jjs->gloss.isEmpty());
  EXPECT_TRUE(signs[4]->comment.isEmpty());
  EXPECT_EQ(QRectF(signs[5]->leftMost, signs[5]->topMost, signs[5]->width, signs[5]->height), QRectF(300, -40, 15, 30));
}

TEST(SwmlReader, SymbolsWithoutImagesAreSkippedAndTheRestOfTheSignKept) {
  QUABE_REQUIRE_ARCHIVE();
  const QString body =
      sign(QStringLiteral("<gloss>KEEP</gloss>"
                          "<symbol x=\"1\" y=\"2\">01-01-001-01-01-01</symbol>"
                          "<symbol x=\"3\" y=\"4\">09-99-999-99-99-99</symbol>"
                          "<symbol x=\"5\" y=\"6\">not a code</symbol>"
                          "<symbol x=\"7\" y=\"8\"></symbol>"
                          "<symbol x=\"9\" y=\"10\">01-01-001-01-01</symbol>"
                          "<symbol x=\"11\" y=\"12\">04-01-001-01-01-01</symbol>"
                          "<comment>still here</comment>"));
  BufferManager buffer;
  const SwmlReadReport report = readBody(body, buffer);
  EXPECT_TRUE(report.isDamaged());
  EXPECT_EQ(report.skippedSymbols.size(), 4);
  ASSERT_EQ(buffer.editBuffer[0]->count(), 2);
  EXPECT_EQ(describe(*buffer.editBuffer[0]->signArray[0]),
            QStringLiteral("lane 0 gloss [KEEP] tag [] yomi [] 01-01-001-01-01-01@1,2 04-01-001-01-01-01@11,12 "
                           "comment [still here]"));
}

TEST(SwmlReader, ReadingReplacesTheBuffer) {
  QUABE_REQUIRE_ARCHIVE();
  BufferManager buffer = makeBuffer({{SignSpec{QStringLiteral("OLD"), {}, 0, {{"01-01-001-01-01-01", 0, 0}}}}});
  readBody(sign(QStringLiteral("<gloss>NEW</gloss>")), buffer);
  EXPECT_EQ(describe(buffer), QStringLiteral("line 0\n  lane 0 gloss [NEW] tag [] yomi [] (empty)\n"
                                             "  lane 0 gloss [] tag [] yomi [] (empty)\n"));
}

TEST(SwmlGloss, WrittenGlossSplitsOnlyATrailingCircledDigit) {
  // (A trailing circled digit and an underscore are in the random round trip.)
  for (const QString written : {"①x", "②", "行く②[1](胸→前)"}) {
    DbSign entry;
    entry.tag = QStringLiteral("old");
    SwmlSignReader::setWrittenGloss(entry, written);
    EXPECT_EQ(entry.gloss, written);
    EXPECT_EQ(entry.tag, QString());
  }
}

}  // namespace
}  // namespace quabe
