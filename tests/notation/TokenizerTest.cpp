#include <gtest/gtest.h>

#include "common/TestSupport.h"
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

// Each token's text and where it starts, as "text@start".
QStringList valuesOf(const QString& text) {
  QStringList values;
  for (const Token& token : tokensOf(text)) values.append(token.value + '@' + QString::number(token.at));
  return values;
}

TEST(Tokenizer, HyphenArrowAndRightArrowInsideParentheses) {
  EXPECT_EQ(typesOf("(r->l)"), (std::vector<T>{T::lParen, T::string, T::arrow, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(valuesOf("(r->l)"), (QStringList{"(@0", "r@1", "->@2", "l@4", ")@5", "@6"}));
  EXPECT_EQ(typesOf("(r-l)"), (std::vector<T>{T::lParen, T::string, T::hyphen, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(valuesOf("(r\u2192l)")[2], QStringLiteral("\u2192@2"));
  // "-" then ">" apart is a hyphen and an angle, not an arrow.
  EXPECT_EQ(typesOf("a- >b"), (std::vector<T>{T::string, T::hyphen, T::rAngle, T::string, T::eoB}));
  // "-->" is a hyphen followed by an arrow.
  EXPECT_EQ(typesOf("-->"), (std::vector<T>{T::hyphen, T::arrow, T::eoB}));
}

// The long-vowel mark after a kana is part of the word; after anything else
// (a digit, a space, the start of the line) it is the full-width hyphen.
TEST(Tokenizer, LongVowelMarkInsideKanaWords) {
  EXPECT_EQ(valuesOf(QStringLiteral("見る[グー] コーヒー ら〜めんー")),
            (QStringList{"見る@0", "[@2", "グー@3", "]@5", "コーヒー@7", "ら@12", "〜@13", "めんー@14", "@17"}));
  EXPECT_EQ(typesOf("(1ー3)"), (std::vector<T>{T::lParen, T::string, T::hyphen, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(typesOf("あ ー い"), (std::vector<T>{T::string, T::hyphen, T::string, T::eoB}));
  EXPECT_EQ(typesOf("ーあ"), (std::vector<T>{T::hyphen, T::string, T::eoB}));
}

}  // namespace
}  // namespace quabe
