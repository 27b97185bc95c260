#include "document/DbSign.h"

namespace quabe {

bool DbSign::containsCircledDigit(const QString& text) {
  for (const QChar c : text) {
    if (isCircledDigit(c)) return true;
  }
  return false;
}

std::pair<QString, QString> DbSign::splitGlossAndTag(const QString& text) {
  if (text.size() < 2) return {text, QString()};
  if (containsCircledDigit(text)) return {text.left(text.size() - 1), text.right(1)};
  const qsizetype underscore = text.indexOf(QLatin1Char('_'));
  if (underscore >= 0) return {text.left(underscore), text.mid(underscore + 1)};
  return {text, QString()};
}

QString DbSign::text(TagStyle tagStyle) const {
  QString result = gloss;
  if (!tag.isEmpty()) {
    switch (tagStyle) {
      case TagStyle::none:
        break;
      case TagStyle::defaultStyle:
        if (tag.size() == 1 && isCircledDigit(tag.at(0))) result += tag;
        break;
      case TagStyle::underline:
        result += QLatin1Char('_') + tag;
        break;
      case TagStyle::atMark:
        result += QLatin1Char('@') + tag;
        break;
    }
  }
  if (!handshape.isEmpty()) result += QLatin1Char('[') + handshape + QLatin1Char(']');
  if (!position.isEmpty() || !source.isEmpty() || !destination.isEmpty() || !modifier.isEmpty()) {
    result += QLatin1Char('(');
    const QString arrow = QStringLiteral("→");
    if (!source.isEmpty()) {
      result += source + arrow + destination;
    } else if (!destination.isEmpty()) {
      result += arrow + destination;
    } else {
      result += position;
    }
    if (!modifier.isEmpty()) result += QLatin1Char(';') + modifier;
    result += QLatin1Char(')');
  }
  if (!nmm.isEmpty()) result += QLatin1Char('<') + nmm + QLatin1Char('>');
  return result;
}

QString DbSign::meaningsText() const { return meanings.join(QStringLiteral(" / ")); }

}  // namespace quabe
