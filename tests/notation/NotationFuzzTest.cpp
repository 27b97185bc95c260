#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "NotationTestSupport.h"
#include "core/Diagnostics.h"
#include "notation/TextSplitter.h"

namespace quabe {
namespace {

// Random notation lines: table characters in both widths, letters, kana,
// control characters and white space, with a fixed seed so that a failure
// repeats.
class NotationFuzz : public testing::Test {
 protected:
  void SetUp() override {
    setDiagnosticsEnabled(false);
    Tokenizer table(QString{});
    for (const TokenTypeAndValues& row : table.tokenTable()) alphabet.append(row.values);
    alphabet.append({"a", "b", "give", "\u96E8", "\u884C\u304F", "1", "3", "L", "R", "s", "**", "\u00A0", "\r",
                     "\u0001", "\u001B", "\u007F", "\u2028", "\uFFFD"});
    alphabet.append(QString(QChar(0)));
    alphabet.append(QString::fromUtf8("\xF0\x9F\x91\x8B"));  // a character outside the BMP
    alphabet.append(QString(QChar(0xD800)));                 // a lone surrogate
  }
  void TearDown() override { setDiagnosticsEnabled(true); }

  QString randomText(int pieces) {
    QString text;
    for (int i = 0; i < pieces; ++i) text += alphabet[random.bounded(alphabet.size())];
    return text;
  }

  static QString withoutTrimmedSpace(const QString& text) {
    QString out;
    for (QChar c : text) {
      if (!Tokenizer::isTrimmedSpace(c)) out += c;
    }
    return out;
  }

  // Tokenizes and checks the invariants every token stream must keep.
  void checkTokens(const QString& text) {
    Tokenizer tokenizer(text);
    QString joined;
    QString tableCharacters;
    for (const TokenTypeAndValues& row : tokenizer.tokenTable()) {
      for (const QString& value : row.values) tableCharacters += value.front();
    }
    const qsizetype bound = text.size() + 1;
    qsizetype count = 0;
    for (;;) {
      const Token token = tokenizer.nextToken();
      ASSERT_LE(++count, bound) << "the tokenizer must consume text on every call";
      if (token.type == TokenType::eoB) {
        EXPECT_TRUE(token.value.isEmpty());
        break;
      }
      ASSERT_FALSE(token.value.isEmpty());
      ASSERT_NE(token.type, TokenType::none);
      if (token.type == TokenType::string) {
        for (QChar c : token.value) ASSERT_FALSE(tableCharacters.contains(c)) << "string holds a table character";
      }
      joined += token.value;
    }
    EXPECT_EQ(tokenizer.nextToken().type, TokenType::eoB);
    // Nothing but white space between tokens is lost or invented.
    EXPECT_EQ(withoutTrimmedSpace(joined), withoutTrimmedSpace(text));
  }

  void checkSplit(const QString& text) {
    Tokenizer first(text);
    TextSplitter splitterA(first);
    const std::vector<JSign> a = splitterA.split();
    Tokenizer second(text);
    TextSplitter splitterB(second);
    const std::vector<JSign> b = splitterB.split();
    ASSERT_EQ(a.size(), b.size());
    qsizetype glossCharacters = 0;
    for (size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].gloss, b[i].gloss);
      EXPECT_EQ(a[i].nmm, b[i].nmm);
      EXPECT_EQ(a[i].space, b[i].space);
      ASSERT_FALSE(a[i].gloss.isEmpty()) << "an item without gloss was registered";
      EXPECT_LE(a[i].space.count(QChar(0x2192)), 1);
      // A joined-pair flag is only ever set on the first item of a pair.
      if (a[i].isComplement) {
        EXPECT_TRUE(a[i].isSimultaneous || a[i].isSemiSimultaneous);
      }
      glossCharacters += a[i].gloss.size();
    }
    // Each gloss is text of its own: the items cannot hold more than the line.
    EXPECT_LE(glossCharacters, text.size());
  }

  QStringList alphabet;
  QRandomGenerator random{20240611u};
};

TEST_F(NotationFuzz, ShortRandomLines) {
  for (int round = 0; round < 3000; ++round) {
    const QString text = randomText(1 + random.bounded(60));
    SCOPED_TRACE(text.toStdString());
    checkTokens(text);
    checkSplit(text);
    if (HasFatalFailure()) return;
  }
}

TEST_F(NotationFuzz, LongLines) {
  for (int round = 0; round < 6; ++round) {
    const QString text = randomText(20000);
    checkTokens(text);
    checkSplit(text);
    if (HasFatalFailure()) return;
  }
  // Long runs without any punctuation, and of a single mark.
  checkTokens(QString(100000, QLatin1Char('x')));
  checkSplit(QString(100000, QLatin1Char('|')));
  checkSplit(QString(100000, QLatin1Char('{')));
  checkSplit(QString(50000, QLatin1Char('-')) + QString(50000, QLatin1Char('>')));
}

}  // namespace
}  // namespace quabe
