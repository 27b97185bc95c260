#include <gtest/gtest.h>

#include "NotationTestSupport.h"
#include "notation/Tokenizer.h"

namespace quabe {
namespace {

using T = TokenType;

std::vector<Token> tokensOf(const QString& text) {
  Tokenizer tokenizer(text);
  std::vector<Token> tokens;
  for (int guard = 0; guard < 10000; ++guard) {
    tokens.push_back(tokenizer.nextToken());
    if (tokens.back().type == T::eoB) break;
  }
  return tokens;
}

std::vector<T> typesOf(const QString& text) {
  std::vector<T> types;
  for (const Token& token : tokensOf(text)) types.push_back(token.type);
  return types;
}

QStringList valuesOf(const QString& text) {
  QStringList values;
  for (const Token& token : tokensOf(text)) values.append(token.value);
  return values;
}

TEST(Tokenizer, EmptyAndBlankTextsEndAtOnce) {
  for (const QString& text : {QString(), QStringLiteral("   "), QStringLiteral("\t \u3000 \t")}) {
    Tokenizer tokenizer(text);
    const Token first = tokenizer.nextToken();
    EXPECT_EQ(first.type, T::eoB);
    EXPECT_TRUE(first.value.isEmpty());
    EXPECT_EQ(tokenizer.nextToken().type, T::eoB);  // and stays there
  }
}

TEST(Tokenizer, HyphenArrowAndRightArrowInsideParentheses) {
  EXPECT_EQ(typesOf("(r->l)"), (std::vector<T>{T::lParen, T::string, T::arrow, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(valuesOf("(r->l)"), (QStringList{"(", "r", "->", "l", ")", ""}));
  EXPECT_EQ(typesOf("(r-l)"), (std::vector<T>{T::lParen, T::string, T::hyphen, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(valuesOf("(r\u2192l)")[2], QStringLiteral("\u2192"));
  // "-" then ">" apart is a hyphen and an angle, not an arrow.
  EXPECT_EQ(typesOf("a- >b"), (std::vector<T>{T::string, T::hyphen, T::rAngle, T::string, T::eoB}));
  // "-->" is a hyphen followed by an arrow.
  EXPECT_EQ(typesOf("-->"), (std::vector<T>{T::hyphen, T::arrow, T::eoB}));
}

TEST(Tokenizer, SpacesSeparateButOnlyLineFeedIsAToken) {
  EXPECT_EQ(valuesOf("gloss  ["), (QStringList{"gloss", "[", ""}));
  EXPECT_EQ(typesOf("a\nb"), (std::vector<T>{T::string, T::space, T::string, T::eoB}));
  EXPECT_EQ(valuesOf("a\nb")[1], QStringLiteral("\n"));
  EXPECT_EQ(valuesOf("a\u3000\tb"), (QStringList{"a", "b", ""}));
  // A trailing line feed survives the trimming; trailing spaces do not.
  EXPECT_EQ(typesOf("a \n "), (std::vector<T>{T::string, T::space, T::eoB}));
  // A no-break space is white space at the ends but not a separator.
  EXPECT_EQ(valuesOf("\u00A0a\u00A0b\u00A0"), (QStringList{"a\u00A0b", ""}));
}

TEST(Tokenizer, JapanesePunctuationWithoutSpaces) {
  const std::vector<Token> tokens = tokensOf(QStringLiteral("\u96E8\u3001\u884C\u304F\u3002"));
  ASSERT_EQ(tokens.size(), 5u);
  EXPECT_EQ(tokens[0].type, T::string);
  EXPECT_EQ(tokens[1].type, T::comma);
  EXPECT_EQ(tokens[1].value, QStringLiteral("\u3001"));
  EXPECT_EQ(tokens[2].value, QStringLiteral("\u884C\u304F"));
  EXPECT_EQ(tokens[3].type, T::period);
  EXPECT_EQ(tokens[3].value, QStringLiteral("\u3002"));
}

// The long-vowel mark after a kana is part of the word; after anything else
// (a digit, a space, the start of the line) it is the full-width hyphen.
TEST(Tokenizer, LongVowelMarkInsideKanaWords) {
  const std::vector<Token> tokens = tokensOf(QStringLiteral("見る[グー] コーヒー ら〜めんー"));
  QStringList values;
  QList<qsizetype> starts;
  for (const Token& token : tokens) {
    values.append(token.value);
    starts.append(token.at);
  }
  EXPECT_EQ(values, (QStringList{"見る", "[", "グー", "]", "コーヒー", "ら", "〜", "めんー", ""}));
  EXPECT_EQ(starts, (QList<qsizetype>{0, 2, 3, 5, 7, 12, 13, 14, 17}));
  EXPECT_EQ(typesOf("(1ー3)"), (std::vector<T>{T::lParen, T::string, T::hyphen, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(typesOf("あ ー い"), (std::vector<T>{T::string, T::hyphen, T::string, T::eoB}));
  EXPECT_EQ(typesOf("ーあ"), (std::vector<T>{T::hyphen, T::string, T::eoB}));
}

}  // namespace
}  // namespace quabe
