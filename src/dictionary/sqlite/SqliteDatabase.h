#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <set>

struct sqlite3;
struct sqlite3_stmt;

namespace quabe {

class SqliteDatabase;

// The rows of one prepared query. Column names are looked up lower-cased; an
// unknown name prints a warning and reads as NULL (0, false or no text), as
// does a NULL column. The statement is finalized when the rows run out, on
// close(), when the connection closes, or when the object is destroyed.
class SqliteResultSet {
 public:
  ~SqliteResultSet();
  SqliteResultSet(const SqliteResultSet&) = delete;
  SqliteResultSet& operator=(const SqliteResultSet&) = delete;

  // Steps to the next row; false at the end or on an error (the statement is
  // then finished and failed() tells the two apart).
  bool next();
  bool failed() const { return m_failed; }
  void close();
  bool isOpen() const { return m_statement != nullptr; }

  int intForColumn(const QString& name);
  int intForColumnIndex(int index);
  qint64 longForColumn(const QString& name);
  qint64 longForColumnIndex(int index);
  double doubleForColumn(const QString& name);
  bool boolForColumn(const QString& name);
  bool boolForColumnIndex(int index);
  // Absent for NULL and for an unknown column.
  std::optional<QString> stringForColumn(const QString& name);
  std::optional<QString> stringForColumnIndex(int index);
  // The text, or "" for NULL and unknown columns.
  QString textForColumn(const QString& name) { return stringForColumn(name).value_or(QString()); }
  bool columnIsNull(const QString& name);

  int columnCount() const;
  QString columnName(int index) const;

 private:
  friend class SqliteDatabase;
  SqliteResultSet(sqlite3_stmt* statement, SqliteDatabase* owner);
  // Index of a column by name (-1 with a warning when unknown).
  int columnIndex(const QString& name);
  void detach() { m_owner = nullptr; }

  sqlite3_stmt* m_statement = nullptr;
  SqliteDatabase* m_owner = nullptr;
  QHash<QString, int> m_columns;
  bool m_columnsBuilt = false;
  bool m_failed = false;
};

// One connection to an SQLite file. Nothing is opened at construction; the
// destructor closes whatever is still open, so a connection made for one
// operation is closed on every path out of it.
class SqliteDatabase {
 public:
  explicit SqliteDatabase(const QString& path);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  const QString& path() const { return m_path; }
  // Opens an existing file for reading and writing (a read-only file opens
  // read-only). A missing file is not created: open() fails.
  bool open();
  // Opens the file, creating an empty database when none exists.
  bool openOrCreate();
  bool isOpen() const { return m_handle != nullptr; }
  // Closes every result set still open, then the handle. Harmless when closed.
  bool close();

  // Prepares and binds; nothing when the statement cannot be prepared or the
  // arguments do not match its parameters.
  std::unique_ptr<SqliteResultSet> executeQuery(const QString& sql, const QVariantList& arguments = {});
  // Prepares, binds, steps to completion and finalizes; false on any error.
  bool executeUpdate(const QString& sql, const QVariantList& arguments = {});
  // Runs several statements separated by semicolons, without arguments.
  bool executeStatements(const QString& sql);

  bool beginTransaction();
  bool commit();
  // Ends the transaction without its changes. When SQLite has already rolled
  // back after an error, it only plays back the journal a failed write may
  // have left (so that no hot journal stays beside the file) and succeeds.
  bool rollback();
  bool inTransaction() const { return m_inTransaction; }

  qint64 lastInsertRowId() const;
  int changes() const;
  // The cause of the last failure: SQLite's message (with the system's for
  // an I/O error) and primary result code. A rollback or close after a
  // failure leaves them as they were.
  QString lastErrorMessage() const;
  int lastErrorCode() const;
  // The last failure was another connection holding the file (after the busy timeout).
  bool lastErrorIsBusy() const;

  // How long a busy database is retried before a call fails (seconds).
  double maxBusyRetryTimeInterval = 2.0;

 private:
  friend class SqliteResultSet;
  bool openWithFlags(int flags);
  sqlite3_stmt* prepare(const QString& sql, const QVariantList& arguments, const char* where);
  void report(const char* where, const QString& sql);
  void noteFailure();
  static int busyHandler(void* self, int count);

  QString m_path;
  sqlite3* m_handle = nullptr;
  std::set<SqliteResultSet*> m_openResultSets;
  qint64 m_busyStartMs = 0;
  bool m_inTransaction = false;
  int m_failureCode = 0;
  QString m_failureMessage;
};

}  // namespace quabe
