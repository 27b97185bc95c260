#include "dictionary/ui/SignListQuery.h"

#include <QHash>

#include "dictionary/Dictionary.h"

namespace quabe {

namespace {

// Above this many rows the meanings are read in one pass over the table.
constexpr int BulkMeaningsThreshold = 200;

}  // namespace

QList<DbSign> listDictionarySigns(const QString& dictionaryPath, const QString& search, int from, int to) {
  SqliteDatabase db(dictionaryPath);
  if (!db.open()) return {};
  QList<DbSign> entries = Dictionary::getWholeSignRecords(search, from, to, db);
  if (entries.size() <= BulkMeaningsThreshold) {
    for (DbSign& entry : entries) entry.meanings = Dictionary::getMeanings(entry.signID, db);
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
