#include "document/SwmlSignReader.h"

#include "core/Logging.h"
#include "document/DbSign.h"
#include "symbols/CoordinateLimits.h"
#include "symbols/ISWA.h"

namespace quabe {

namespace {
const QLatin1String kSign("sign");
const QLatin1String kGloss("gloss");
const QLatin1String kSymbol("symbol");
const QLatin1String kComment("comment");
const QLatin1String kSwml("swml");

QString withoutFormattingSpace(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && SwmlSignReader::isFormattingSpace(text.at(first))) ++first;
  while (last > first && SwmlSignReader::isFormattingSpace(text.at(last - 1))) --last;
  return text.mid(first, last - first);
}

std::optional<QString> attributeText(const QXmlStreamAttributes& attributes, QLatin1String name) {
  if (!attributes.hasAttribute(name)) return std::nullopt;
  return attributes.value(name).toString();
}
}  // namespace

std::optional<int> SwmlSignReader::integerAttribute(const QXmlStreamAttributes& attributes, QLatin1String name) {
  if (!attributes.hasAttribute(name)) return std::nullopt;
  bool ok = false;
  const int value = attributes.value(name).toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

void SwmlSignReader::setWrittenGloss(DbSign& entry, const QString& text) {
  entry.gloss = text;
  entry.tag.clear();
  if (text.size() < 2 || !DbSign::isCircledDigit(text.back())) return;
  const auto [glossPart, tagPart] = DbSign::splitGlossAndTag(text);
  if (glossPart + tagPart != text) return;
  entry.gloss = glossPart;
  entry.tag = tagPart;
}

void SwmlSignReader::startDocument() { state = States::inDocument; }

void SwmlSignReader::startElement(QStringView name, const QXmlStreamAttributes& attributes) {
  const auto collectText = [&](QLatin1String element) {
    m_textElement = element;
    m_text.clear();
    m_textFromCdata = false;
    m_preserveSpace = attributes.value(QLatin1String("xml:space")) == QLatin1String("preserve");
  };
  if (name == kSwml) {
    readRootAttributes(attributes);
  } else if (name == kSign) {
    state = States::inSign;
    sign = std::make_shared<Sign>();  // with a new empty entry
    m_lineBreakMarked = false;
    const std::optional<int> lane = integerAttribute(attributes, QLatin1String("lane"));
    if (lane && *lane >= -1 && *lane <= 1) sign->lane = *lane;
  } else if (name == kGloss) {
    state = States::inGloss;
    if (sign && attributes.hasAttribute(QLatin1String("yomi")))
      sign->jjs->yomi = attributes.value(QLatin1String("yomi")).toString();
    collectText(kGloss);
  } else if (name == kSymbol) {
    state = States::inSymbol;
    sssStr.clear();
    // Each symbol has its own position; a missing coordinate is 0.
    m_xText = attributeText(attributes, QLatin1String("x"));
    m_yText = attributeText(attributes, QLatin1String("y"));
    collectText(kSymbol);
  } else if (name == kComment) {
    state = States::inComment;
    collectText(kComment);
  }
}

void SwmlSignReader::characters(QStringView text, bool cdata) {
  if (m_textElement.isEmpty()) return;
  m_text += text;
  m_textFromCdata = m_textFromCdata || cdata;
}

void SwmlSignReader::endElement(QStringView name) {
  if (!m_textElement.isEmpty() && name == m_textElement) {
    const QString text = m_preserveSpace ? m_text : withoutFormattingSpace(m_text);
    m_textElement.clear();
    m_text.clear();
    if (name == kSymbol) {
      sssStr = withoutFormattingSpace(text);
      finishSymbol();
      return;
    }
    if (text.isEmpty() || !sign) return;
    if (name == kGloss) {
      gloss = text;
      if (text == QLatin1String(LineBreakGloss) && !m_textFromCdata) {
        m_lineBreakMarked = true;
        sign->jjs->gloss.clear();
        sign->jjs->tag.clear();
      } else {
        m_lineBreakMarked = false;
        setWrittenGloss(*sign->jjs, text);
      }
    } else if (name == kComment) {
      sign->comment = text;
    }
    return;
  }
  if (name == kSign) finishSign();
}

double SwmlSignReader::coordinate(const QString& name, const std::optional<QString>& text) {
  if (!text) return 0;
  bool ok = false;
  const double value = text->trimmed().toDouble(&ok);
  if (ok && isSymbolCoordinateInRange(value)) return value;
  const QString where = QStringLiteral("%1 \"%2\" (line %3)").arg(name, text->left(40)).arg(line);
  qCDebug(lcDocument).noquote() << "symbol coordinate" << where << "clamped";
  report.clampedCoordinates << where;
  return ok ? clampSymbolCoordinate(value) : 0;
}

void SwmlSignReader::finishSymbol() {
  if (!sign || !acceptsSymbols()) return;
  std::optional<ISWA> symbol = ISWA::make(sssStr, Hand::none);
  if (!symbol) {
    const QString where = QStringLiteral("%1 (line %2)").arg(sssStr.left(40)).arg(line);
    qCDebug(lcDocument).noquote() << "no image for symbol code" << where << "- symbol skipped";
    report.skippedSymbols << where;
    return;
  }
  x = coordinate(QStringLiteral("x"), m_xText);
  y = coordinate(QStringLiteral("y"), m_yText);
  symbol->rect.moveTopLeft(QPointF(x, y));
  sign->symbols.append(std::make_shared<ISWA>(std::move(*symbol)));
}

void SwmlSignReader::finishSign() {
  if (!sign) return;
  SignPtr finished = std::move(sign);
  sign.reset();
  // The box comes from the symbols alone, which keep their places.
  finished->updateBounds();
  bool lineBreak = false;
  if (m_lineBreakMarked) {
    m_lineBreakMarked = false;
    if (finished->isEmpty()) {
      lineBreak = true;
      finished->leftMost = 0;
      finished->topMost = 0;
      finished->rightMost = lineBreakBoxWidth();
      finished->bottomMost = lineBreakBoxHeight();
      finished->width = finished->rightMost;
      finished->height = finished->bottomMost;
    } else {
      // A sign with symbols is never a line break, whatever its gloss says.
      finished->jjs->gloss = QLatin1String(LineBreakGloss);
    }
  }
  signFinished(finished, lineBreak);
}

void SwmlSignReader::documentDamaged() {
  qCDebug(lcDocument).noquote() << "damaged at line" << report.errorLine << "column" << report.errorColumn << "-"
                                << report.errorText << "- the part before it is kept";
  // Keep the sign the file broke off in when anything of it was read.
  if (!sign) return;
  if (m_textElement == kSymbol) {
    m_textElement.clear();
    m_text.clear();
  }
  if (sign->symbols.isEmpty() && sign->jjs->gloss.isEmpty() && sign->comment.isEmpty() && !m_lineBreakMarked) {
    sign.reset();
    return;
  }
  finishSign();
}

}  // namespace quabe
