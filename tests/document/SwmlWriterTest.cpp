#include <gtest/gtest.h>

#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "document/Compound.h"
#include "document/SwmlWriter.h"

namespace quabe {
namespace {

using test::describe;
using test::makeBuffer;
using test::SignSpec;

// The document of the golden file document.swml: three lines, the middle
// one empty, with texts that need escaping, a reading, a tag, a blank sign
// inside a line and positions that need rounding.
BufferManager goldenDocument() {
  return makeBuffer({
      {
          SignSpec{"HELLO", {}, 0, {{"01-05-001-01-01-01", 62, 40}, {"02-01-001-01-01-01", 12.5, 80.49}}, "greeting"},
          SignSpec{{}, {}, 1, {{"04-01-001-01-01-01", 0, 0}}, {}},
          SignSpec{"a<b & \"c\" 'd'>",
                   "よ&\"み\"",
                   0,
                   {{"01-01-001-01-01-01", 100.5, 99.5}},
                   "line one\nline <two> & 'three'"},
      },
      {},
      {
          SignSpec{"雨②", "あめ", -1, {{"01-01-001-01-01-01", -0.4, 7.5}}, {}},
          SignSpec{},
      },
  });
}

TEST(SwmlWriter, WritesTheDocumentByteForByte) {
  QUABE_REQUIRE_ARCHIVE();
  const QByteArray written = SwmlWriter::write(goldenDocument(), test::fixedPreferences(false));
  EXPECT_EQ(written.toStdString(), test::readTestData(QStringLiteral("document.swml")).toStdString());
}

TEST(SwmlWriter, EmptySignIsALineBreakOnlyAtTheEndOfItsLineAndWithoutAGloss) {
  auto emptyCompound = std::make_shared<Compound>();  // no constituents: empty
  auto blank = std::make_shared<Sign>();
  const QString lineBreak = QStringLiteral("  <sign lane=\"0\">\n    <gloss>NEWLINE</gloss>\n  </sign>\n");
  EXPECT_EQ(SwmlWriter::signElement(*blank, false), QStringLiteral("  <sign lane=\"0\">\n    <gloss />\n  </sign>\n"));
  EXPECT_EQ(SwmlWriter::signElement(*blank, true), lineBreak);
  EXPECT_EQ(SwmlWriter::signElement(*emptyCompound, true), lineBreak);
  // The reading is written even on the line-break sign.
  blank->jjs->yomi = QStringLiteral("かい");
  EXPECT_EQ(SwmlWriter::signElement(*blank, true),
            QStringLiteral("  <sign lane=\"0\">\n    <gloss yomi=\"かい\">NEWLINE</gloss>\n  </sign>\n"));
  // A gloss has no room beside the line-break mark: the glossed sign is
  // written as a blank sign and the line break follows it.
  blank->jjs->gloss = QStringLiteral("END");
  EXPECT_EQ(SwmlWriter::signElement(*blank, true),
            QStringLiteral("  <sign lane=\"0\">\n    <gloss yomi=\"かい\">END</gloss>\n  </sign>\n") + lineBreak);
}

TEST(SwmlWriter, GlossIsTheEntrysNotationTextInDefaultTagStyle) {
  auto sign = std::make_shared<Sign>();
  sign->jjs->gloss = QStringLiteral("行く");
  sign->jjs->tag = QStringLiteral("②");
  sign->jjs->handshape = QStringLiteral("1");
  sign->jjs->source = QStringLiteral("胸");
  sign->jjs->destination = QStringLiteral("前");
  EXPECT_EQ(SwmlWriter::signElement(*sign, false),
            QStringLiteral("  <sign lane=\"0\">\n    <gloss>行く②[1](胸→前)</gloss>\n  </sign>\n"));
  // A tag that is not a circled digit is not part of the default style.
  sign->jjs->handshape.clear();
  sign->jjs->source.clear();
  sign->jjs->destination.clear();
  sign->jjs->tag = QStringLiteral("x");
  EXPECT_EQ(SwmlWriter::signElement(*sign, false),
            QStringLiteral("  <sign lane=\"0\">\n    <gloss>行く</gloss>\n  </sign>\n"));
}

}  // namespace
}  // namespace quabe
