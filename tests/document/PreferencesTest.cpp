#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <functional>

#include "core/Resources.h"
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
    settings.setValue(QStringLiteral("SignBoxWidth"), 120.5);
    settings.setValue(QStringLiteral("VerticalWriting"), false);
    settings.setValue(QStringLiteral("AlternativeDictPath"), QStringLiteral("/tmp/辞書.db"));
  }
  Preferences prefs;
  EXPECT_EQ(prefs.defaultSignBoxWidth, 120.5);
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

TEST(Preferences, KeysWithoutAnyValueReadAsZeroFalseAndEmpty) {
  clearStored();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  {
    QFile plist(dir.filePath(QStringLiteral("Defaults.plist")));
    ASSERT_TRUE(plist.open(QIODevice::WriteOnly));
    plist.write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
        "<key>LineSpace</key><real>33</real></dict></plist>\n");
  }
  Resources::setDirectoryOverride(dir.path());
  Resources::registerDefaults();
  const Preferences prefs;
  Resources::setDirectoryOverride(QString());
  Resources::registerDefaults();

  EXPECT_EQ(prefs.lineSpace, 33);
  EXPECT_EQ(prefs.defaultSignBoxWidth, 0);
  EXPECT_EQ(prefs.minSignSpace, 0);
  EXPECT_FALSE(prefs.showRules);
  EXPECT_FALSE(prefs.verticalWriting);
  EXPECT_TRUE(prefs.alternativeDictPath.isEmpty());
  EXPECT_EQ(Preferences().defaultSignBoxWidth, 150);  // the real defaults are back
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
