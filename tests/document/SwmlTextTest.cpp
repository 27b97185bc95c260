#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "document/SwmlText.h"

namespace quabe {
namespace {

// Reads <e a="...">...</e> back: the attribute value and the joined text.
std::pair<QString, QString> readBack(const QString& attribute, const QString& text) {
  const QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<e a=\"%1\">%2</e>\n")
                          .arg(SwmlText::escapeAttribute(attribute), SwmlText::escapeText(text));
  QXmlStreamReader reader(xml.toUtf8());
  QString attr, content;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement()) attr = reader.attributes().value(QLatin1String("a")).toString();
    if (reader.isCharacters()) content += reader.text();
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString() << " in " << xml.toStdString();
  return {attr, content};
}

TEST(SwmlText, CharactersXmlCannotHoldAreLeftOut) {
  // Control characters, a non-character, lone high and low surrogates, NUL.
  const QString s =
      QStringLiteral("a\u0001\u001F\uFFFE") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00) + QChar(0);
  const auto [attr, content] = readBack(s, s);
  EXPECT_EQ(content, QStringLiteral("ab"));
  EXPECT_EQ(attr, QStringLiteral("ab"));
}

TEST(SwmlText, RoundsHalvesAwayFromZeroAndClamps) {
  EXPECT_EQ(SwmlText::roundToInt(12.5), 13);
  EXPECT_EQ(SwmlText::roundToInt(12.49), 12);
  EXPECT_EQ(SwmlText::roundToInt(-0.4), 0);
  EXPECT_EQ(SwmlText::roundToInt(-2.5), -3);
  EXPECT_EQ(SwmlText::roundToInt(std::nan("")), 0);
  EXPECT_EQ(SwmlText::roundToInt(1e300), 2147483647);
  EXPECT_EQ(SwmlText::roundToInt(-1e300), -2147483648LL);
}

}  // namespace
}  // namespace quabe
