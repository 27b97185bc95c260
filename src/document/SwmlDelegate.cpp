#include "document/SwmlDelegate.h"

namespace quabe {

SWMLDelegate::SWMLDelegate(BufferManager& bufferMan, Preferences& prefs) : bufferMan(bufferMan), prefs(prefs) {
  bufferMan.editBuffer.clear();
  bufferMan.cachedLine = -1;
  bufferMan.cachedNode = std::make_shared<SignString>();
  startLine();
}

void SWMLDelegate::startLine() {
  signString = std::make_shared<SignString>();
  bufferMan.editBuffer.append(signString);
}

SwmlReadReport SWMLDelegate::read(const QString& path) { return runSwmlEvents(path, *this); }

SwmlReadReport SWMLDelegate::read(QIODevice& device) { return runSwmlEvents(device, *this); }

void SWMLDelegate::readRootAttributes(const QXmlStreamAttributes& attributes) {
  const auto apply = [&attributes](const char* name, const Preferences::Range& range, double& field) {
    const std::optional<int> v = integerAttribute(attributes, QLatin1String(name));
    if (v) field = range.sanitized(*v);
  };
  apply("signboxWidth", Preferences::SignBoxRange, prefs.defaultSignBoxWidth);
  apply("signboxHeight", Preferences::SignBoxRange, prefs.defaultSignBoxHeight);
  apply("lineSpace", Preferences::LineSpaceRange, prefs.lineSpace);
  apply("signSpace", Preferences::SignSpaceRange, prefs.minSignSpace);
  const QLatin1String direction("writingDirection");
  if (attributes.hasAttribute(direction))
    prefs.verticalWriting = attributes.value(direction) == QLatin1String("vertical");
}

void SWMLDelegate::signFinished(const SignPtr& sign, bool lineBreak) {
  signString->signArray.append(sign);
  m_lastSignWasLineBreak = lineBreak;
  if (lineBreak) startLine();
}

void SWMLDelegate::closeLastLine() {
  if (signString->signArray.isEmpty() || m_lastSignWasLineBreak) return;
  const SignPtr& last = signString->signArray.last();
  if (last->isEmpty()) signString->signArray.append(std::make_shared<Sign>());
}

void SWMLDelegate::endDocument() {
  closeLastLine();
  bufferMan.removeEmptyLastLine();
}

void SWMLDelegate::documentDamaged() {
  SwmlSignReader::documentDamaged();
  closeLastLine();
}

}  // namespace quabe
