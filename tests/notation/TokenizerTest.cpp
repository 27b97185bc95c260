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

TEST(Tokenizer, EveryAsciiAndFullWidthFormGivesItsType) {
  const std::vector<std::pair<QString, T>> forms = {
      {"{", T::lBrace},     {"\uFF5B", T::lBrace},    {"}", T::rBrace},      {"\uFF5D", T::rBrace},
      {"<", T::lAngle},     {"\uFF1C", T::lAngle},    {">", T::rAngle},      {"\uFF1E", T::rAngle},
      {"[", T::lBracket},   {"\uFF3B", T::lBracket},  {"]", T::rBracket},    {"\uFF3D", T::rBracket},
      {"(", T::lParen},     {"\uFF08", T::lParen},    {")", T::rParen},      {"\uFF09", T::rParen},
      {";", T::semicolon},  {"\uFF1B", T::semicolon}, {",", T::comma},       {"\uFF0C", T::comma},
      {"\u3001", T::comma}, {".", T::period},         {"\uFF0E", T::period}, {"\u3002", T::period},
      {"?", T::question},   {"\uFF1F", T::question},  {"!", T::excl},        {"\uFF01", T::excl},
      {"~", T::tilde},      {"\u301C", T::tilde},     {"-", T::hyphen},      {"\u30FC", T::hyphen},
      {"|", T::vertBar},    {"\uFF5C", T::vertBar},   {"/", T::slash},       {"\uFF0F", T::slash},
      {"\u2192", T::arrow}, {"->", T::arrow},
  };
  for (const auto& [form, type] : forms) {
    // Between two glosses so the mark must also end the string before it.
    const std::vector<Token> tokens = tokensOf(QStringLiteral("a") + form + QStringLiteral("b"));
    ASSERT_EQ(tokens.size(), 4u) << form.toStdString();
    EXPECT_EQ(tokens[0].value, QStringLiteral("a"));
    EXPECT_EQ(tokens[1].type, type) << form.toStdString();
    EXPECT_EQ(tokens[1].value, form) << "the typed form is kept";
    EXPECT_EQ(tokens[2].value, QStringLiteral("b"));
  }
}

TEST(Tokenizer, HyphenArrowAndRightArrowInsideParentheses) {
  EXPECT_EQ(typesOf("(r->l)"), (std::vector<T>{T::lParen, T::string, T::arrow, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(valuesOf("(r->l)"), (QStringList{"(", "r", "->", "l", ")", ""}));
  EXPECT_EQ(typesOf("(r-l)"), (std::vector<T>{T::lParen, T::string, T::hyphen, T::string, T::rParen, T::eoB}));
  EXPECT_EQ(valuesOf("(r\u2192l)")[2], QStringLiteral("\u2192"));
  // "-" then ">" apart is a hyphen and an angle, not an arrow.
  EXPECT_EQ(typesOf("a- >b"), (std::vector<T>{T::string, T::hyphen, T::rAngle, T::string, T::eoB}));
  // "-->" is a hyphen followed by an arrow; "->>" an arrow and an angle.
  EXPECT_EQ(typesOf("-->"), (std::vector<T>{T::hyphen, T::arrow, T::eoB}));
  EXPECT_EQ(typesOf("->>"), (std::vector<T>{T::arrow, T::rAngle, T::eoB}));
  // A trailing lone "-".
  EXPECT_EQ(typesOf("a-"), (std::vector<T>{T::string, T::hyphen, T::eoB}));
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
  // The prolonged sound mark is a hyphen even inside a word.
  EXPECT_EQ(valuesOf("\u30E9\u30FC\u30E1\u30F3"), (QStringList{"\u30E9", "\u30FC", "\u30E1\u30F3", ""}));
}

TEST(Tokenizer, TextWithoutPunctuationIsOneString) {
  Tokenizer tokenizer(QStringLiteral("abc\u0001\r\u00E9"));
  const Token token = tokenizer.nextToken();
  EXPECT_EQ(token.type, T::string);
  EXPECT_EQ(token.value, QStringLiteral("abc\u0001\r\u00E9"));
  EXPECT_TRUE(tokenizer.text().isEmpty());
  EXPECT_EQ(tokenizer.nextToken().type, T::eoB);
}

TEST(Tokenizer, SurrogatePairsStayWhole) {
  const QString text = QString::fromUtf8("\xF0\x9F\x91\x8B(x)");  // U+1F44B then (x)
  const QStringList values = valuesOf(text);
  ASSERT_EQ(values.size(), 5);
  EXPECT_EQ(values[0], QString::fromUtf8("\xF0\x9F\x91\x8B"));
}

}  // namespace
}  // namespace quabe
