#include "document/SwmlWriter.h"

#include "document/DbSign.h"
#include "document/SwmlText.h"
#include "symbols/ISWA.h"

namespace quabe {

namespace {
void appendSignElement(QString& out, const Sign& sign, bool lastInLine) {
  out += QLatin1String("  <sign lane=\"");
  out += QString::number(sign.lane);
  out += QLatin1String("\">\n    <gloss");
  const DbSign* entry = sign.jjs.get();
  if (entry && !entry->yomi.isEmpty()) {
    out += QLatin1String(" yomi=\"");
    out += SwmlText::escapeAttribute(entry->yomi);
    out += QLatin1Char('"');
  }
  if (sign.isEmpty() && lastInLine) {
    out += QLatin1String(">NEWLINE</gloss>\n");
  } else {
    const QString text = entry ? entry->text(TagStyle::defaultStyle) : QString();
    if (text.isEmpty()) {
      out += QLatin1String(" />\n");
    } else {
      out += QLatin1Char('>');
      out += SwmlText::escapeText(text);
      out += QLatin1String("</gloss>\n");
    }
  }
  for (const ISWAPtr& symbol : sign.symbols) {
    if (!symbol) continue;
    out += QLatin1String("      <symbol x=\"");
    out += QString::number(SwmlText::roundToInt(symbol->rect.x()));
    out += QLatin1String("\" y=\"");
    out += QString::number(SwmlText::roundToInt(symbol->rect.y()));
    out += QLatin1String("\">");
    out += SSS::toString(symbol->sss());
    out += QLatin1String("</symbol>\n");
  }
  if (!sign.comment.isEmpty()) {
    out += QLatin1String("      <comment>");
    out += SwmlText::escapeText(sign.comment);
    out += QLatin1String("</comment>\n");
  }
  out += QLatin1String("  </sign>\n");
}
}  // namespace

QString SwmlWriter::header(const Preferences& prefs) {
  QString out;
  out += QLatin1String("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
  out += QLatin1String("<!DOCTYPE swml SYSTEM \"");
  out += QLatin1String(DocumentTypeAddress);
  out += QLatin1String("\">\n");
  out += QLatin1String("<swml dialect=\"S\" version=\"1.1\" lang=\"sgn\" glosslang=\"\" \n");
  out += QStringLiteral(
             "  signboxWidth=\"%1\" signboxHeight=\"%2\" writingDirection=\"%3\" lineSpace=\"%4\" signSpace=\"%5\">\n")
             .arg(SwmlText::roundToInt(prefs.defaultSignBoxWidth))
             .arg(SwmlText::roundToInt(prefs.defaultSignBoxHeight))
             .arg(prefs.verticalWriting ? QLatin1String("vertical") : QLatin1String("horizontal"))
             .arg(SwmlText::roundToInt(prefs.lineSpace))
             .arg(SwmlText::roundToInt(prefs.minSignSpace));
  return out;
}

QString SwmlWriter::signElement(const Sign& sign, bool lastInLine) {
  QString out;
  appendSignElement(out, sign, lastInLine);
  return out;
}

QString SwmlWriter::footer() { return QStringLiteral("</swml>\n"); }

QByteArray SwmlWriter::write(const BufferManager& buffer, const Preferences& prefs) {
  QString out = header(prefs);
  for (const SignStringPtr& line : buffer.editBuffer) {
    if (!line) continue;
    const qsizetype count = line->signArray.size();
    for (qsizetype i = 0; i < count; ++i) {
      const SignPtr& sign = line->signArray.at(i);
      if (sign) appendSignElement(out, *sign, i == count - 1);
    }
  }
  out += footer();
  return out.toUtf8();
}

}  // namespace quabe
