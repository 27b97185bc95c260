#include "document/SwmlParser.h"

#include "document/Preferences.h"

namespace quabe {

SwmlParser::SwmlParser() : firstSign(std::make_shared<Sign>()) {}

SwmlReadReport SwmlParser::parse(const QString& path) { return runSwmlEvents(path, *this); }

SwmlReadReport SwmlParser::parse(QIODevice& device) { return runSwmlEvents(device, *this); }

void SwmlParser::readRootAttributes(const QXmlStreamAttributes& attributes) {
  const std::optional<int> width = integerAttribute(attributes, QLatin1String("signboxWidth"));
  if (width && Preferences::SignBoxRange.contains(*width)) signBoxWidth = *width;
  const std::optional<int> height = integerAttribute(attributes, QLatin1String("signboxHeight"));
  if (height && Preferences::SignBoxRange.contains(*height)) signBoxHeight = *height;
}

void SwmlParser::signFinished(const SignPtr& sign, bool lineBreak) {
  if (firstSignDidRead) return;
  firstSign = sign;
  firstSignDidRead = true;
}

}  // namespace quabe
