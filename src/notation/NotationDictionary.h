#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "dictionary/sqlite/SqliteDatabase.h"
#include "document/DbSign.h"
#include "symbols/Symbol.h"

namespace quabe {

class Dictionary;
class Sign;

// Everything the notation converter reads from the dictionary, through one
// connection held for the conversion of a line (inside one read
// transaction, so the file is locked for reading once, not per statement).
class NotationDictionary {
 public:
  explicit NotationDictionary(const Dictionary& dictionary);
  ~NotationDictionary();
  NotationDictionary(const NotationDictionary&) = delete;
  NotationDictionary& operator=(const NotationDictionary&) = delete;

  // Entries for a gloss without a tag: the gloss matches first, then the
  // entries with it as a meaning, each id once. With a tag: the entries
  // with that gloss and tag.
  QList<qint64> candidates(const QString& gloss, const QString& tag);
  std::optional<DbSign> entry(qint64 signID);
  // The spelling rows of an entry; an alias reads the rows of the entry it
  // names.
  QList<DbISWA> spelling(const DbSign& entry);
  // The symbol registered for a handshape name.
  std::optional<Symbol> handshape(const QString& name);
  // The symbols of a non-manual marker, in order.
  QList<Symbol> nonManualMarker(const QString& name);
  // A compound entry as the compound sign with its constituents, the way
  // the sign list inserts it.
  std::shared_ptr<Sign> compound(const DbSign& entry);

 private:
  const Dictionary& m_dictionary;
  SqliteDatabase m_database;
  bool m_reading = false;
};

}  // namespace quabe
