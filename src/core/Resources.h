#pragma once

#include <QString>
#include <QVariantMap>

namespace quabe {

// Finds the application's resources by name: the directory named by the
// QUABE_RESOURCE_DIR environment variable, the installed tree next to the
// executable, the build tree, then the committed sources.
class Resources {
 public:
  // Full path of the resource, or an empty string when it is nowhere.
  static QString path(const QString& name);
  static QStringList searchDirectories();
  // Overrides the search (tests); an empty string restores the default.
  static void setDirectoryOverride(const QString& dir);

  // The "Defaults" property list as a map (empty when it is missing).
  static QVariantMap defaults();
  // Registers the defaults as fall-back values of the user settings.
  static void registerDefaults();
  // A user setting, or its registered default, or an invalid value.
  static QVariant setting(const QString& key);

  // Reads an XML property list (dict of string, real, integer, true/false).
  static QVariantMap readPropertyList(const QString& path);
};

}  // namespace quabe
