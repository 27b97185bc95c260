#include <gtest/gtest.h>

#include <QSettings>
#include <functional>

#include "document/Preferences.h"

namespace quabe {
namespace {

const char* const kKeys[] = {
    Preferences::SignBoxWidthKey,   Preferences::SignBoxHeightKey,      Preferences::MinSignSpaceKey,
    Preferences::LineSpaceKey,      Preferences::ShowRulesKey,          Preferences::ShowBordersKey,
    Preferences::ShowSignFramesKey, Preferences::ShowGlossesKey,        Preferences::ShowCommentsKey,
    Preferences::ColorHandsKey,     Preferences::AutoCenteringKey,      Preferences::VerticalWritingKey,
    Preferences::RotatePuncsKey,    Preferences::UseAlternativeDictKey, Preferences::AlternativeDictPathKey};

// Removes the stored preference keys for the test and puts back what was
// stored before.
class SettingsGuard {
 public:
  SettingsGuard() {
    QSettings settings;
    for (const char* key : kKeys) {
      const QString k = QString::fromLatin1(key);
      if (settings.contains(k)) m_saved.insert(k, settings.value(k));
      settings.remove(k);
    }
  }
  ~SettingsGuard() {
    QSettings settings;
    for (const char* key : kKeys) settings.remove(QString::fromLatin1(key));
    for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it) settings.setValue(it.key(), it.value());
  }

 private:
  QVariantMap m_saved;
};

TEST(Preferences, StoredSettingsOverrideTheDefaultsAndRoundTrip) {
  SettingsGuard guard;
  {
    QSettings settings;
    settings.setValue(QStringLiteral("SignBoxWidth"), 120);
    settings.setValue(QStringLiteral("VerticalWriting"), false);
    settings.setValue(QStringLiteral("AlternativeDictPath"), QStringLiteral("/tmp/辞書.db"));
    // Sizes a document file cannot keep (an earlier version stored them)
    // give the document the fallbacks, as reading its file would.
    settings.setValue(QStringLiteral("LineSpace"), 150);
    settings.setValue(QStringLiteral("MinSignSpace"), 12.5);
  }
  Preferences prefs;
  EXPECT_EQ(prefs.defaultSignBoxWidth, 120);
  EXPECT_EQ(prefs.lineSpace, 20);
  EXPECT_EQ(prefs.minSignSpace, 10);
  EXPECT_FALSE(prefs.verticalWriting);
  EXPECT_EQ(prefs.alternativeDictPath, QStringLiteral("/tmp/辞書.db"));
  EXPECT_EQ(prefs.defaultSignBoxHeight, 150);  // not stored: the default

  prefs.defaultSignBoxHeight = 90;
  prefs.showBorders = true;
  prefs.useAlternativeDict = true;
  prefs.writeUserDefaults();
  const Preferences reread;
  EXPECT_EQ(reread, prefs);
  EXPECT_EQ(reread.defaultSignBoxHeight, 90);
  EXPECT_TRUE(reread.showBorders);
}

TEST(Preferences, EqualityComparesEveryField) {
  const Preferences base;
  const Preferences copy = base;
  EXPECT_EQ(copy, base);

  const std::vector<std::function<void(Preferences&)>> changes = {
      [](Preferences& p) { p.defaultSignBoxWidth += 1; },
      [](Preferences& p) { p.defaultSignBoxHeight += 0.5; },
      [](Preferences& p) { p.minSignSpace += 1; },
      [](Preferences& p) { p.lineSpace -= 1; },
      [](Preferences& p) { p.showRules = !p.showRules; },
      [](Preferences& p) { p.showBorders = !p.showBorders; },
      [](Preferences& p) { p.showSignFrames = !p.showSignFrames; },
      [](Preferences& p) { p.showGlosses = !p.showGlosses; },
      [](Preferences& p) { p.showComments = !p.showComments; },
      [](Preferences& p) { p.colorHands = !p.colorHands; },
      [](Preferences& p) { p.autoCentering = !p.autoCentering; },
      [](Preferences& p) { p.verticalWriting = !p.verticalWriting; },
      [](Preferences& p) { p.rotatePuncs = !p.rotatePuncs; },
      [](Preferences& p) { p.useAlternativeDict = !p.useAlternativeDict; },
      [](Preferences& p) { p.alternativeDictPath += QStringLiteral("/other.db"); },
  };
  for (size_t i = 0; i < changes.size(); ++i) {
    Preferences changed = base;
    changes[i](changed);
    EXPECT_NE(changed, base) << "field " << i;
  }
  // Numbers compare numerically.
  Preferences a = base, b = base;
  a.lineSpace = 20;
  b.lineSpace = 20.0f;
  EXPECT_EQ(a, b);
}

}  // namespace
}  // namespace quabe
