#include "DictionaryFixture.h"

#include <QFile>

#include "dictionary/DictionaryFile.h"

namespace quabe::test {

QString makeSymbolData(const QString& path) {
  SqliteDatabase db(path);
  EXPECT_TRUE(db.openOrCreate());
  EXPECT_TRUE(db.executeUpdate("CREATE TABLE Symbols(code TEXT PRIMARY KEY, fsw TEXT, width INTEGER, height INTEGER)"));
  const QList<QVariantList> rows = {{"01-01-001-01-01-01", "S10000", 15, 30}, {"01-01-001-01-01-02", "S10001", 21, 30},
                                    {"01-01-001-01-01-08", "S10007", 21, 30}, {"01-01-001-01-01-09", "S10008", 15, 30},
                                    {"01-05-001-01-01-01", "S14c00", 23, 31}, {"02-01-001-01-01-01", "S20500", 10, 11},
                                    {"04-01-001-01-01-01", "S2ff00", 36, 35}, {"04-02-001-01-01-01", "S30a00", 36, 35}};
  for (const QVariantList& row : rows) {
    EXPECT_TRUE(db.executeUpdate("INSERT INTO Symbols VALUES (?,?,?,?)", row));
  }
  return path;
}

void DictionaryFixture::SetUp() {
  ASSERT_TRUE(dir.isValid());
  symbolData = makeSymbolData(file("symbols.db"));
  path = file("dict.db");
  QString error;
  ASSERT_TRUE(DictionaryFile::create(path, symbolData, false, &error)) << error.toStdString();
  db.setPath(path);
  QObject::connect(&db, &Dictionary::changed, [this] { ++writes; });
  writes = 0;
}

qint64 DictionaryFixture::addEntry(const QString& gloss, const QString& tag, const QString& yomi,
                                   const QStringList& meanings) {
  DbSign entry = newEntry(gloss, tag);
  entry.yomi = yomi;
  entry.meanings = meanings;
  DbISWA row = spellingRow("01-01-001-01-01-01", 0, 0, Hand::right);
  row.subID = 1;
  row.sign = gloss;
  EXPECT_TRUE(db.insertSign(entry, {row}, false));
  return entry.signID;
}

QString DictionaryFixture::junkFile() {
  EXPECT_TRUE(writeFile(file("junk.db"), QByteArray(10000, '\x07')));
  return file("junk.db");
}

QString DictionaryFixture::foreignDatabase() {
  SqliteDatabase other(file("other.db"));
  EXPECT_TRUE(other.openOrCreate() && other.executeUpdate("CREATE TABLE Other (x)"));
  return file("other.db");
}

void makeReadOnly(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(18) && file.write(QByteArray(1, '\x03')) == 1);
}

qint64 DictionaryFixture::addAlias(const QString& gloss, const QString& stdGloss) {
  const qint64 id = db.getMaxSignID() + 1;
  exec("INSERT INTO Signs (SignID, Gloss, StdGloss) VALUES (?,?,?)", {id, gloss, stdGloss});
  return id;
}

}  // namespace quabe::test
