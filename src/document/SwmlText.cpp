#include "document/SwmlText.h"

#include <cmath>
#include <limits>

namespace quabe {

namespace {
QString escape(const QString& text, bool attribute) {
  QString out;
  out.reserve(text.size() + 8);
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    const char16_t u = c.unicode();
    if (c.isHighSurrogate()) {
      if (i + 1 < n && text.at(i + 1).isLowSurrogate()) {
        out += c;
        out += text.at(++i);
      }
      continue;  // a lone high surrogate is dropped
    }
    if (c.isLowSurrogate()) continue;  // a lone low surrogate is dropped
    switch (u) {
      case u'&':
        out += QLatin1String("&amp;");
        continue;
      case u'<':
        out += QLatin1String("&lt;");
        continue;
      case u'>':
        out += QLatin1String("&gt;");
        continue;
      case u'"':
        out += QLatin1String("&quot;");
        continue;
      case u'\r':
        out += QLatin1String("&#13;");
        continue;
      case u'\n':
        if (attribute)
          out += QLatin1String("&#10;");
        else
          out += c;
        continue;
      case u'\t':
        if (attribute)
          out += QLatin1String("&#9;");
        else
          out += c;
        continue;
      default:
        break;
    }
    if (u < 0x20 || u == 0xFFFE || u == 0xFFFF) continue;
    out += c;
  }
  return out;
}
}  // namespace

QString SwmlText::escapeText(const QString& text) { return escape(text, false); }

QString SwmlText::escapeAttribute(const QString& text) { return escape(text, true); }

qint64 SwmlText::roundToInt(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double low = std::numeric_limits<qint32>::min();
  constexpr double high = std::numeric_limits<qint32>::max();
  if (value <= low) return qint64(low);
  if (value >= high) return qint64(high);
  return qint64(std::llround(value));
}

}  // namespace quabe
