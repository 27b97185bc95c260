#include <gtest/gtest.h>

#include <QSettings>
#include <functional>

#include "document/Preferences.h"

namespace quabe {
namespace {

// Each test starts without stored preferences (the test main keeps the
// settings in a temporary folder).
void clearStored() { QSettings().clear(); }

TEST(Preferences, StoredSettingsOverrideTheDefaultsAndRoundTrip) {
  clearStored();
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
