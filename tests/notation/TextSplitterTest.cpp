#include <gtest/gtest.h>

#include "NotationTestSupport.h"
#include "notation/TextSplitter.h"

namespace quabe {
namespace {

struct SplitResult {
  std::vector<JSign> items;
  QStringList diagnostics;
};

SplitResult splitText(const QString& text) {
  Tokenizer tokenizer(text);
  TextSplitter splitter(tokenizer);
  SplitResult result;
  result.items = splitter.split();
  for (const NotationDiagnostic& problem : splitter.diagnostics()) result.diagnostics.append(problem.message);
  return result;
}

QStringList glossesOf(const std::vector<JSign>& items) {
  QStringList glosses;
  for (const JSign& item : items) glosses.append(item.gloss);
  return glosses;
}

TEST(TextSplitter, HandshapePathAndModifierInEveryArrowForm) {
  for (const QString& arrow : {QStringLiteral("->"), QStringLiteral("-"), QStringLiteral("\u2192")}) {
    const SplitResult result = splitText(QStringLiteral("give[B,5](1") + arrow + QStringLiteral("3;s)"));
    ASSERT_EQ(result.items.size(), 1u);
    const JSign& item = result.items[0];
    EXPECT_EQ(item.gloss, QStringLiteral("give"));
    EXPECT_EQ(item.handshape, QStringLiteral("B"));
    EXPECT_EQ(item.dHandshape, QStringLiteral("5"));
    EXPECT_EQ(item.space, QStringLiteral("1\u21923")) << "the arrow is always written as U+2192";
    EXPECT_EQ(item.mod, QStringLiteral("s"));
    EXPECT_TRUE(result.diagnostics.isEmpty());
  }
}

TEST(TextSplitter, MissingPartsReportButKeepTheItem) {
  SplitResult result = splitText(QStringLiteral("a[] b"));
  EXPECT_EQ(glossesOf(result.items), (QStringList{"a", "b"}));
  EXPECT_EQ(result.diagnostics, QStringList{"Handshape missing"});

  result = splitText(QStringLiteral("a(L;m b"));
  EXPECT_EQ(glossesOf(result.items), (QStringList{"a", "b"}));
  EXPECT_EQ(result.items[0].space, QStringLiteral("L"));
  EXPECT_EQ(result.items[0].mod, QStringLiteral("m"));
  EXPECT_EQ(result.diagnostics, QStringList{"')' missing"});
  // Two strings in a row inside parentheses are source and destination.
  result = splitText(QStringLiteral("a(L b"));
  EXPECT_EQ(glossesOf(result.items), (QStringList{"a"}));
  EXPECT_EQ(result.items[0].space, QStringLiteral("Lb"));
}

TEST(TextSplitter, JoinedPairsAndChains) {
  SplitResult result = splitText(QStringLiteral("A|B"));
  ASSERT_EQ(glossesOf(result.items), (QStringList{"A", "B"}));
  EXPECT_TRUE(result.items[0].isSimultaneous);
  EXPECT_TRUE(result.items[0].isComplement);
  EXPECT_FALSE(result.items[1].isSimultaneous || result.items[1].isComplement || result.items[1].isSemiSimultaneous);

  result = splitText(QStringLiteral("A\uFF0FB"));
  ASSERT_EQ(result.items.size(), 2u);
  EXPECT_TRUE(result.items[0].isSemiSimultaneous);
  EXPECT_FALSE(result.items[0].isSimultaneous);

  // In a chain only the last pair is registered.
  result = splitText(QStringLiteral("A|B|C D"));
  EXPECT_EQ(glossesOf(result.items), (QStringList{"B", "C", "D"}));
  EXPECT_TRUE(result.items[0].isComplement);
  EXPECT_TRUE(result.items[0].isSimultaneous);

  // A joiner at the end registers nothing and says so; a joiner before a
  // group loses its sign.
  result = splitText(QStringLiteral("A|"));
  EXPECT_TRUE(result.items.empty());
  EXPECT_EQ(result.diagnostics, QStringList{"Sign missing after '|'"});
  EXPECT_EQ(glossesOf(splitText(QStringLiteral("A|{B} C")).items), (QStringList{"B", "C"}));
  // A joiner before punctuation pairs the sign with the mark.
  result = splitText(QStringLiteral("A|\u3002"));
  EXPECT_EQ(glossesOf(result.items), (QStringList{"A", "\u3002"}));
  EXPECT_TRUE(result.items[0].isComplement);
}

TEST(TextSplitter, MarkerGroupsNestByConcatenation) {
  SplitResult result = splitText(QStringLiteral("{<a,b(c)>X Y}Z"));
  ASSERT_EQ(glossesOf(result.items), (QStringList{"X", "Y", "Z"}));
  EXPECT_EQ(result.items[0].nmm, QStringLiteral("a,b(c)"));
  EXPECT_EQ(result.items[1].nmm, QStringLiteral("a,b(c)"));
  EXPECT_TRUE(result.items[2].nmm.isEmpty());
  EXPECT_TRUE(result.diagnostics.isEmpty());

  result = splitText(QStringLiteral("{<a>P {<b>Q} R} S"));
  ASSERT_EQ(glossesOf(result.items), (QStringList{"P", "Q", "R", "S"}));
  EXPECT_EQ(result.items[0].nmm, QStringLiteral("a"));
  EXPECT_EQ(result.items[1].nmm, QStringLiteral("ab"));
  EXPECT_EQ(result.items[2].nmm, QStringLiteral("a"));
  EXPECT_TRUE(result.items[3].nmm.isEmpty());

  // A group without markers, a joined pair inside a group, an unclosed group.
  result = splitText(QStringLiteral("{<m>A|B} {C"));
  ASSERT_EQ(glossesOf(result.items), (QStringList{"A", "B", "C"}));
  EXPECT_EQ(result.items[0].nmm, QStringLiteral("m"));
  EXPECT_EQ(result.items[1].nmm, QStringLiteral("m"));
  EXPECT_TRUE(result.items[2].nmm.isEmpty());
  EXPECT_TRUE(result.diagnostics.isEmpty());
}

TEST(TextSplitter, BrokenMarkerLists) {
  // After a marker only "," continues the list: X starts the group's items.
  SplitResult result = splitText(QStringLiteral("{<a X}"));
  EXPECT_EQ(result.diagnostics, QStringList{"'>' missing"});
  EXPECT_EQ(glossesOf(result.items), (QStringList{"X"}));
  EXPECT_EQ(result.items[0].nmm, QStringLiteral("a"));

  result = splitText(QStringLiteral("{<a(b>X}"));
  EXPECT_EQ(result.diagnostics, QStringList{"')' missing"});
  ASSERT_EQ(result.items.size(), 1u);
  EXPECT_EQ(result.items[0].nmm, QStringLiteral("a(b"));
}

TEST(TextSplitter, PunctuationAndIgnoredMarks) {
  const SplitResult result = splitText(QStringLiteral("~ A - , B\u3002? ! ; / | \u301C"));
  EXPECT_EQ(glossesOf(result.items), (QStringList{"A", ",", "B", "\u3002", "?", "!", ";"}));
  EXPECT_TRUE(result.diagnostics.isEmpty());
}

TEST(TextSplitter, InvalidTokensEndTheSplit) {
  struct Case {
    QString text;
    QStringList glosses;
    QString diagnostic;
  };
  const std::vector<Case> cases = {
      {"A. ( B", {"A", "."}, "Invalid token: ("},
      {"A ) B", {"A"}, "Invalid token: )"},
      {"A -> B", {"A"}, "Invalid token: ->"},
      // Inside a group the same token also stops every enclosing level
      // (and is reported once).
      {"{<m>A, ( B} C", {"A", ","}, "Invalid token: ("},
      {"{{{A \u2192 B}}} C", {"A"}, "Invalid token: \u2192"},
      // A line feed between items and a stray closing brace end the text too.
      {"A\nB", {"A"}, "Invalid token: \n"},
      {"A } B", {"A"}, "Invalid token: }"},
  };
  for (const Case& c : cases) {
    const SplitResult result = splitText(c.text);
    EXPECT_EQ(glossesOf(result.items), c.glosses) << c.text.toStdString();
    EXPECT_EQ(result.diagnostics, QStringList{c.diagnostic}) << c.text.toStdString();
  }
}

TEST(TextSplitter, DeepNestingDoesNotExhaustTheStack) {
  const int depth = 100000;
  QString groups = QString(depth, QLatin1Char('{')) + QStringLiteral("<m>X") + QString(depth, QLatin1Char('}'));
  SplitResult result = splitText(groups + QStringLiteral(" Y"));
  ASSERT_EQ(glossesOf(result.items), (QStringList{"X", "Y"}));
  EXPECT_EQ(result.items[0].nmm, QStringLiteral("m"));

  QString chain;
  for (int i = 0; i < depth; ++i) chain += QStringLiteral("a|");
  chain += QStringLiteral("b");
  result = splitText(chain);
  EXPECT_EQ(glossesOf(result.items), (QStringList{"a", "b"}));
}

}  // namespace
}  // namespace quabe
