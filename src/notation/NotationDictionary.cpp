#include "notation/NotationDictionary.h"

#include "dictionary/Dictionary.h"
#include "document/Compound.h"

namespace quabe {

NotationDictionary::NotationDictionary(const Dictionary& dictionary)
    : m_dictionary(dictionary), m_database(dictionary.database()) {
  m_reading = m_database.open() && m_database.executeStatements(QStringLiteral("BEGIN DEFERRED TRANSACTION"));
}

NotationDictionary::~NotationDictionary() {
  if (m_reading) m_database.executeStatements(QStringLiteral("COMMIT"));
  m_database.close();
}

QList<qint64> NotationDictionary::candidates(const QString& gloss, const QString& tag) {
  if (!m_database.isOpen()) return {};
  if (!tag.isEmpty()) return Dictionary::getSignIDs(gloss, tag, m_database);
  QList<qint64> ids = Dictionary::getSignIDs(gloss, m_database);
  for (const qint64 id : Dictionary::getSignIDsForJapanese(gloss, m_database)) {
    if (!ids.contains(id)) ids.append(id);
  }
  return ids;
}

std::optional<DbSign> NotationDictionary::entry(qint64 signID) {
  if (!m_database.isOpen()) return std::nullopt;
  return Dictionary::getSign(signID, m_database);
}

QList<DbISWA> NotationDictionary::spelling(const DbSign& entry) {
  QList<DbISWA> rows = m_database.isOpen() ? Dictionary::getSpelling(entry.signID, m_database) : QList<DbISWA>();
  if (rows.isEmpty() && !entry.stdGloss.isEmpty()) rows = m_dictionary.getSpelling(entry.signID);
  return rows;
}

std::optional<Symbol> NotationDictionary::handshape(const QString& name) {
  return m_dictionary.getHandshapeSymbol(name);
}

QList<Symbol> NotationDictionary::nonManualMarker(const QString& name) { return m_dictionary.getNMSSymbols(name); }

std::shared_ptr<Sign> NotationDictionary::compound(const DbSign& entry) {
  return m_dictionary.makeCompound(std::make_shared<DbSign>(entry));
}

}  // namespace quabe
