#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariantList>
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

// The sign dictionary: one SQLite file (the bundled "swdic.db" or the
// alternative file chosen in the preferences) and the operations on it. The
// application makes one and hands it to the windows, the notation converter
// and the finder. Every operation opens its own connection on the current
// file and closes it before returning; user-supplied text always travels as
// bound statement arguments. The object belongs to the thread that made it:
// work on another thread makes a Dictionary of its own on path().
class Dictionary : public QObject {
  Q_OBJECT
 public:
  static const QString dictionaryFileName;  // "swdic.db"

  // A dictionary on the file at path; an empty path is no file (every
  // operation fails or finds nothing).
  explicit Dictionary(const QString& path = QString(), QObject* parent = nullptr);
  ~Dictionary() override;

  // ---- where the dictionary is
  // The bundled dictionary among the resources (where it belongs when missing).
  static QString bundledPath();
  // The alternative file when it is in use and named, else the bundled one.
  static QString pathFor(bool useAlternativeDict, const QString& alternativeDictPath);
  // pathFor the settings "UseAlternativeDict" and "AlternativeDictPath".
  static QString pathFromSettings();
  QString path() const { return m_path; }
  // Makes another file the dictionary: switched() and changed() when it differs.
  void setPath(const QString& path);
  // A connection on path(), not yet opened.
  SqliteDatabase database() const { return SqliteDatabase(m_path); }
  // Announces a write made to the file without this object (an import or a
  // merge through a connection of their own): changed().
  void announceExternalChange() { Q_EMIT changed(); }

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
  std::optional<DbSign> getSign(qint64 signID) const;
  static std::optional<DbSign> getSign(qint64 signID, SqliteDatabase& database);
  static QList<qint64> getConstituentIDs(qint64 compoundID, SqliteDatabase& database);
  // The spelling rows; an alias without rows reads its target's rows.
  QList<DbISWA> getSpelling(qint64 signID) const;
  // The entry's own rows only.
  static QList<DbISWA> getSpelling(qint64 signID, SqliteDatabase& database);
  // The spelling row at the cursor of a query over all columns of Spelling.
  static DbISWA spellingRow(SqliteResultSet& rs);
  QStringList getMeanings(qint64 signID) const;
  static QStringList getMeanings(qint64 signID, SqliteDatabase& database);
  bool isCompound(qint64 signID) const;
  QList<qint64> getCompoundIDs(const QList<qint64>& signIDs) const;
  // Largest SignID, 0 for an empty table, -1 when it cannot be read.
  qint64 getMaxSignID() const;
  static qint64 getMaxSignID(SqliteDatabase& database);

  // ---- look-ups for notation (ids deduplicated, first occurrence kept)
  // Gloss matches (aliases resolved) first, then reading matches.
  QList<qint64> getSignIDs(const QString& gloss) const;
  QList<qint64> getSignIDs(const QString& gloss, const QString& tag) const;
  // Entries with the meaning; aliases left out.
  QList<qint64> getSignIDsForJapanese(const QString& word) const;
  // The same three on an open connection (the notation converter looks up a
  // whole line through one).
  static QList<qint64> getSignIDs(const QString& gloss, SqliteDatabase& database);
  static QList<qint64> getSignIDs(const QString& gloss, const QString& tag, SqliteDatabase& database);
  static QList<qint64> getSignIDsForJapanese(const QString& word, SqliteDatabase& database);
  std::optional<Symbol> getHandshapeSymbol(const QString& name) const;
  QList<Symbol> getNMSSymbols(const QString& nms) const;

  // ---- searching
  QList<qint64> findSameSigns(const DbSign& key) const;
  // " AND ([column] IS NULL OR [column] = '')" or " AND ([column] = ?)" with
  // the value appended to arguments.
  static QString fieldCondition(const QString& column, const QString& value, QVariantList& arguments);
  // By id, by wildcard gloss ("*" or "%" anywhere) or by all fields.
  QList<DbSign> searchSigns(const DbSign& key) const;
  static QList<DbSign> searchSigns(const DbSign& key, SqliteDatabase& database);
  // Non-alias entries ordered by reading, rows from..to counted from 1, with
  // meanings and 150 x 150 thumbnails.
  QList<DbSign> getWholeSigns(const QString& search, int from, int to) const;
  // The same rows on an open connection, without meanings and thumbnails.
  static QList<DbSign> getWholeSignRecords(const QString& search, int from, int to, SqliteDatabase& db);
  QList<DbFinderSign> getFinderSigns() const;

  // ---- writing (true on success, then changed(); a failure leaves the file unchanged)
  bool insertSign(DbSign& entry, const QList<DbISWA>& spelling, bool copy);
  bool updateSign(DbSign& entry, const QList<DbISWA>& spelling, bool copy);
  bool insertCompound(DbSign& entry, const QList<qint64>& constituentIDs, bool copy);
  bool updateCompound(DbSign& entry, const QList<qint64>& constituentIDs, bool copy);
  bool deleteSign(qint64 signID);
  // A canvas sign: refused without symbols; a negative id is replaced by the
  // next free id (written back into sign.jjs) and inserted, others updated.
  bool storeSign(Sign& sign);
  bool insertCompound(Compound& compound, bool copy);
  bool updateCompound(Compound& compound, bool copy);
  // The spelling rows storeSign writes for a canvas sign.
  static QList<DbISWA> spellingOf(const Sign& sign);
  // Writes an entry inside the caller's transaction (no commit, no changed()).
  static bool writeNewEntry(SqliteDatabase& database, const DbSign& entry, const QList<DbISWA>& spelling);

  // ---- canvas signs made from entries
  // The entry as a canvas sign built from its spelling (a compound entry
  // too); a missing entry gives an empty sign with an empty record.
  SignPtr loadPlainSign(qint64 signID) const;
  // loadPlainSign for every id.
  QList<SignPtr> getSigns(const QList<qint64>& signIDs) const;
  // A compound of the entry: its constituent ids read as plain signs.
  std::shared_ptr<Compound> makeCompound(std::shared_ptr<DbSign> entry) const;
  // The entry as a canvas sign, or as a Compound for a compound entry.
  SignPtr loadSign(qint64 signID) const;

  // ---- thumbnails
  QImage signImage(QSize size, qint64 signID) const;
  // The same on an open connection (the sign list draws many at once).
  QImage signImage(QSize size, qint64 signID, SqliteDatabase& database) const;
  QImage compoundImage(QSize size, qint64 compoundID) const;

 Q_SIGNALS:
  // After every successful write and after a switch to another file.
  void changed();
  // After a switch to another file (before changed()): entry ids read
  // earlier name other entries, or none, in the new file.
  void switched();

 private:
  // Commits a write and announces it; rolls back when the commit fails.
  bool finishWrite(SqliteDatabase& database);
  static std::optional<DbSign> readSign(SqliteDatabase& database, qint64 signID, QList<qint64>& ancestors);
  static void readConstituents(SqliteDatabase& database, DbSign& entry, QList<qint64>& ancestors);
  static QList<qint64> resolveAlias(SqliteDatabase& database, const QString& stdGloss);
  static QList<DbISWA> readSpellingOrAliasTarget(SqliteDatabase& database, qint64 signID);
  static bool writeSpelling(SqliteDatabase& database, qint64 signID, const QList<DbISWA>& spelling,
                            const QString& insertStatement);
  static bool writeMeanings(SqliteDatabase& database, qint64 signID, const QStringList& meanings,
                            const QString& insertStatement);
  static bool writeConstituentRows(SqliteDatabase& database, const DbSign& entry, const QList<qint64>& ids);

  QString m_path;
};

}  // namespace quabe
