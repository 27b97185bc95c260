#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"

namespace quabe::test {

// A fresh dictionary file in a temporary directory and a Dictionary on it
// (db) for the duration of a test. SymbolSize holds a few sizes.
class DictionaryFixture : public ::testing::Test {
 protected:
  void SetUp() override;

  // Path of a file in the temporary directory.
  QString file(const QString& name) const { return dir.filePath(name); }
  // Runs statements directly on the dictionary file.
  void exec(const QString& sql, const QVariantList& arguments = {}) {
    ASSERT_TRUE(sqlExec(path, sql, arguments)) << sql.toStdString();
  }
  qint64 count(const QString& sql, const QVariantList& arguments = {}) { return sqlScalar(path, sql, arguments); }
  // Stores an entry with one hand symbol; returns its id.
  qint64 addEntry(const QString& gloss, const QString& tag = QString(), const QString& yomi = QString(),
                  const QStringList& meanings = {});
  // The gloss of an entry; empty when there is none.
  QString gloss(qint64 signID) const {
    const std::optional<DbSign> entry = db.getSign(signID);
    return entry ? entry->gloss : QString();
  }
  // Makes an alias entry pointing at a written gloss.
  qint64 addAlias(const QString& gloss, const QString& stdGloss);
  // The spelling of an entry as text (describeRows).
  QStringList spelling(qint64 signID) const { return describeRows(db.getSpelling(signID)); }
  // Files in the temporary directory that are no dictionary: bytes that are
  // no SQLite file ("junk.db"), and a database with another table ("other.db").
  QString junkFile();
  QString foreignDatabase();

  QTemporaryDir dir;
  QString path;
  QString symbolData;
  Dictionary db;
  int writes = 0;  // changed() announcements
};

// Sets the write version in an SQLite file's header to 3: the file may
// only be read from then on.
void makeReadOnly(const QString& path);

// An SQLite file with a Symbols(code, fsw, width, height) table as the
// archive builder writes it.
QString makeSymbolData(const QString& path);

}  // namespace quabe::test
