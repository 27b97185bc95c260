#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "notation/TextSplitter.h"

namespace quabe {
namespace {

// The items of a line, each as its gloss, then [handshapes], (space;modifier),
// <markers> and the join marks: "&" simultaneous, "+" first of a joined pair,
// "~" semi-simultaneous. The problems follow, each after " ! ".
QString split(const QString& text) {
  Tokenizer tokenizer(text);
  TextSplitter splitter(tokenizer);
  QStringList items;
  for (const JSign& item : splitter.split()) {
    QString out = item.gloss;
    if (!item.handshape.isEmpty() || !item.dHandshape.isEmpty())
      out += '[' + item.handshape + (item.dHandshape.isEmpty() ? QString() : ',' + item.dHandshape) + ']';
    if (!item.space.isEmpty() || !item.mod.isEmpty())
      out += '(' + item.space + (item.mod.isEmpty() ? QString() : ';' + item.mod) + ')';
    if (!item.nmm.isEmpty()) out += '<' + item.nmm + '>';
    out +=
        QString(item.isSimultaneous ? "&" : "") + (item.isComplement ? "+" : "") + (item.isSemiSimultaneous ? "~" : "");
    items << out;
  }
  QString result = items.join(' ');
  for (const NotationDiagnostic& problem : splitter.diagnostics()) result += " ! " + problem.message;
  return result;
}

TEST(TextSplitter, ItemsTheirPartsAndJoins) {
  const std::vector<std::pair<QString, QString>> cases = {
      // Every arrow form is written as U+2192.
      {"give[B,5](1->3;s)", "give[B,5](1\u21923;s)"},
      {"give[B,5](1-3;s)", "give[B,5](1\u21923;s)"},
      {"give[B,5](1\u21923;s)", "give[B,5](1\u21923;s)"},
      // Two strings in a row inside parentheses are source and destination.
      {"a(L b", "a(Lb) ! ')' missing"},
      {"a[] b", "a b ! Handshape missing"},
      {"a(L;m b", "a(L;m) b ! ')' missing"},
      {"A|B", "A&+ B"},
      {"A\uFF0FB", "A+~ B"},
      // In a chain only the last pair is registered.
      {"A|B|C D", "B&+ C D"},
      // A joiner at the end registers nothing and says so; a joiner before a
      // group loses its sign; one before punctuation pairs the sign with the mark.
      {"A|", " ! Sign missing after '|'"},
      {"A|{B} C", "B C"},
      {"A|\u3002", "A&+ \u3002"},
      // Markers of nested groups are concatenated.
      {"{<a,b(c)>X Y}Z", "X<a,b(c)> Y<a,b(c)> Z"},
      {"{<a>P {<b>Q} R} S", "P<a> Q<ab> R<a> S"},
      {"{<m>A|B} {C", "A<m>&+ B<m> C"},
      // After a marker only "," continues the list: X starts the group's items.
      {"{<a X}", "X<a> ! '>' missing"},
      {"{<a(b>X}", "X<a(b> ! ')' missing"},
      {"~ A - , B\u3002? ! ; / | \u301C", "A , B \u3002 ? ! ;"},
      // An invalid token ends the split, inside a group every enclosing level
      // too (and is reported once); so do a line feed and a stray closing brace.
      {"A. ( B", "A . ! Invalid token: ("},
      {"A ) B", "A ! Invalid token: )"},
      {"A -> B", "A ! Invalid token: ->"},
      {"{<m>A, ( B} C", "A<m> , ! Invalid token: ("},
      {"{{{A \u2192 B}}} C", "A ! Invalid token: \u2192"},
      {"A\nB", "A ! Invalid token: \n"},
      {"A } B", "A ! Invalid token: }"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(split(text), expected) << text.toStdString();
}

TEST(TextSplitter, DeepNestingDoesNotExhaustTheStack) {
  const int depth = 100000;
  const QString groups = QString(depth, QLatin1Char('{')) + QStringLiteral("<m>X") + QString(depth, QLatin1Char('}'));
  EXPECT_EQ(split(groups + QStringLiteral(" Y")), "X<m> Y");
  EXPECT_EQ(split(QStringLiteral("a|").repeated(depth) + QStringLiteral("b")), "a&+ b");
}

}  // namespace
}  // namespace quabe
