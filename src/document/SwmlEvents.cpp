#include "document/SwmlEvents.h"

#include <QFile>
#include <QXmlStreamReader>

namespace quabe {

QString SwmlReadReport::damageDescription() const {
  if (!opened) return errorText.isEmpty() ? QStringLiteral("the file could not be opened") : errorText;
  if (!wellFormed) return QStringLiteral("line %1, column %2: %3").arg(errorLine).arg(errorColumn).arg(errorText);
  if (!sawSwmlElement) return QStringLiteral("the file holds no swml element");
  return {};
}

SwmlReadReport runSwmlEvents(QIODevice& device, SwmlEventHandler& handler) {
  QXmlStreamReader xml(&device);
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
        handler.characters(xml.text());
        break;
      case QXmlStreamReader::EndElement:
        handler.endElement(xml.name());
        break;
      case QXmlStreamReader::EndDocument:
        handler.endDocument();
        break;
      default:
        break;
    }
  }
  if (xml.hasError() && !handler.isFinished()) {
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
