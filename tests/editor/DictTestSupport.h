#pragma once

// A temporary dictionary for the dictionary windows' and commands' tests,
// with a Dictionary on it while a test runs and helpers to add entries and
// read rows.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QVariantList>
#include <optional>

#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "document/Sign.h"

namespace quabe::test {

// Codes the archive has: a right hand, a straight movement arrow and a head.
inline const QString HandCode = QStringLiteral("01-01-001-01-01-01");
inline const QString ArrowCode = QStringLiteral("02-05-001-01-01-01");
inline const QString HeadCode = QStringLiteral("04-01-001-01-01-01");

class TemporaryDictionary {
 public:
  // On a Dictionary of its own, or on target (the application's, say), which
  // is put back on its file afterwards.
  explicit TemporaryDictionary(Dictionary* target = nullptr) : m_target(target ? target : &m_own) {}
  TemporaryDictionary(const TemporaryDictionary&) = delete;
  TemporaryDictionary& operator=(const TemporaryDictionary&) = delete;

  // Creates an empty dictionary file and points the Dictionary at it.
  bool create();
  // The Dictionary on the file (entries are added through it).
  Dictionary& db() const { return *m_target; }

  // Stores an entry whose spelling is the given codes at (10 + 20 i, 20).
  qint64 addEntry(const QString& gloss, const QStringList& codes, const QStringList& meanings = {},
                  const QString& tag = QString(), const QString& yomi = QString());
  // Stores a compound of the given entries.
  qint64 addCompound(const QString& gloss, const QList<qint64>& constituents, const QStringList& meanings = {});

  // Statements on the dictionary file (see sqlExec and its kin).
  bool exec(const QString& sql, const QVariantList& arguments = {}) { return sqlExec(path, sql, arguments); }
  qint64 scalar(const QString& sql, const QVariantList& arguments = {}) { return sqlScalar(path, sql, arguments); }
  QStringList texts(const QString& sql, const QVariantList& arguments = {}) { return sqlColumn(path, sql, arguments); }
  // A summary of every row of every entry table, to compare before/after.
  QStringList snapshot();

  QString path;

 private:
  QTemporaryDir m_dir;
  Dictionary m_own;
  Dictionary* m_target;
  std::optional<ScopedDictionary> m_current;
};

// A canvas sign with the codes at (30 + 25 i, 40); not a dictionary entry (id 0).
SignPtr makeSignOf(const QStringList& codes);

// Tests of one dictionary window: the archive, a temporary dictionary (its
// helpers are the fixture's) and a recording alert sink.
class DictionaryWindowFixture : public ::testing::Test, protected TemporaryDictionary {
 protected:
  void SetUp() override;
  void TearDown() override;
  static SignPtr makeSign(const QStringList& codes) { return makeSignOf(codes); }

  TemporaryDictionary& dictionary = *this;
  RecordingAlertSink* sink = nullptr;
};

}  // namespace quabe::test
