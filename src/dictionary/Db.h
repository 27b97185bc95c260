#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

#include "dictionary/sqlite/SqliteDatabase.h"
#include "document/DbSign.h"
#include "symbols/Symbol.h"
#include "symbols/SymbolCode.h"

namespace quabe {

class Sign;
class Compound;
using SignPtr = std::shared_ptr<Sign>;

// One symbol of a dictionary sign as the sign finder reads it.
struct DbFinderSymbol {
  qint16 x = 0;
  qint16 y = 0;
  Hand hand = Hand::none;
  SymbolCode code = 0;
};

// The symbols of one non-alias entry, in spelling order.
struct DbFinderSign {
  qint64 signID = 0;
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
  static std::optional<DbSign> getSign(qint64 signID);
  static QList<qint64> getConstituentIDs(qint64 compoundID, SqliteDatabase& database);
  // The spelling rows; an alias without rows reads its target's rows.
  static QList<DbISWA> getSpelling(qint64 signID);
  static QList<DbISWA> getSpelling(qint64 signID, SqliteDatabase& database);
  static QStringList getMeanings(qint64 signID);
  static QStringList getMeanings(qint64 signID, SqliteDatabase& database);
  static QString getGloss(qint64 signID);
  static bool isCompound(qint64 signID);
  static QList<qint64> getCompoundIDs(const QList<qint64>& signIDs);
  // Largest SignID, 0 for an empty table, -1 when it cannot be read.
  static qint64 getMaxSignID();

  // ---- look-ups for notation (ids deduplicated, first occurrence kept)
  // Gloss matches (aliases resolved) first, then reading matches.
  static QList<qint64> getSignIDs(const QString& gloss);
  static QList<qint64> getSignIDs(const QString& gloss, const QString& tag);
  // Entries with the meaning; aliases left out.
  static QList<qint64> getSignIDsForJapanese(const QString& word);
  // The same three on an open connection (the notation converter looks up a
  // whole line through one).
  static QList<qint64> getSignIDs(const QString& gloss, SqliteDatabase& database);
  static QList<qint64> getSignIDs(const QString& gloss, const QString& tag, SqliteDatabase& database);
  static QList<qint64> getSignIDsForJapanese(const QString& word, SqliteDatabase& database);
  static std::optional<Symbol> getHandshapeSymbol(const QString& name);
  static QList<Symbol> getNMSSymbols(const QString& nms);

  // ---- searching
  static QList<qint64> findSameSigns(const DbSign& key);
  // " AND ([column] IS NULL OR [column] = '')" or " AND ([column] = ?)" with
  // the value appended to arguments.
  static QString fieldCondition(const QString& column, const QString& value, QVariantList& arguments);
  // By id, by wildcard gloss ("*" becomes "%" in the key) or by all fields.
  static QList<DbSign> searchSigns(DbSign& key);
  // Non-alias entries ordered by reading, rows from..to counted from 1, with
  // meanings and 150 x 150 thumbnails.
  static QList<DbSign> getWholeSigns(const QString& search, int from, int to);
  // The same rows on an open connection, without meanings and thumbnails.
  static QList<DbSign> getWholeSignRecords(const QString& search, int from, int to, SqliteDatabase& db);
  static QList<DbFinderSign> getFinderSigns();

  // ---- writing (true on success; a failure leaves the file unchanged)
  static bool insertSign(DbSign& entry, const QList<DbISWA>& spelling, bool copy);
  static bool updateSign(DbSign& entry, const QList<DbISWA>& spelling, bool copy);
  static bool insertCompound(DbSign& entry, const QList<qint64>& constituentIDs, bool copy);
  static bool updateCompound(DbSign& entry, const QList<qint64>& constituentIDs, bool copy);
  static bool deleteSign(qint64 signID);
  // A canvas sign: refused without symbols; a negative id is replaced by the
  // next free id (written back into sign.jjs) and inserted, others updated.
  static bool storeSign(Sign& sign);
  static bool insertCompound(Compound& compound, bool copy);
  static bool updateCompound(Compound& compound, bool copy);
  // The entry as a canvas sign built from its spelling (a compound entry
  // too); a missing entry gives an empty sign with an empty record.
  static SignPtr loadPlainSign(qint64 signID);
  // loadPlainSign for every id.
  static QList<SignPtr> getSigns(const QList<qint64>& signIDs);
  // A compound of the entry: its constituent ids read as plain signs.
  static std::shared_ptr<Compound> makeCompound(std::shared_ptr<DbSign> entry);
  // The entry as a canvas sign, or as a Compound for a compound entry.
  static SignPtr loadSign(qint64 signID);
  // The spelling rows storeSign writes for a canvas sign.
  static QList<DbISWA> spellingOf(const Sign& sign);

  // ---- thumbnails
  static QImage signImage(QSize size, qint64 signID);
  // The same on an open connection (the sign list draws many at once).
  static QImage signImage(QSize size, qint64 signID, SqliteDatabase& database);
  static QImage compoundImage(QSize size, qint64 compoundID);

  // Reading helpers on an open connection (used by the writes and tools).
  static std::optional<DbSign> getSign(qint64 signID, SqliteDatabase& database);
  static QList<DbSign> searchSigns(DbSign& key, SqliteDatabase& database);
  static qint64 getMaxSignID(SqliteDatabase& database);
  // Writes an entry inside the caller's transaction (no commit, no listeners).
  static bool writeNewEntry(SqliteDatabase& database, const DbSign& entry, const QList<DbISWA>& spelling);

 private:
  static std::optional<DbSign> readSign(SqliteDatabase& database, qint64 signID, QList<qint64>& ancestors);
  static void readConstituents(SqliteDatabase& database, DbSign& entry, QList<qint64>& ancestors);
  static QList<qint64> resolveAlias(SqliteDatabase& database, const QString& stdGloss);
  static QList<DbISWA> readSpelling(SqliteDatabase& database, qint64 signID);
  static QList<DbISWA> readSpellingOrAliasTarget(SqliteDatabase& database, qint64 signID);
  static bool writeSpelling(SqliteDatabase& database, qint64 signID, const QList<DbISWA>& spelling,
                            const QString& insertStatement);
  static bool writeMeanings(SqliteDatabase& database, qint64 signID, const QStringList& meanings,
                            const QString& insertStatement);
  static bool writeConstituentRows(SqliteDatabase& database, const DbSign& entry, const QList<qint64>& ids);
};

}  // namespace quabe
