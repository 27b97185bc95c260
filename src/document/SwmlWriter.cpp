#include "document/SwmlWriter.h"

#include "document/DbSign.h"
#include "document/SwmlSignReader.h"
#include "document/SwmlText.h"
#include "symbols/ISWA.h"

namespace quabe {

namespace {
const QLatin1String kLineBreakSign("  <sign lane=\"0\">\n    <gloss>NEWLINE</gloss>\n  </sign>\n");

// The start tag's end and the content of a gloss or comment element. White
// space at either end is kept for the reader by xml:space; a gloss that
// reads like the line-break mark is written as character data the reader
// does not take for one.
void appendText(QString& out, const QString& text, bool gloss) {
  if (!text.isEmpty() &&
      (SwmlSignReader::isFormattingSpace(text.front()) || SwmlSignReader::isFormattingSpace(text.back())))
    out += QLatin1String(" xml:space=\"preserve\"");
  out += QLatin1Char('>');
  if (gloss && text == QLatin1String(SwmlSignReader::LineBreakGloss))
    out += QLatin1String("<![CDATA[NEWLINE]]>");
  else
    out += SwmlText::escapeText(text);
}

void appendSignElement(QString& out, const Sign& sign, bool lastInLine, bool vertical) {
  const DbSign* entry = sign.jjs.get();
  const QString gloss = entry ? entry->text(TagStyle::defaultStyle) : QString();
  // A line-break sign that carries a gloss is written as a glossed blank
  // sign followed by a plain line break: the mark leaves no room for a gloss.
  const bool lineBreak = sign.isEmpty() && lastInLine && gloss.isEmpty();
  out += QLatin1String("  <sign lane=\"");
  out += QString::number(sign.lane);
  out += QLatin1String("\">\n    <gloss");
  if (entry && !entry->yomi.isEmpty()) {
    out += QLatin1String(" yomi=\"");
    out += SwmlText::escapeAttribute(entry->yomi);
    out += QLatin1Char('"');
  }
  if (lineBreak) {
    out += QLatin1String(">NEWLINE</gloss>\n");
  } else if (gloss.isEmpty()) {
    out += QLatin1String(" />\n");
  } else {
    appendText(out, gloss, true);
    out += QLatin1String("</gloss>\n");
  }
  // A compound is written as the one sign it shows: its constituents'
  // symbols at their places along the document's writing direction.
  for (const Sign::ShownSymbol& shown : sign.shownSymbols(vertical)) {
    out += QLatin1String("      <symbol x=\"");
    out += QString::number(SwmlText::roundToInt(shown.position.x()));
    out += QLatin1String("\" y=\"");
    out += QString::number(SwmlText::roundToInt(shown.position.y()));
    out += QLatin1String("\">");
    out += SSS::toString(shown.symbol->sss());
    out += QLatin1String("</symbol>\n");
  }
  if (!sign.comment.isEmpty()) {
    out += QLatin1String("      <comment");
    appendText(out, sign.comment, false);
    out += QLatin1String("</comment>\n");
  }
  out += QLatin1String("  </sign>\n");
  if (sign.isEmpty() && lastInLine && !lineBreak) out += kLineBreakSign;
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

QString SwmlWriter::signElement(const Sign& sign, bool lastInLine, bool vertical) {
  QString out;
  appendSignElement(out, sign, lastInLine, vertical);
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
      if (sign) appendSignElement(out, *sign, i == count - 1, prefs.verticalWriting);
    }
  }
  out += footer();
  return out.toUtf8();
}

}  // namespace quabe
