#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace quabe {

// Kinds of notation tokens; the raw value is the position in this list.
enum class TokenType : int {
  lBrace = 0,
  rBrace,
  lAngle,
  rAngle,
  lBracket,
  rBracket,
  lParen,
  rParen,
  semicolon,
  comma,
  period,
  question,
  excl,
  tilde,
  hyphen,
  vertBar,
  slash,
  arrow,
  space,
  string,
  eoB,  // end of buffer
  none  // never produced by the tokenizer
};

struct Token {
  TokenType type = TokenType::none;
  // The punctuation form that was typed, the text run of a string token, or
  // empty for eoB.
  QString value;
  // Where the token starts in the line (UTF-16 index); the end of the line
  // for eoB.
  qsizetype at = 0;
};

// One row of the punctuation table: the accepted forms of a token, in search
// order.
struct TokenTypeAndValues {
  TokenType type;
  QStringList values;
};

// Cuts a line of sign notation into tokens, one per call. Punctuation comes
// from a fixed table (ASCII and full-width forms give the same type);
// everything else is a string token running up to the nearest punctuation.
// Spaces and tabs only separate tokens, except a line feed, which comes out
// as a space token. The long-vowel mark "ー" belongs to the word when it
// follows a kana or another long-vowel mark (グー, コーヒー); elsewhere it is
// the full-width hyphen.
class Tokenizer {
 public:
  explicit Tokenizer(const QString& text);

  // Consumes and returns the next token; eoB at the end, and again on every
  // further call.
  Token nextToken();

  // The part of the text not consumed yet.
  QString text() const { return m_text.mid(m_begin, m_end - m_begin); }
  const std::vector<TokenTypeAndValues>& tokenTable() const { return m_tokenTable; }

  // True for the white space trimmed between tokens: general category Zs and
  // tab (a line feed is not trimmed).
  static bool isTrimmedSpace(QChar c);

 private:
  void trim();
  qsizetype nextTableCharacter() const;
  bool isLongVowelInWord(qsizetype index) const;

  // The rest of the input is m_text[m_begin, m_end); the text is never
  // copied while it is consumed, so a long line costs linear time.
  QString m_text;
  qsizetype m_begin = 0;
  qsizetype m_end = 0;
  std::vector<TokenTypeAndValues> m_tokenTable;
  // Every table value is one character except "->"; any occurrence of "->"
  // starts with "-", so the nearest table value is always at the nearest of
  // these characters.
  QString m_firstCharacters;
};

}  // namespace quabe
