#include "NotationTestDictionary.h"

#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/sqlite/SqliteDatabase.h"

namespace quabe::test {

NotationTestDictionary::NotationTestDictionary() {
  if (!m_dir.isValid()) return;
  m_path = m_dir.filePath(QStringLiteral("notation-test.db"));
  QString error;
  m_valid = DictionaryFile::create(m_path, DictionaryFile::defaultSymbolDataPath(), true, &error);
  m_db.setPath(m_path);
}

NotationTestDictionary::~NotationTestDictionary() = default;

qint64 NotationTestDictionary::add(DbSign entry, const QList<DbISWA>& spelling, const QStringList& meanings) {
  entry.signID = m_db.getMaxSignID() + 1;
  entry.meanings = meanings;
  QList<DbISWA> rows = spelling;
  for (qsizetype i = 0; i < rows.size(); ++i) {
    rows[i].signID = entry.signID;
    rows[i].subID = int(i + 1);
    rows[i].sign = entry.gloss;
  }
  return m_db.insertSign(entry, rows, false) ? entry.signID : 0;
}

bool NotationTestDictionary::makeAlias(qint64 signID, const QString& stdGloss) {
  SqliteDatabase database(m_path);
  if (!database.open()) return false;
  return database.executeUpdate(QStringLiteral("UPDATE Signs SET StdGloss=? WHERE SignID=?"), {stdGloss, signID});
}

bool NotationTestDictionary::addMarker(const QString& name, const QList<MarkerSymbol>& symbols) {
  SqliteDatabase database(m_path);
  if (!database.open()) return false;
  int subID = 1;
  for (const MarkerSymbol& symbol : symbols) {
    if (!database.executeUpdate(
            QStringLiteral("INSERT INTO NMS (NMS, subID, sss, pos_x, pos_y, Width, Height) VALUES (?,?,?,?,?,?,?)"),
            {name, subID++, symbol.sss, symbol.x, symbol.y, symbol.width, symbol.height})) {
      return false;
    }
  }
  return true;
}

DbISWA spellingRow(const QString& sss, int x, int y, Hand hand, bool changeableHand, bool turnableArrow) {
  DbISWA row;
  row.sss = sss;
  row.x = x;
  row.y = y;
  row.hand = static_cast<int>(hand);
  row.changeableHand = changeableHand ? 1 : 0;
  row.turnableArrow = turnableArrow ? 1 : 0;
  return row;
}

}  // namespace quabe::test
