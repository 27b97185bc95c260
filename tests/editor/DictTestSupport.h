#pragma once

// A temporary dictionary for the dictionary windows' tests, made the current
// dictionary while a test runs, with helpers to add entries and read rows.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QVariantList>

#include "common/TestSupport.h"
#include "dictionary/Db.h"
#include "document/Sign.h"

namespace quabe::test {

// Codes the archive has: a right hand, a straight movement arrow and a head.
inline const QString HandCode = QStringLiteral("01-01-001-01-01-01");
inline const QString ArrowCode = QStringLiteral("02-05-001-01-01-01");
inline const QString HeadCode = QStringLiteral("04-01-001-01-01-01");

class DictionaryWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Stores an entry whose spelling is the given codes at (10 + 20 i, 20).
  qint64 addEntry(const QString& gloss, const QStringList& codes, const QStringList& meanings = {},
                  const QString& tag = QString(), const QString& yomi = QString());
  // Stores a compound of the given entries.
  qint64 addCompound(const QString& gloss, const QList<qint64>& constituents, const QStringList& meanings = {});
  // A canvas sign with the codes, not a dictionary entry (id 0).
  static SignPtr makeSign(const QStringList& codes);

  // Runs a statement on the dictionary file.
  bool exec(const QString& sql, const QVariantList& arguments = {});
  // The first column of the first row as an integer (-1 without a row).
  qint64 scalar(const QString& sql, const QVariantList& arguments = {});
  // The first column of every row as text.
  QStringList texts(const QString& sql, const QVariantList& arguments = {});
  // A summary of every row of every entry table, to compare before/after.
  QStringList snapshot();

  QTemporaryDir dir;
  QString path;
  RecordingAlertSink* sink = nullptr;

 private:
  bool m_previousUse = false;
  QString m_previousPath;
};

}  // namespace quabe::test
