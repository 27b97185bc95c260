#include "document/SwmlEvents.h"

#include <QFile>
#include <QXmlStreamReader>

namespace quabe {

QString SwmlReadReport::damageDescription() const {
  if (!opened) return errorText.isEmpty() ? QStringLiteral("the file could not be opened") : errorText;
  QStringList parts;
  if (!wellFormed) parts << QStringLiteral("line %1, column %2: %3").arg(errorLine).arg(errorColumn).arg(errorText);
  if (!sawSwmlElement) parts << QStringLiteral("the file holds no swml element");
  if (!skippedSymbols.isEmpty())
    parts << QStringLiteral("%1 symbols without an image left out: %2")
                 .arg(skippedSymbols.size())
                 .arg(skippedSymbols.join(QStringLiteral(", ")));
  if (!clampedCoordinates.isEmpty())
    parts << QStringLiteral("%1 coordinates beyond the limit clamped: %2")
                 .arg(clampedCoordinates.size())
                 .arg(clampedCoordinates.join(QStringLiteral(", ")));
  return parts.join(QStringLiteral("; "));
}

namespace {
// Offset of the first byte that does not start a well-formed UTF-8 sequence
// (overlong forms, surrogates and code points above U+10FFFF included), or
// -1 when all bytes are well-formed.
qsizetype firstInvalidUtf8(const QByteArray& bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  while (i < n) {
    const unsigned char c = b[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int length = 0;
    char32_t code = 0, minimum = 0;
    if ((c & 0xE0) == 0xC0) {
      length = 2, code = c & 0x1F, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3, code = c & 0x0F, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      length = 4, code = c & 0x07, minimum = 0x10000;
    } else {
      return i;
    }
    if (i + length > n) return i;
    for (int k = 1; k < length; ++k) {
      if ((b[i + k] & 0xC0) != 0x80) return i;
      code = (code << 6) | (b[i + k] & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return i;
    i += length;
  }
  return -1;
}

// True when the bytes are meant as UTF-8: no UTF-16/32 byte-order mark and
// no XML declaration naming another encoding.
bool declaredUtf8(const QByteArray& bytes) {
  if (bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith(QByteArray("\0\0", 2)))
    return false;
  // UTF-16 without a mark.
  if ((bytes.size() >= 1 && bytes.at(0) == '\0') || (bytes.size() >= 2 && bytes.at(1) == '\0')) return false;
  const QByteArray head = bytes.left(bytes.indexOf("?>") + 2);
  if (!head.startsWith("<?xml") && !head.startsWith("\xEF\xBB\xBF<?xml")) return true;
  const qsizetype at = head.indexOf("encoding");
  if (at < 0) return true;
  qsizetype quote = at + 8;
  while (quote < head.size() && head.at(quote) != '"' && head.at(quote) != '\'') ++quote;
  if (quote >= head.size()) return true;
  const qsizetype close = head.indexOf(head.at(quote), quote + 1);
  const QByteArray name = head.mid(quote + 1, close - quote - 1).toLower();
  return name == "utf-8" || name == "utf8";
}

// Line and column (both from 1, the column in characters) of a byte offset.
std::pair<qint64, qint64> positionOf(const QByteArray& bytes, qsizetype offset) {
  const QByteArray before = bytes.left(offset);
  const qsizetype lineStart = before.lastIndexOf('\n') + 1;
  return {before.count('\n') + 1, QString::fromUtf8(before.mid(lineStart)).size() + 1};
}
}  // namespace

SwmlReadReport runSwmlEvents(QIODevice& device, SwmlEventHandler& handler) {
  // The XML reader decodes its input in blocks and rejects a whole block
  // that holds a malformed UTF-8 sequence, losing the good text before it.
  // So only the well-formed part is handed to it and the bad bytes are
  // reported where they are.
  const QByteArray bytes = device.readAll();
  const bool utf8 = declaredUtf8(bytes);
  const qsizetype invalidAt = utf8 ? firstInvalidUtf8(bytes) : -1;
  QXmlStreamReader xml;
  if (utf8) {
    // Decoded in one go: much faster than the reader's own block decoding.
    xml.addData(QString::fromUtf8(invalidAt >= 0 ? bytes.left(invalidAt) : bytes));
  } else {
    xml.addData(bytes);
  }
  bool started = false;
  while (!xml.atEnd() && !handler.isFinished()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    handler.line = xml.lineNumber();
    handler.column = xml.columnNumber();
    switch (token) {
      case QXmlStreamReader::StartDocument:
        started = true;
        handler.startDocument();
        break;
      case QXmlStreamReader::StartElement:
        if (!started) {
          // A file without an XML declaration has no StartDocument token.
          started = true;
          handler.startDocument();
        }
        if (xml.name() == QLatin1String("swml")) handler.report.sawSwmlElement = true;
        handler.startElement(xml.name(), xml.attributes());
        break;
      case QXmlStreamReader::Characters:
        handler.characters(xml.text(), xml.isCDATA());
        break;
      case QXmlStreamReader::EndElement:
        handler.endElement(xml.name());
        break;
      case QXmlStreamReader::EndDocument:
        if (invalidAt < 0) handler.endDocument();
        break;
      default:
        break;
    }
  }
  if (handler.isFinished()) return handler.report;
  const bool encodingError =
      invalidAt >= 0 && (!xml.hasError() || xml.error() == QXmlStreamReader::PrematureEndOfDocumentError);
  if (encodingError) {
    const auto [line, column] = positionOf(bytes, invalidAt);
    handler.report.wellFormed = false;
    handler.report.errorText = QStringLiteral("Encountered incorrectly encoded content.");
    handler.report.errorLine = line;
    handler.report.errorColumn = column;
    handler.documentDamaged();
  } else if (xml.hasError()) {
    handler.report.wellFormed = false;
    handler.report.errorText = xml.errorString();
    handler.report.errorLine = xml.lineNumber();
    handler.report.errorColumn = xml.columnNumber();
    handler.documentDamaged();
  }
  return handler.report;
}

SwmlReadReport runSwmlEvents(const QString& path, SwmlEventHandler& handler) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    handler.report.opened = false;
    handler.report.errorText = QStringLiteral("%1: %2").arg(path, file.errorString());
    return handler.report;
  }
  return runSwmlEvents(file, handler);
}

}  // namespace quabe
