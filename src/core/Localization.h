#pragma once

#include <QString>

namespace quabe {

// The application's localisation table (resources/Localizable.json), keyed
// by language ("en", "ja") and then by text key. A key without an entry in
// the current language falls back to English, then to the key itself.
class Localization {
 public:
  static QString text(const QString& key);
  // "en" or "ja"; defaults to the system locale, QUABE_LANG overrides it.
  static QString language();
  static void setLanguage(const QString& language);
  // Drops the loaded table (tests that swap resource directories).
  static void reload();
};

inline QString loc(const char* key) { return Localization::text(QString::fromUtf8(key)); }

}  // namespace quabe
