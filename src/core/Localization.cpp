#include "core/Localization.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSettings>

#include "core/Logging.h"
#include "core/Resources.h"

namespace quabe {

namespace {
struct Table {
  bool loaded = false;
  QString language;
  QHash<QString, QHash<QString, QString>> texts;  // language -> key -> text
};

Table& table() {
  static Table t;
  return t;
}

void load(Table& t) {
  t.loaded = true;
  t.texts.clear();
  const QString path = Resources::path(QStringLiteral("Localizable.json"));
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    qCWarning(lcCore) << "Localizable.json not found";
    return;
  }
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
  if (!doc.isObject()) {
    qCWarning(lcCore).noquote() << "Localizable.json:" << error.errorString();
    return;
  }
  const QJsonObject root = doc.object();
  for (auto lang = root.begin(); lang != root.end(); ++lang) {
    const QJsonObject entries = lang.value().toObject();
    auto& target = t.texts[lang.key()];
    for (auto it = entries.begin(); it != entries.end(); ++it) target.insert(it.key(), it.value().toString());
  }
}
}  // namespace

QString Localization::language() {
  Table& t = table();
  if (t.language.isEmpty()) {
    const QString env = qEnvironmentVariable("QUABE_LANG");
    // The language chosen in the preferences; empty follows the system.
    const QString chosen = QSettings().value(QStringLiteral("InterfaceLanguage")).toString();
    if (!env.isEmpty()) {
      t.language = env.left(2);
    } else if (chosen == QLatin1String("en") || chosen == QLatin1String("ja")) {
      t.language = chosen;
    } else {
      t.language = QLocale().language() == QLocale::Japanese ? QStringLiteral("ja") : QStringLiteral("en");
    }
  }
  return t.language;
}

void Localization::setLanguage(const QString& language) { table().language = language; }

void Localization::reload() { table().loaded = false; }

QString Localization::text(const QString& key) {
  Table& t = table();
  if (!t.loaded) load(t);
  const QString lang = language();
  const auto current = t.texts.constFind(lang);
  if (current != t.texts.constEnd()) {
    const auto it = current->constFind(key);
    if (it != current->constEnd() && !it->isEmpty()) return *it;
  }
  const auto english = t.texts.constFind(QStringLiteral("en"));
  if (english != t.texts.constEnd()) {
    const auto it = english->constFind(key);
    if (it != english->constEnd() && !it->isEmpty()) return *it;
  }
  return key;
}

}  // namespace quabe
