#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <optional>

#include "dictionary/DbSign.h"
#include "dictionary/sqlite/SqliteDatabase.h"
#include "symbols/SymbolCode.h"

namespace quabe {

class Symbol;

// One symbol of a dictionary sign as the sign finder reads it.
struct DbFinderSymbol {
  qint16 x = 0;
  qint16 y = 0;
  Hand hand = Hand::none;
  SymbolCode code = 0;
};

// The symbols of one non-alias entry, in spelling order.
struct DbFinderSign {
  int signID = 0;
  QList<DbFinderSymbol> symbols;
};

// The sign dictionary: type-level operations over one SQLite file (the
// bundled "swdic.db" or the alternative file chosen in the preferences).
// Every operation opens its own connection and closes it before returning.
// User-supplied text always travels as bound statement arguments.
class Db {
 public:
  static const QString dictionaryFileName;  // "swdic.db"

  // ---- where the dictionary is
  static bool useAlternativeDict();
  static QString alternativeDictPath();
  // Changing either setting discards the finder cache (write listeners).
  static void setUseAlternativeDict(bool use);
  static void setAlternativeDictPath(const QString& path);
  // Reads "UseAlternativeDict" and "AlternativeDictPath" from the settings.
  static void loadSettings();
  // The path the next operation opens.
  static QString databasePath();
  // A connection on databasePath(), not yet opened.
  static SqliteDatabase database();

  // ---- listeners called after every successful write and dictionary switch
  static int addWriteListener(std::function<void()> listener);
  static void removeWriteListener(int id);
  static void notifyDictionaryChanged();

  // ---- validation and migration
  // Alerts "Dictionary does not exists: PATH" or "Not a dictionary for
  // Quabe: PATH" and returns false for a file that cannot serve.
  static bool isValidDictionary(const QString& path);
  // Adds the Tag column when missing and moves trailing circled digits of
  // non-alias glosses into it. Returns false when the file could not be
  // brought to the current schema (nothing is changed then).
  static bool addTagColumn(const QString& path);
  // The current row of a query over all columns of Signs.
  static DbSign makeDbSign(SqliteResultSet& resultSet);

  // ---- reading single entries
  static std::optional<DbSign> getSign(int signID);
  static QList<int> getConstituentIDs(int compoundID, SqliteDatabase& database);
  // The spelling rows; an alias without rows reads its target's rows.
  static QList<DbISWA> getSpelling(int signID);
  static QList<DbISWA> getSpelling(int signID, SqliteDatabase& database);
  static QStringList getMeanings(int signID);
  static QStringList getMeanings(int signID, SqliteDatabase& database);
  static QString getGloss(int signID);
  static bool isCompound(int signID);
  static QList<int> getCompoundIDs(const QList<int>& signIDs);
  // Largest SignID, 0 for an empty table, -1 when it cannot be read.
  static int getMaxSignID();
  // Size of a symbol (text code), zero when unknown.
  static QSizeF getSizeOfSymbol(const QString& sss);

  // ---- look-ups for notation (ids deduplicated, first occurrence kept)
  // Gloss matches (aliases resolved) first, then reading matches.
  static QList<int> getSignIDs(const QString& gloss);
  static QList<int> getSignIDs(const QString& gloss, const QString& tag);
  // Entries with the meaning; aliases left out.
  static QList<int> getSignIDsForJapanese(const QString& word);
  static std::optional<Symbol> getHandshapeSymbol(const QString& name);
  static QList<Symbol> getNMSSymbols(const QString& nms);

  // ---- searching
  static QList<int> findSameSigns(const DbSign& key);
  // " AND ([column] IS NULL OR [column] = '')" or " AND ([column] = ?)" with
  // the value appended to arguments.
  static QString fieldCondition(const QString& column, const QString& value, QVariantList& arguments);
  // By id, by wildcard gloss ("*" becomes "%" in the key) or by all fields.
  static QList<DbSign> searchSigns(DbSign& key);
  // Non-alias entries ordered by reading, rows from..to counted from 1, with
  // meanings and 150 x 150 thumbnails.
  static QList<DbSign> getWholeSigns(const QString& search, int from, int to);
  static QList<DbFinderSign> getFinderSigns();

  // ---- writing (true on success; a failure leaves the file unchanged)
  static bool insertSign(DbSign& entry, const QList<DbISWA>& spelling, bool copy);
  static bool updateSign(DbSign& entry, const QList<DbISWA>& spelling, bool copy);
  static bool insertCompound(DbSign& entry, const QList<int>& constituentIDs, bool copy);
  static bool updateCompound(DbSign& entry, const QList<int>& constituentIDs, bool copy);
  static bool deleteSign(int signID);

  // ---- thumbnails
  static QImage signImage(QSize size, int signID);
  static QImage compoundImage(QSize size, int compoundID);

  // Reading helpers on an open connection (used by the writes and tools).
  static std::optional<DbSign> getSign(int signID, SqliteDatabase& database);
  static QList<DbSign> searchSigns(DbSign& key, SqliteDatabase& database);
  static int getMaxSignID(SqliteDatabase& database);
  // Writes an entry inside the caller's transaction (no commit, no listeners).
  static bool writeNewEntry(SqliteDatabase& database, const DbSign& entry, const QList<DbISWA>& spelling);

 private:
  static std::optional<DbSign> readSign(SqliteDatabase& database, int signID, QList<int>& ancestors);
  static void readConstituents(SqliteDatabase& database, DbSign& entry, QList<int>& ancestors);
  static QList<int> resolveAlias(SqliteDatabase& database, const QString& stdGloss);
  static QList<DbISWA> readSpelling(SqliteDatabase& database, int signID);
  static bool writeSpelling(SqliteDatabase& database, int signID, const QList<DbISWA>& spelling,
                            const QString& insertStatement);
  static bool writeMeanings(SqliteDatabase& database, int signID, const QStringList& meanings,
                            const QString& insertStatement);
  static bool writeConstituentRows(SqliteDatabase& database, const DbSign& entry, const QList<int>& ids);
};

}  // namespace quabe
