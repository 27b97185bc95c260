#include <gtest/gtest.h>

#include <QBuffer>

#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "core/Diagnostics.h"
#include "document/DbSign.h"
#include "document/EditorState.h"
#include "document/SwmlParser.h"
#include "document/SwmlWriter.h"

namespace quabe {
namespace {

using test::describe;
using test::makeBuffer;
using test::readSwml;
using test::SignSpec;

QByteArray swml(const QString& rootAttributes, const QString& body) {
  return (QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<swml dialect=\"S\" version=\"1.1\" ") +
          rootAttributes + QStringLiteral(">\n") + body + QStringLiteral("</swml>\n"))
      .toUtf8();
}

QString sign(const QString& inner, const QString& lane = QStringLiteral("0")) {
  return QStringLiteral("<sign lane=\"%1\">%2</sign>\n").arg(lane, inner);
}

const QString kBreak = QStringLiteral("<sign lane=\"0\"><gloss>NEWLINE</gloss></sign>\n");

class SwmlReader : public ::testing::Test {
 protected:
  void SetUp() override { setDiagnosticsEnabled(false); }
  void TearDown() override { setDiagnosticsEnabled(true); }
};

TEST_F(SwmlReader, RoundTripReproducesEverythingTheFormatKeeps) {
  QUABE_REQUIRE_ARCHIVE();
  const BufferManager original = makeBuffer({
      {
          SignSpec{QStringLiteral("<&>\"'"),
                   QStringLiteral("<&>\"'"),
                   1,
                   {{"01-05-001-01-01-01", 62.4, 40.6}},
                   QStringLiteral("<&>\"' and\nsecond line\r\nthird\tline")},
          SignSpec{QStringLiteral("手話で話す"),
                   QStringLiteral("しゅわではなす"),
                   -1,
                   {{"04-01-001-01-01-01", 30, 10}, {"01-01-001-01-01-01", 12.5, 0}, {"02-01-001-01-01-01", 0, 99}},
                   QStringLiteral("日本語のコメント")},
          SignSpec{{}, {}, 0, {{"01-01-001-01-01-01", 5, 5}}, {}},             // empty gloss, no reading
          SignSpec{QStringLiteral("雨②"), QStringLiteral("あめ"), 0, {}, {}},  // blank sign with a tag
          SignSpec{QStringLiteral("a_b"), {}, 0, {{"01-01-001-01-01-01", 1, 2}}, {}},
      },
      {},
      {SignSpec{QStringLiteral("①②"), {}, 0, {{"01-01-001-01-01-01", 0, 0}}, {}}},
  });
  const Preferences prefs = test::fixedPreferences(true);
  const QByteArray written = SwmlWriter::write(original, prefs);

  BufferManager read;
  Preferences readPrefs = test::fixedPreferences(false);
  const SwmlReadReport report = readSwml(written, read, readPrefs);
  EXPECT_FALSE(report.isDamaged()) << report.damageDescription().toStdString();
  EXPECT_TRUE(report.skippedSymbols.isEmpty());
  EXPECT_EQ(describe(read).toStdString(), describe(original).toStdString());
  EXPECT_EQ(readPrefs, prefs);
  // Writing what was read gives the same bytes again.
  EXPECT_EQ(SwmlWriter::write(read, readPrefs), written);
}

TEST_F(SwmlReader, LineBreakSignEndsTheLineWithoutAnExtraLine) {
  QUABE_REQUIRE_ARCHIVE();
  const BufferManager original = makeBuffer({{SignSpec{QStringLiteral("A")}, SignSpec{QStringLiteral("B")}}});
  const QByteArray written = SwmlWriter::write(original, test::fixedPreferences());
  EXPECT_EQ(written.count("<gloss>NEWLINE</gloss>"), 1);
  BufferManager read;
  Preferences prefs = test::fixedPreferences();
  readSwml(written, read, prefs);
  ASSERT_EQ(read.lineCount(), 1);
  ASSERT_EQ(read.editBuffer[0]->count(), 3);
  const Sign& lineBreak = *read.editBuffer[0]->signArray[2];
  EXPECT_TRUE(lineBreak.isEmpty());
  EXPECT_TRUE(lineBreak.jjs->gloss.isEmpty());
  EXPECT_EQ(QRectF(lineBreak.leftMost, lineBreak.topMost, lineBreak.width, lineBreak.height), QRectF(0, 0, 150, 150));

  // A file whose last line lacks its line-break sign, and one without any
  // sign, still give terminated lines.
  readSwml(swml({}, sign(QStringLiteral("<gloss>A</gloss>")) + kBreak + sign(QStringLiteral("<gloss>B</gloss>"))), read,
           prefs);
  EXPECT_EQ(read.lineCount(), 2);
  EXPECT_TRUE(test::everyLineTerminated(read));
  EXPECT_EQ(read.editBuffer[1]->count(), 2);
  readSwml(swml({}, {}), read, prefs);
  EXPECT_EQ(read.lineCount(), 1);
  EXPECT_EQ(read.editBuffer[0]->count(), 1);
  EXPECT_TRUE(test::everyLineTerminated(read));
}

TEST_F(SwmlReader, RootAttributesSetPreferencesWithinTheirRanges) {
  struct Case {
    QString attributes;
    double width, height, lineSpace, signSpace;
    bool vertical;
  };
  // Start values that no rule produces, so "left as it was" is visible.
  const Case cases[] = {
      {QStringLiteral("signboxWidth=\"0\" signboxHeight=\"300\""), 150, 150, 7, 3, true},
      {QStringLiteral("signboxWidth=\"256\" signboxHeight=\"1\""), 256, 1, 7, 3, true},
      {QStringLiteral("lineSpace=\"100\" signSpace=\"0\""), 77, 88, 100, 0, true},
      {QStringLiteral("lineSpace=\"101\" signSpace=\"-1\""), 77, 88, 20, 10, true},
      {QStringLiteral("signboxWidth=\"12.5\" lineSpace=\"x\" signSpace=\"99999999999999\""), 77, 88, 7, 3, true},
      {QStringLiteral("writingDirection=\"Vertical\""), 77, 88, 7, 3, false},
      {QStringLiteral("writingDirection=\"vertical\" signboxHeight=\" 120 \""), 77, 120, 7, 3, true},
  };
  for (const Case& c : cases) {
    BufferManager buffer;
    Preferences prefs = test::fixedPreferences(true);
    prefs.defaultSignBoxWidth = 77;
    prefs.defaultSignBoxHeight = 88;
    prefs.lineSpace = 7;
    prefs.minSignSpace = 3;
    readSwml(swml(c.attributes, {}), buffer, prefs);
    const std::string what = c.attributes.toStdString();
    EXPECT_EQ(prefs.defaultSignBoxWidth, c.width) << what;
    EXPECT_EQ(prefs.defaultSignBoxHeight, c.height) << what;
    EXPECT_EQ(prefs.lineSpace, c.lineSpace) << what;
    EXPECT_EQ(prefs.minSignSpace, c.signSpace) << what;
    EXPECT_EQ(prefs.verticalWriting, c.vertical) << what;
  }
}

TEST_F(SwmlReader, LanesPositionsAndTextsFollowTheReadingRules) {
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
                       sign(QStringLiteral("<gloss>   </gloss><comment>\n</comment>")) + kBreak;
  BufferManager buffer;
  Preferences prefs = test::fixedPreferences();
  const SwmlReadReport report = readSwml(swml({}, body), buffer, prefs);
  EXPECT_FALSE(report.isDamaged());
  ASSERT_EQ(buffer.lineCount(), 1);
  const auto& signs = buffer.editBuffer[0]->signArray;
  ASSERT_EQ(signs.size(), 6);
  EXPECT_EQ(signs[0]->lane, 0);
  EXPECT_EQ(signs[1]->lane, -1);
  EXPECT_EQ(signs[2]->lane, 0);
  EXPECT_EQ(signs[3]->jjs->gloss, QStringLiteral("first&<second>third"));
  EXPECT_EQ(signs[3]->comment, QStringLiteral("a<b>"));
  // y -3 is shifted to 0 by the sign box, which moves every symbol by 3.
  EXPECT_EQ(describe(*signs[3]), QStringLiteral("lane 0 gloss [first&<second>third] tag [] yomi [] "
                                                "01-01-001-01-01-01@7,12 01-01-001-01-01-01@0,3 "
                                                "01-01-001-01-01-01@0,0 comment [a<b>]"));
  EXPECT_EQ(signs[3]->topMost, 0);
  EXPECT_TRUE(signs[4]->jjs->gloss.isEmpty());
  EXPECT_TRUE(signs[4]->comment.isEmpty());
}

TEST_F(SwmlReader, SymbolsWithoutImagesAreSkippedAndTheRestOfTheSignKept) {
  QUABE_REQUIRE_ARCHIVE();
  const QString body = sign(QStringLiteral("<gloss>KEEP</gloss>"
                                           "<symbol x=\"1\" y=\"2\">01-01-001-01-01-01</symbol>"
                                           "<symbol x=\"3\" y=\"4\">09-99-999-99-99-99</symbol>"
                                           "<symbol x=\"5\" y=\"6\">not a code</symbol>"
                                           "<symbol x=\"7\" y=\"8\"></symbol>"
                                           "<symbol x=\"9\" y=\"10\">01-01-001-01-01</symbol>"
                                           "<symbol x=\"11\" y=\"12\">04-01-001-01-01-01</symbol>"
                                           "<comment>still here</comment>")) +
                       kBreak;
  BufferManager buffer;
  Preferences prefs = test::fixedPreferences();
  const SwmlReadReport report = readSwml(swml({}, body), buffer, prefs);
  EXPECT_FALSE(report.isDamaged());
  EXPECT_EQ(report.skippedSymbols.size(), 4);
  ASSERT_EQ(buffer.editBuffer[0]->count(), 2);
  EXPECT_EQ(describe(*buffer.editBuffer[0]->signArray[0]),
            QStringLiteral("lane 0 gloss [KEEP] tag [] yomi [] 01-01-001-01-01-01@1,2 04-01-001-01-01-01@11,12 "
                           "comment [still here]"));
}

TEST_F(SwmlReader, UnknownElementsAndStrayTextChangeNothing) {
  QUABE_REQUIRE_ARCHIVE();
  const QString body = QStringLiteral("stray<meta>text</meta><symbol>01-01-001-01-01-01</symbol>") +
                       sign(QStringLiteral("<gloss>A</gloss>after gloss<note>not a gloss</note>"
                                           "<symbol x=\"1\" y=\"1\">01-01-001-01-01-01<b>x</b></symbol>"
                                           "<gloss2>B</gloss2>")) +
                       kBreak + QStringLiteral("<comment>outside</comment>");
  BufferManager buffer;
  Preferences prefs = test::fixedPreferences();
  const SwmlReadReport report = readSwml(swml({}, body), buffer, prefs);
  EXPECT_FALSE(report.isDamaged());
  ASSERT_EQ(buffer.lineCount(), 1);
  ASSERT_EQ(buffer.editBuffer[0]->count(), 2);
  const Sign& a = *buffer.editBuffer[0]->signArray[0];
  EXPECT_EQ(a.jjs->gloss, QStringLiteral("A"));
  // The text of <b> is joined to the code, which is then no code; the symbol
  // before the first sign belongs to no sign and is dropped.
  EXPECT_TRUE(a.symbols.isEmpty());
  EXPECT_EQ(report.skippedSymbols.size(), 1);
}

TEST_F(SwmlReader, AGlossedLineBreakWithSymbolsStaysAnOrdinarySign) {
  QUABE_REQUIRE_ARCHIVE();
  const QString body =
      sign(QStringLiteral("<gloss>NEWLINE</gloss><symbol x=\"4\" y=\"4\">01-01-001-01-01-01</symbol>")) + kBreak;
  BufferManager buffer;
  Preferences prefs = test::fixedPreferences();
  readSwml(swml({}, body), buffer, prefs);
  ASSERT_EQ(buffer.lineCount(), 1);
  ASSERT_EQ(buffer.editBuffer[0]->count(), 2);
  EXPECT_EQ(buffer.editBuffer[0]->signArray[0]->jjs->gloss, QStringLiteral("NEWLINE"));
  EXPECT_EQ(buffer.editBuffer[0]->signArray[0]->symbols.size(), 1);
}

TEST_F(SwmlReader, ReadingClearsTheSymbolSelectionAndReplacesTheBuffer) {
  QUABE_REQUIRE_ARCHIVE();
  BufferManager buffer = makeBuffer({{SignSpec{QStringLiteral("OLD"), {}, 0, {{"01-01-001-01-01-01", 0, 0}}}}});
  EditorState::shared().addToSelection(buffer.editBuffer[0]->signArray[0]->symbols[0]);
  Preferences prefs = test::fixedPreferences();
  readSwml(swml({}, sign(QStringLiteral("<gloss>NEW</gloss>")) + kBreak), buffer, prefs);
  EXPECT_TRUE(EditorState::shared().selectedSymbols.isEmpty());
  EXPECT_EQ(describe(buffer), QStringLiteral("line 0\n  lane 0 gloss [NEW] tag [] yomi [] (empty)\n"
                                             "  lane 0 gloss [] tag [] yomi [] (empty)\n"));
}

TEST_F(SwmlReader, ParserReadsOnlyTheFirstSign) {
  QUABE_REQUIRE_ARCHIVE();
  const QString first =
      sign(QStringLiteral("<gloss>FIRST</gloss><symbol x=\"3\" y=\"4\">01-01-001-01-01-01</symbol>"
                          "<comment>c</comment>"));
  const QString second =
      sign(QStringLiteral("<gloss>SECOND</gloss><symbol x=\"1\" y=\"1\">04-01-001-01-01-01</symbol>"));
  // The file is damaged after the first sign; the parser has stopped by then.
  QByteArray bytes = swml(QStringLiteral("signboxWidth=\"120\" signboxHeight=\"999\""), first + second);
  bytes.insert(bytes.indexOf("<sign lane=\"0\"><gloss>SECOND"), "<broken");
  QBuffer device(&bytes);
  device.open(QIODevice::ReadOnly);
  SwmlParser parser;
  const SwmlReadReport report = parser.parse(device);
  EXPECT_TRUE(report.wellFormed);
  ASSERT_TRUE(parser.firstSignDidRead);
  EXPECT_EQ(describe(*parser.firstSign),
            QStringLiteral("lane 0 gloss [FIRST] tag [] yomi [] 01-01-001-01-01-01@3,4 comment [c]"));
  EXPECT_EQ(parser.signBoxWidth, 120);
  EXPECT_EQ(parser.signBoxHeight, 150);

  QByteArray none = swml({}, {});
  QBuffer noneDevice(&none);
  noneDevice.open(QIODevice::ReadOnly);
  SwmlParser empty;
  empty.parse(noneDevice);
  EXPECT_FALSE(empty.firstSignDidRead);
  ASSERT_TRUE(empty.firstSign);
  EXPECT_TRUE(empty.firstSign->isEmpty());
}

TEST(SwmlGloss, WrittenGlossSplitsOnlyATrailingCircledDigit) {
  struct Case {
    const char* written;
    const char* gloss;
    const char* tag;
  };
  const Case cases[] = {{"雨②", "雨", "②"},
                        {"a_b", "a_b", ""},
                        {"①x", "①x", ""},
                        {"②", "②", ""},
                        {"行く②[1](胸→前)", "行く②[1](胸→前)", ""}};
  for (const Case& c : cases) {
    DbSign entry;
    entry.tag = QStringLiteral("old");
    SwmlSignReader::setWrittenGloss(entry, QString::fromUtf8(c.written));
    EXPECT_EQ(entry.gloss, QString::fromUtf8(c.gloss)) << c.written;
    EXPECT_EQ(entry.tag, QString::fromUtf8(c.tag)) << c.written;
    EXPECT_EQ(entry.text(TagStyle::defaultStyle), QString::fromUtf8(c.written));
  }
}

}  // namespace
}  // namespace quabe
