#include "notation/Tokenizer.h"

namespace quabe {

Tokenizer::Tokenizer(const QString& text) : m_text(text), m_begin(0), m_end(text.size()) {
  auto row = [this](TokenType type, std::initializer_list<const char16_t*> values) {
    TokenTypeAndValues entry{type, {}};
    for (const char16_t* value : values) entry.values.append(QString::fromUtf16(value));
    m_tokenTable.push_back(std::move(entry));
  };
  row(TokenType::lBrace, {u"{", u"\uFF5B"});
  row(TokenType::rBrace, {u"}", u"\uFF5D"});
  row(TokenType::lAngle, {u"<", u"\uFF1C"});
  row(TokenType::rAngle, {u">", u"\uFF1E"});
  row(TokenType::lBracket, {u"[", u"\uFF3B"});
  row(TokenType::rBracket, {u"]", u"\uFF3D"});
  row(TokenType::lParen, {u"(", u"\uFF08"});
  row(TokenType::rParen, {u")", u"\uFF09"});
  row(TokenType::semicolon, {u";", u"\uFF1B"});
  row(TokenType::comma, {u",", u"\uFF0C", u"\u3001"});
  row(TokenType::period, {u".", u"\uFF0E", u"\u3002"});
  row(TokenType::question, {u"?", u"\uFF1F"});
  row(TokenType::excl, {u"!", u"\uFF01"});
  row(TokenType::tilde, {u"~", u"\u301C"});
  row(TokenType::hyphen, {u"-", u"\u30FC"});
  row(TokenType::vertBar, {u"|", u"\uFF5C"});
  row(TokenType::slash, {u"/", u"\uFF0F"});
  row(TokenType::arrow, {u"\u2192", u"->"});
  row(TokenType::space, {u" ", u"\u3000", u"\t", u"\n"});

  for (const TokenTypeAndValues& entry : m_tokenTable) {
    for (const QString& value : entry.values) {
      if (!m_firstCharacters.contains(value.front())) m_firstCharacters.append(value.front());
    }
  }
}

bool Tokenizer::isTrimmedSpace(QChar c) { return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space; }

void Tokenizer::trim() {
  while (m_begin < m_end && isTrimmedSpace(m_text.at(m_begin))) ++m_begin;
  while (m_end > m_begin && isTrimmedSpace(m_text.at(m_end - 1))) --m_end;
}

namespace {
const QChar kLongVowelMark(0x30FC);

bool isKanaOrLongVowel(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x3041 && u <= 0x309F) || (u >= 0x30A0 && u <= 0x30FF) || (u >= 0xFF66 && u <= 0xFF9F);
}
}  // namespace

bool Tokenizer::isLongVowelInWord(qsizetype index) const {
  return m_text.at(index) == kLongVowelMark && index > 0 && isKanaOrLongVowel(m_text.at(index - 1));
}

// A long-vowel mark after a kana never starts a token (the word before it
// runs on through it), so only the search for the end of a word needs it.
qsizetype Tokenizer::nextTableCharacter() const {
  for (qsizetype i = m_begin; i < m_end; ++i) {
    if (m_firstCharacters.contains(m_text.at(i)) && !isLongVowelInWord(i)) return i;
  }
  return m_end;
}

Token Tokenizer::nextToken() {
  trim();
  if (m_begin >= m_end) return Token{TokenType::eoB, QString(), m_text.size()};

  const QStringView rest = QStringView(m_text).mid(m_begin, m_end - m_begin);
  // Rows and values in table order; where two values match at the front the
  // longer one wins ("->" before "-"), otherwise the first.
  const TokenTypeAndValues* bestRow = nullptr;
  const QString* bestValue = nullptr;
  for (const TokenTypeAndValues& entry : m_tokenTable) {
    for (const QString& value : entry.values) {
      if (rest.startsWith(value) && (!bestValue || value.size() > bestValue->size())) {
        bestRow = &entry;
        bestValue = &value;
      }
    }
  }
  if (bestValue) {
    const qsizetype at = m_begin;
    m_begin += bestValue->size();
    return Token{bestRow->type, *bestValue, at};
  }

  const qsizetype from = m_begin;
  const qsizetype stop = nextTableCharacter();
  Token token{TokenType::string, m_text.mid(from, stop - from), from};
  m_begin = stop;
  return token;
}

}  // namespace quabe
