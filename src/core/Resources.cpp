#include "core/Resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QXmlStreamReader>

#include "BuildPaths.h"
#include "core/Logging.h"

namespace quabe {

namespace {
QString g_override;
QVariantMap g_registeredDefaults;

QVariant readPlistValue(QXmlStreamReader& xml);

QVariantMap readPlistDict(QXmlStreamReader& xml) {
  QVariantMap map;
  QString key;
  while (xml.readNextStartElement()) {
    if (xml.name() == QLatin1String("key")) {
      key = xml.readElementText();
    } else {
      map.insert(key, readPlistValue(xml));
    }
  }
  return map;
}

QVariant readPlistValue(QXmlStreamReader& xml) {
  const QStringView name = xml.name();
  if (name == QLatin1String("dict")) return readPlistDict(xml);
  if (name == QLatin1String("true")) {
    xml.skipCurrentElement();
    return true;
  }
  if (name == QLatin1String("false")) {
    xml.skipCurrentElement();
    return false;
  }
  const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
  if (name == QLatin1String("real")) return text.toDouble();
  if (name == QLatin1String("integer")) return text.toLongLong();
  return text;
}
}  // namespace

QStringList Resources::searchDirectories() {
  QStringList dirs;
  if (!g_override.isEmpty()) dirs << g_override;
  const QString env = qEnvironmentVariable("QUABE_RESOURCE_DIR");
  if (!env.isEmpty()) dirs << env;
  if (QCoreApplication::instance()) {
    const QString appDir = QCoreApplication::applicationDirPath();
    dirs << appDir + QStringLiteral("/../share/quabe") << appDir + QStringLiteral("/../resources")
         << appDir + QStringLiteral("/resources");
  }
  dirs << QStringLiteral(QUABE_BUILD_RESOURCE_DIR) << QStringLiteral(QUABE_SOURCE_RESOURCE_DIR);
  return dirs;
}

QString Resources::path(const QString& name) {
  for (const QString& dir : searchDirectories()) {
    const QString candidate = QDir(dir).filePath(name);
    if (QFileInfo::exists(candidate)) return QFileInfo(candidate).absoluteFilePath();
  }
  return {};
}

void Resources::setDirectoryOverride(const QString& dir) { g_override = dir; }

QVariantMap Resources::readPropertyList(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&file);
  while (xml.readNextStartElement()) {
    if (xml.name() == QLatin1String("plist")) continue;
    if (xml.name() == QLatin1String("dict")) return readPlistDict(xml);
    xml.skipCurrentElement();
  }
  if (xml.hasError()) qCWarning(lcCore).noquote() << path << xml.errorString();
  return {};
}

QVariantMap Resources::defaults() {
  const QString p = path(QStringLiteral("Defaults.plist"));
  if (p.isEmpty()) {
    qCWarning(lcCore) << "Defaults.plist not found";
    return {};
  }
  return readPropertyList(p);
}

void Resources::registerDefaults() { g_registeredDefaults = defaults(); }

QVariant Resources::setting(const QString& key) {
  QSettings settings;
  if (settings.contains(key)) return settings.value(key);
  return g_registeredDefaults.value(key);
}

}  // namespace quabe
