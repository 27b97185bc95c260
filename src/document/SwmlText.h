#pragma once

#include <QByteArray>
#include <QString>

namespace quabe {

// Text helpers of the SWML writer.
class SwmlText {
 public:
  // Escapes a text for element content: "&", "<", ">" and '"' become
  // entities and a carriage return becomes "&#13;" so that it survives the
  // reader's line-end normalisation. Characters XML 1.0 does not allow at
  // all (control characters other than tab, line feed and carriage return,
  // lone surrogates, U+FFFE and U+FFFF) are left out: no reader could open
  // a file holding them.
  static QString escapeText(const QString& text);
  // As escapeText, and tab and line feed become character references, since
  // a reader turns them into spaces inside an attribute value.
  static QString escapeAttribute(const QString& text);

  // A coordinate or size rounded to the nearest integer, halves away from
  // zero; a value that is not finite gives 0 and huge values are clamped to
  // the 32-bit range.
  static qint64 roundToInt(double value);
};

}  // namespace quabe
