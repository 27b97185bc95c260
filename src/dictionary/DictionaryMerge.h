#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "document/DbSign.h"
#include "symbols/DbISWA.h"

namespace quabe {

class SqliteDatabase;

// The answers to an entry of the other dictionary, in the order of the
// comparison panel's buttons.
enum class MergeResponse { add = 0, addAll = 1, replace = 2, skip = 3, abort = 4 };

// One version of an entry: the record with its meanings, and its spelling.
struct MergeVersion {
  DbSign entry;
  QList<DbISWA> spelling;
};

struct MergeReport {
  int identical = 0;
  int added = 0;
  int replaced = 0;
  int skipped = 0;
  int failed = 0;
  bool aborted = false;  // ended by an answer or a cancel before the last entry
  QStringList failures;  // one line per entry that could not be written
};

// Brings the entries of another dictionary file into a dictionary, entry by
// entry. The other file is never changed: the merge reads a temporary copy,
// removed when the merge object goes.
//
// An entry's counterpart is the entry with the same SignID that also has the
// same creation time or the same gloss and tag; two dictionaries numbered
// apart share SignIDs by chance only. An entry equal to its counterpart
// (spelling, modification time, reading, comment, meanings, constituents) is
// passed over without asking. Compound entries come after the plain ones,
// their constituents renumbered to the ids those entries have in the
// dictionary; aliases follow last and are brought across when their target
// resolves. Every entry is written in its own transaction: a failed write
// leaves that entry as it was and is counted and reported.
class DictionaryMerge {
 public:
  // external: the other side; current: the dictionary's own version, or
  // nullptr when there is no counterpart (then replace is not offered).
  using Asker = std::function<MergeResponse(const MergeVersion& external, const MergeVersion* current)>;
  // Called before each entry (done counted from 0) and once at the end;
  // false cancels the merge like an abort.
  using Progress = std::function<bool(int done, int total)>;

  explicit DictionaryMerge(QString targetPath);
  ~DictionaryMerge();
  DictionaryMerge(const DictionaryMerge&) = delete;
  DictionaryMerge& operator=(const DictionaryMerge&) = delete;

  // Copies the other file and opens the copy and the target. False, with the
  // reason, when either cannot serve as a dictionary.
  bool open(const QString& externalPath, QString* error = nullptr);
  // The number of entries to go through (aliases included).
  int entryCount() const { return m_total; }
  // Answers that come without waiting for anyone (a fixed policy) need no
  // commit before each question.
  void setUnattended(bool unattended) { m_unattended = unattended; }
  // A dry run counts the answers but writes nothing.
  MergeReport run(const Asker& ask, const Progress& progress = {}, bool dryRun = false);

  // The picture and description of a version as the comparison panel shows them.
  static QString description(const DbSign& entry);

 private:
  struct Run;
  bool readVersion(SqliteDatabase& db, qint64 signID, MergeVersion& version) const;

  QString m_targetPath;
  QTemporaryDir m_copyDir;
  QString m_copyPath;
  std::unique_ptr<SqliteDatabase> m_external;
  std::unique_ptr<SqliteDatabase> m_target;
  int m_total = 0;
  bool m_unattended = false;
};

}  // namespace quabe
