#include "dictionary/ui/SignListQuery.h"

#include <QHash>

#include "dictionary/Db.h"

namespace quabe {

namespace {

// A LIKE pattern matching the text anywhere, literally (ESCAPE '\').
QString containsPattern(const QString& text) {
  QString escaped = QStringLiteral("%");
  for (const QChar c : text) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('%')) escaped += QLatin1Char('\\');
    escaped += c;
  }
  return escaped + QLatin1Char('%');
}

// Above this many rows the meanings are read in one pass over the table.
constexpr int BulkMeaningsThreshold = 200;

}  // namespace

QList<DbSign> listDictionarySigns(const QString& search, int from, int to) {
  SqliteDatabase db = Db::database();
  if (!db.open()) return {};
  QString sql = QStringLiteral("SELECT * FROM Signs WHERE ((StdGloss IS NULL) OR (StdGloss = '')) ");
  QVariantList arguments;
  if (!search.isEmpty()) {
    const QString pattern = containsPattern(DbSign::splitGlossAndTag(search).first);
    sql += QStringLiteral(
        " AND ((Gloss LIKE ? ESCAPE '\\' OR Yomi LIKE ? ESCAPE '\\')  OR (SignID in (SELECT SignID FROM Translation "
        "WHERE Japanese LIKE ? ESCAPE '\\')))");
    arguments = {pattern, pattern, pattern};
  }
  sql += QStringLiteral(" ORDER BY Yomi");
  QList<DbSign> entries;
  {
    auto rs = db.executeQuery(sql, arguments);
    int row = 0;
    while (row < to && rs && rs->next()) {
      ++row;
      if (row < from) continue;
      entries.append(Db::makeDbSign(*rs));
    }
  }
  if (entries.size() <= BulkMeaningsThreshold) {
    for (DbSign& entry : entries) entry.meanings = Db::getMeanings(entry.signID, db);
    return entries;
  }
  QHash<qint64, QStringList> meanings;
  {
    auto rs = db.executeQuery(QStringLiteral(
        "SELECT SignID, Japanese FROM Translation WHERE Japanese IS NOT NULL ORDER BY SignID, Japanese"));
    while (rs && rs->next())
      meanings[rs->longForColumnIndex(0)].append(rs->stringForColumnIndex(1).value_or(QString()));
  }
  for (DbSign& entry : entries) entry.meanings = meanings.value(entry.signID);
  return entries;
}

}  // namespace quabe
