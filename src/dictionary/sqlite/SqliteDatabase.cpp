#include "dictionary/sqlite/SqliteDatabase.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QThread>
#include <cerrno>
#include <cstring>

#include "core/Logging.h"

namespace quabe {

namespace {
bool checkThreadSafe() {
  // Told once, when first asked.
  static const bool safe = [] {
    const bool threadSafe = sqlite3_threadsafe() != 0;
    if (!threadSafe) qCWarning(lcDictionary) << "the SQLite library is not built thread-safe";
    return threadSafe;
  }();
  return safe;
}

QString textOf(const unsigned char* text, int bytes) {
  return QString::fromUtf8(reinterpret_cast<const char*>(text), bytes);
}
}  // namespace

// ---------------------------------------------------------------- result set

SqliteResultSet::SqliteResultSet(sqlite3_stmt* statement, SqliteDatabase* owner)
    : m_statement(statement), m_owner(owner) {}

SqliteResultSet::~SqliteResultSet() { close(); }

void SqliteResultSet::close() {
  if (m_statement) {
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
  }
  if (m_owner) {
    m_owner->m_openResultSets.erase(this);
    m_owner = nullptr;
  }
}

bool SqliteResultSet::next() {
  if (!m_statement) return false;
  errno = 0;
  const int rc = sqlite3_step(m_statement);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) {
    m_failed = true;
    if (m_owner) {
      m_owner->noteFailure();
      qCWarning(lcDictionary).noquote() << "step failed (" << rc << "):" << m_owner->lastErrorMessage();
    }
  }
  close();
  return false;
}

int SqliteResultSet::columnCount() const { return m_statement ? sqlite3_column_count(m_statement) : 0; }

QString SqliteResultSet::columnName(int index) const {
  if (!m_statement) return {};
  const char* name = sqlite3_column_name(m_statement, index);
  return name ? QString::fromUtf8(name) : QString();
}

int SqliteResultSet::columnIndex(const QString& name) {
  if (!m_statement) return -1;
  if (!m_columnsBuilt) {
    m_columnsBuilt = true;
    const int count = sqlite3_column_count(m_statement);
    for (int i = 0; i < count; ++i) {
      const QString key = columnName(i).toLower();
      if (!m_columns.contains(key)) m_columns.insert(key, i);
    }
  }
  const auto it = m_columns.constFind(name.toLower());
  if (it == m_columns.constEnd()) {
    qCWarning(lcDictionary) << "no column named" << name;
    return -1;
  }
  return it.value();
}

int SqliteResultSet::intForColumnIndex(int index) {
  if (!m_statement || index < 0) return 0;
  return sqlite3_column_int(m_statement, index);
}

int SqliteResultSet::intForColumn(const QString& name) { return intForColumnIndex(columnIndex(name)); }

qint64 SqliteResultSet::longForColumnIndex(int index) {
  if (!m_statement || index < 0) return 0;
  return sqlite3_column_int64(m_statement, index);
}

qint64 SqliteResultSet::longForColumn(const QString& name) { return longForColumnIndex(columnIndex(name)); }

double SqliteResultSet::doubleForColumn(const QString& name) {
  const int index = columnIndex(name);
  if (!m_statement || index < 0) return 0;
  return sqlite3_column_double(m_statement, index);
}

bool SqliteResultSet::boolForColumnIndex(int index) { return intForColumnIndex(index) != 0; }

bool SqliteResultSet::boolForColumn(const QString& name) { return boolForColumnIndex(columnIndex(name)); }

std::optional<QString> SqliteResultSet::stringForColumnIndex(int index) {
  if (!m_statement || index < 0) return std::nullopt;
  if (sqlite3_column_type(m_statement, index) == SQLITE_NULL) return std::nullopt;
  const unsigned char* text = sqlite3_column_text(m_statement, index);
  if (!text) return std::nullopt;
  return textOf(text, sqlite3_column_bytes(m_statement, index));
}

std::optional<QString> SqliteResultSet::stringForColumn(const QString& name) {
  return stringForColumnIndex(columnIndex(name));
}

bool SqliteResultSet::columnIsNull(const QString& name) {
  const int index = columnIndex(name);
  return !m_statement || index < 0 || sqlite3_column_type(m_statement, index) == SQLITE_NULL;
}

// ---------------------------------------------------------------- connection

SqliteDatabase::SqliteDatabase(const QString& path) : m_path(path) { checkThreadSafe(); }

SqliteDatabase::~SqliteDatabase() { close(); }

bool SqliteDatabase::open() { return openWithFlags(SQLITE_OPEN_READWRITE); }

bool SqliteDatabase::openOrCreate() { return openWithFlags(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE); }

bool SqliteDatabase::openWithFlags(int flags) {
  if (m_handle) return true;
  const QByteArray path = m_path.toUtf8();
  sqlite3* handle = nullptr;
  const int rc = sqlite3_open_v2(path.constData(), &handle, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    m_failureCode = rc & 0xff;
    m_failureMessage = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
    qCWarning(lcDictionary).noquote() << "cannot open" << m_path << "(" << rc << "):" << m_failureMessage;
    if (handle) sqlite3_close(handle);
    return false;
  }
  m_handle = handle;
  sqlite3_busy_handler(m_handle, &SqliteDatabase::busyHandler, this);
  return true;
}

bool SqliteDatabase::close() {
  // Result sets detach themselves from the set while closing.
  while (!m_openResultSets.empty()) (*m_openResultSets.begin())->close();
  if (!m_handle) return true;
  if (m_inTransaction) {
    sqlite3_exec(m_handle, "rollback transaction", nullptr, nullptr, nullptr);
    m_inTransaction = false;
  }
  const int rc = sqlite3_close(m_handle);
  if (rc != SQLITE_OK) {
    qCWarning(lcDictionary).noquote() << "close failed (" << rc << "):" << lastErrorMessage();
    sqlite3_close_v2(m_handle);
  }
  m_handle = nullptr;
  return rc == SQLITE_OK;
}

int SqliteDatabase::busyHandler(void* self, int count) {
  auto* db = static_cast<SqliteDatabase*>(self);
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (count == 0) db->m_busyStartMs = now;
  if (now - db->m_busyStartMs > qint64(db->maxBusyRetryTimeInterval * 1000)) return 0;
  QThread::usleep(static_cast<unsigned long>(qMin(50, 2 + count) * 1000));
  return 1;
}

void SqliteDatabase::noteFailure() {
  if (!m_handle) {
    m_failureCode = SQLITE_MISUSE;
    m_failureMessage = QStringLiteral("not open");
    return;
  }
  m_failureCode = sqlite3_errcode(m_handle) & 0xff;
  m_failureMessage = QString::fromUtf8(sqlite3_errmsg(m_handle));
  // "disk I/O error" alone does not say that the disk is full or the file too
  // large. SQLite keeps the system's error only for some failures; the calls
  // below clear errno before they step, so that it is this step's otherwise.
  const int system = sqlite3_system_errno(m_handle) ? sqlite3_system_errno(m_handle) : errno;
  if (system != 0 &&
      (m_failureCode == SQLITE_IOERR || m_failureCode == SQLITE_FULL || m_failureCode == SQLITE_CANTOPEN))
    m_failureMessage += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(system)));
}

void SqliteDatabase::report(const char* where, const QString& sql) {
  noteFailure();
  qCWarning(lcDictionary).noquote() << where << "failed (" << lastErrorCode() << "):" << lastErrorMessage() << "["
                                    << sql << "]";
}

sqlite3_stmt* SqliteDatabase::prepare(const QString& sql, const QVariantList& arguments, const char* where) {
  if (!m_handle) {
    qCWarning(lcDictionary).noquote() << where << "on a closed database:" << sql;
    return nullptr;
  }
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* statement = nullptr;
  errno = 0;
  if (sqlite3_prepare_v2(m_handle, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK ||
      !statement) {
    report(where, sql);
    if (statement) sqlite3_finalize(statement);
    return nullptr;
  }
  const int parameterCount = sqlite3_bind_parameter_count(statement);
  if (parameterCount != arguments.size()) {
    m_failureCode = SQLITE_MISUSE;
    m_failureMessage = QStringLiteral("wrong number of arguments");
    qCWarning(lcDictionary).noquote() << where << ": the statement takes" << parameterCount << "arguments,"
                                      << arguments.size() << "given [" << sql << "]";
    sqlite3_finalize(statement);
    return nullptr;
  }
  for (int i = 0; i < parameterCount; ++i) {
    const QVariant& value = arguments.at(i);
    int rc = SQLITE_OK;
    switch (value.typeId()) {
      case QMetaType::UnknownType:
      case QMetaType::Nullptr:
        rc = sqlite3_bind_null(statement, i + 1);
        break;
      case QMetaType::Bool:
      case QMetaType::Int:
      case QMetaType::UInt:
      case QMetaType::Long:
      case QMetaType::LongLong:
      case QMetaType::ULongLong:
      case QMetaType::Short:
      case QMetaType::UShort:
        rc = sqlite3_bind_int64(statement, i + 1, value.toLongLong());
        break;
      case QMetaType::Double:
      case QMetaType::Float:
        rc = sqlite3_bind_double(statement, i + 1, value.toDouble());
        break;
      case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        rc = sqlite3_bind_blob(statement, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
      }
      default: {
        if (value.isNull() && value.typeId() != QMetaType::QString) {
          rc = sqlite3_bind_null(statement, i + 1);
          break;
        }
        const QByteArray bytes = value.toString().toUtf8();
        rc = sqlite3_bind_text(statement, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
      }
    }
    if (rc != SQLITE_OK) {
      report(where, sql);
      sqlite3_finalize(statement);
      return nullptr;
    }
  }
  return statement;
}

std::unique_ptr<SqliteResultSet> SqliteDatabase::executeQuery(const QString& sql, const QVariantList& arguments) {
  sqlite3_stmt* statement = prepare(sql, arguments, "executeQuery");
  if (!statement) return nullptr;
  std::unique_ptr<SqliteResultSet> result(new SqliteResultSet(statement, this));
  m_openResultSets.insert(result.get());
  return result;
}

bool SqliteDatabase::executeUpdate(const QString& sql, const QVariantList& arguments) {
  sqlite3_stmt* statement = prepare(sql, arguments, "executeUpdate");
  if (!statement) return false;
  errno = 0;
  int rc = sqlite3_step(statement);
  while (rc == SQLITE_ROW) rc = sqlite3_step(statement);
  if (rc != SQLITE_DONE) report("executeUpdate", sql);
  sqlite3_finalize(statement);
  return rc == SQLITE_DONE;
}

bool SqliteDatabase::executeStatements(const QString& sql) {
  if (!m_handle) return false;
  char* error = nullptr;
  errno = 0;
  const int rc = sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    noteFailure();
    qCWarning(lcDictionary).noquote() << "executeStatements failed (" << rc << "):" << QString::fromUtf8(error);
  }
  sqlite3_free(error);
  return rc == SQLITE_OK;
}

bool SqliteDatabase::beginTransaction() {
  const bool ok = executeUpdate(QStringLiteral("begin exclusive transaction"));
  if (ok) {
    m_inTransaction = true;
    m_failureCode = SQLITE_OK;
    m_failureMessage.clear();
  }
  return ok;
}

bool SqliteDatabase::commit() {
  const bool ok = executeUpdate(QStringLiteral("commit transaction"));
  if (ok) m_inTransaction = false;
  return ok;
}

bool SqliteDatabase::rollback() {
  if (!m_handle) {
    m_inTransaction = false;
    return false;
  }
  const int cause = m_failureCode;
  const QString causeMessage = m_failureMessage;
  // After an error SQLite may have rolled back already; a second rollback would only fail.
  const bool ok = sqlite3_get_autocommit(m_handle) || executeUpdate(QStringLiteral("rollback transaction"));
  m_inTransaction = !sqlite3_get_autocommit(m_handle);
  // A write that failed on I/O leaves its journal until the pager starts again: a read plays it back now.
  if (!m_inTransaction) sqlite3_exec(m_handle, "PRAGMA schema_version", nullptr, nullptr, nullptr);
  if (cause != SQLITE_OK) {
    m_failureCode = cause;
    m_failureMessage = causeMessage;
  }
  return ok;
}

qint64 SqliteDatabase::lastInsertRowId() const { return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0; }

int SqliteDatabase::changes() const { return m_handle ? sqlite3_changes(m_handle) : 0; }

QString SqliteDatabase::lastErrorMessage() const {
  if (m_failureCode != SQLITE_OK) return m_failureMessage;
  return m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle)) : QStringLiteral("not open");
}

int SqliteDatabase::lastErrorCode() const {
  if (m_failureCode != SQLITE_OK) return m_failureCode;
  return m_handle ? sqlite3_errcode(m_handle) : SQLITE_MISUSE;
}

bool SqliteDatabase::lastErrorIsBusy() const { return m_failureCode == SQLITE_BUSY || m_failureCode == SQLITE_LOCKED; }

}  // namespace quabe
