#include "document/Preferences.h"

#include <QSettings>
#include <QVariant>

#include "core/Resources.h"

namespace quabe {

namespace {
QVariant setting(const char* key) { return Resources::setting(QString::fromLatin1(key)); }

double number(const char* key) { return setting(key).toDouble(); }

bool flag(const char* key) { return setting(key).toBool(); }

QString text(const char* key) {
  const QVariant value = setting(key);
  return value.isValid() ? value.toString() : QString();
}
}  // namespace

Preferences::Preferences() { readUserDefaults(); }

void Preferences::readUserDefaults() {
  defaultSignBoxWidth = SignBoxRange.sanitized(number(SignBoxWidthKey));
  defaultSignBoxHeight = SignBoxRange.sanitized(number(SignBoxHeightKey));
  minSignSpace = SignSpaceRange.sanitized(number(MinSignSpaceKey));
  lineSpace = LineSpaceRange.sanitized(number(LineSpaceKey));
  showRules = flag(ShowRulesKey);
  showBorders = flag(ShowBordersKey);
  showSignFrames = flag(ShowSignFramesKey);
  showGlosses = flag(ShowGlossesKey);
  showComments = flag(ShowCommentsKey);
  colorHands = flag(ColorHandsKey);
  autoCentering = flag(AutoCenteringKey);
  verticalWriting = flag(VerticalWritingKey);
  rotatePuncs = flag(RotatePuncsKey);
  useAlternativeDict = flag(UseAlternativeDictKey);
  alternativeDictPath = text(AlternativeDictPathKey);
}

void Preferences::writeUserDefaults() const {
  QSettings settings;
  const auto put = [&settings](const char* key, const QVariant& value) {
    settings.setValue(QString::fromLatin1(key), value);
  };
  put(SignBoxWidthKey, defaultSignBoxWidth);
  put(SignBoxHeightKey, defaultSignBoxHeight);
  put(MinSignSpaceKey, minSignSpace);
  put(LineSpaceKey, lineSpace);
  put(ShowRulesKey, showRules);
  put(ShowBordersKey, showBorders);
  put(ShowSignFramesKey, showSignFrames);
  put(ShowGlossesKey, showGlosses);
  put(ShowCommentsKey, showComments);
  put(ColorHandsKey, colorHands);
  put(AutoCenteringKey, autoCentering);
  put(VerticalWritingKey, verticalWriting);
  put(RotatePuncsKey, rotatePuncs);
  put(UseAlternativeDictKey, useAlternativeDict);
  put(AlternativeDictPathKey, alternativeDictPath);
}

}  // namespace quabe
