#include "document/SwmlSignReader.h"

#include "core/Diagnostics.h"
#include "document/DbSign.h"
#include "symbols/ISWA.h"

namespace quabe {

namespace {
const QLatin1String kSign("sign");
const QLatin1String kGloss("gloss");
const QLatin1String kSymbol("symbol");
const QLatin1String kComment("comment");
const QLatin1String kSwml("swml");

// The box a sign starts with so that its first symbol sets it.
void setOpenBox(Sign& sign) {
  sign.leftMost = 255;
  sign.rightMost = -255;
  sign.topMost = 255;
  sign.bottomMost = -255;
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

void SwmlSignReader::startDocument() {
  diag(QStringLiteral("*** star document ***"));
  state = States::inDocument;
}

void SwmlSignReader::startElement(QStringView name, const QXmlStreamAttributes& attributes) {
  if (name == kSwml) {
    readRootAttributes(attributes);
  } else if (name == kSign) {
    state = States::inSign;
    sign = std::make_shared<Sign>();  // with a new empty entry
    setOpenBox(*sign);
    m_lineBreakMarked = false;
    const std::optional<int> lane = integerAttribute(attributes, QLatin1String("lane"));
    if (lane && *lane >= -1 && *lane <= 1) sign->lane = *lane;
  } else if (name == kGloss) {
    state = States::inGloss;
    if (sign && attributes.hasAttribute(QLatin1String("yomi")))
      sign->jjs->yomi = attributes.value(QLatin1String("yomi")).toString();
    m_textElement = kGloss;
    m_text.clear();
  } else if (name == kSymbol) {
    state = States::inSymbol;
    sssStr.clear();
    // Each symbol has its own position; a missing or malformed coordinate is 0.
    x = integerAttribute(attributes, QLatin1String("x")).value_or(0);
    y = integerAttribute(attributes, QLatin1String("y")).value_or(0);
    m_textElement = kSymbol;
    m_text.clear();
  } else if (name == kComment) {
    state = States::inComment;
    m_textElement = kComment;
    m_text.clear();
  }
}

void SwmlSignReader::characters(QStringView text) {
  if (!m_textElement.isEmpty()) m_text += text;
}

void SwmlSignReader::endElement(QStringView name) {
  if (!m_textElement.isEmpty() && name == m_textElement) {
    const QString text = m_text.trimmed();
    m_textElement.clear();
    m_text.clear();
    if (name == kSymbol) {
      sssStr = text;
      finishSymbol();
      return;
    }
    if (text.isEmpty() || !sign) return;
    if (name == kGloss) {
      gloss = text;
      if (text == QLatin1String(LineBreakGloss)) {
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

void SwmlSignReader::finishSymbol() {
  if (!sign || !acceptsSymbols()) return;
  std::optional<ISWA> symbol = ISWA::make(sssStr, Hand::none);
  if (!symbol) {
    diag(diagnosticName(),
         QStringLiteral("no image for symbol code \"%1\" (line %2); symbol skipped").arg(sssStr.left(40)).arg(line));
    report.skippedSymbols << QStringLiteral("line %1: \"%2\"").arg(line).arg(sssStr.left(40));
    return;
  }
  symbol->rect.moveTopLeft(QPointF(x, y));
  sign->addSymbol(std::make_shared<ISWA>(std::move(*symbol)));
}

void SwmlSignReader::finishSign() {
  if (!sign) return;
  SignPtr finished = std::move(sign);
  sign.reset();
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
  diag(diagnosticName(), QStringLiteral("the file is damaged at line %1, column %2: %3; the part before it is kept")
                             .arg(report.errorLine)
                             .arg(report.errorColumn)
                             .arg(report.errorText));
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
