#include "editor/export/PdfTextMap.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cctype>
#include <cstring>

namespace quabe {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The drawn characters of the Basic Multilingual Plane by compatibility form.
class DrawnCharacters {
 public:
  explicit DrawnCharacters(const QString& text) {
    for (const QChar c : text) {
      if (c.isSurrogate() || m_drawn.contains(c.unicode())) continue;
      m_drawn.insert(c.unicode());
      m_byForm[QString(c).normalized(QString::NormalizationForm_KC)].append(c.unicode());
    }
  }
  // The drawn character a map entry should name instead of code; 0 when the
  // entry stays as it is.
  char16_t replacement(char16_t code) const {
    if (m_drawn.contains(code)) return 0;
    const QList<char16_t> twins = m_byForm.value(QString(QChar(code)).normalized(QString::NormalizationForm_KC));
    return twins.size() == 1 ? twins.first() : 0;
  }

 private:
  QSet<char16_t> m_drawn;
  QHash<QString, QList<char16_t>> m_byForm;
};

// Walks the entries of one ToUnicode map (bfchar pairs, bfrange triples with
// a start value or an array of values) and replaces the single-character
// destinations.
int mendMap(char* data, qsizetype length, const DrawnCharacters& drawn) {
  enum class Section { none, chars, ranges } section = Section::none;
  int position = 0;  // index of the token within its entry
  bool inArray = false;
  bool singleRange = false;  // a bfrange entry whose low and high are equal
  QByteArray low;
  int changed = 0;
  auto destination = [&](char* token, qsizetype size) {
    if (size != 4) return;
    int value = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = hexValue(token[i]);
      if (digit < 0) return;
      value = value * 16 + digit;
    }
    const char16_t better = drawn.replacement(char16_t(value));
    if (!better) return;
    const QByteArray hex = QByteArray::number(int(better), 16).toUpper().rightJustified(4, '0');
    memcpy(token, hex.constData(), 4);
    ++changed;
  };
  for (qsizetype i = 0; i < length;) {
    const char c = data[i];
    if (c == '<') {
      const qsizetype end = qsizetype(std::find(data + i + 1, data + length, '>') - data);
      if (end >= length) break;
      char* token = data + i + 1;
      const qsizetype size = end - i - 1;
      if (section == Section::chars) {
        if (position++ % 2 == 1) destination(token, size);
      } else if (section == Section::ranges) {
        if (inArray) {
          destination(token, size);
        } else if (position == 0) {
          low = QByteArray(token, size);
          ++position;
        } else if (position == 1) {
          singleRange = low == QByteArray(token, size);
          ++position;
        } else {
          if (singleRange) destination(token, size);
          position = 0;
        }
      }
      i = end + 1;
    } else if (c == '[') {
      inArray = true;
      ++i;
    } else if (c == ']') {
      inArray = false;
      position = 0;
      ++i;
    } else if (std::isalpha(static_cast<unsigned char>(c))) {
      qsizetype end = i;
      while (end < length && std::isalpha(static_cast<unsigned char>(data[end]))) ++end;
      const QByteArray word(data + i, end - i);
      if (word == "beginbfchar")
        section = Section::chars;
      else if (word == "beginbfrange")
        section = Section::ranges;
      else if (word == "endbfchar" || word == "endbfrange")
        section = Section::none;
      position = 0;
      i = end;
    } else {
      ++i;
    }
  }
  return changed;
}

}  // namespace

int PdfTextMap::mend(QByteArray& pdf, const QString& drawnText) {
  const DrawnCharacters drawn(drawnText);
  QSet<QByteArray> objects;
  for (qsizetype at = pdf.indexOf("/ToUnicode"); at >= 0; at = pdf.indexOf("/ToUnicode", at + 1)) {
    qsizetype i = at + 10;
    while (i < pdf.size() && (pdf[i] == ' ' || pdf[i] == '\n' || pdf[i] == '\r')) ++i;
    qsizetype end = i;
    while (end < pdf.size() && std::isdigit(static_cast<unsigned char>(pdf[end]))) ++end;
    if (end > i) objects.insert(pdf.mid(i, end - i));
  }
  int changed = 0;
  char* data = pdf.data();
  for (const QByteArray& number : objects) {
    const qsizetype object = pdf.indexOf("\n" + number + " 0 obj");
    if (object < 0) continue;
    const qsizetype stream = pdf.indexOf("stream", object);
    if (stream < 0 || pdf.mid(object, stream - object).contains("/Filter")) continue;  // compressed: left alone
    qsizetype start = stream + 6;
    if (start < pdf.size() && pdf[start] == '\r') ++start;
    if (start < pdf.size() && pdf[start] == '\n') ++start;
    const qsizetype end = pdf.indexOf("endstream", start);
    if (end < 0) continue;
    changed += mendMap(data + start, end - start, drawn);
  }
  return changed;
}

}  // namespace quabe
