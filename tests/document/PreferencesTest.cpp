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

  prefs.defaultSignBoxHeight = 90;
  prefs.showBorders = true;
  prefs.useAlternativeDict = true;
  prefs.writeUserDefaults();
  EXPECT_EQ(Preferences(), prefs);
}

}  // namespace
}  // namespace quabe
