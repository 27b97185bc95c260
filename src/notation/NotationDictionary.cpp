#include "notation/NotationDictionary.h"

#include "dictionary/Db.h"
#include "document/Compound.h"

namespace quabe {

NotationDictionary::NotationDictionary() : m_database(Db::databasePath()) {
  m_reading = m_database.open() && m_database.executeStatements(QStringLiteral("BEGIN DEFERRED TRANSACTION"));
}

NotationDictionary::~NotationDictionary() {
  if (m_reading) m_database.executeStatements(QStringLiteral("COMMIT"));
  m_database.close();
}

QList<qint64> NotationDictionary::candidates(const QString& gloss, const QString& tag) {
  if (!m_database.isOpen()) return {};
  if (!tag.isEmpty()) return Db::getSignIDs(gloss, tag, m_database);
  QList<qint64> ids = Db::getSignIDs(gloss, m_database);
  for (const qint64 id : Db::getSignIDsForJapanese(gloss, m_database)) {
    if (!ids.contains(id)) ids.append(id);
  }
  return ids;
}

std::optional<DbSign> NotationDictionary::entry(qint64 signID) {
  if (!m_database.isOpen()) return std::nullopt;
  return Db::getSign(signID, m_database);
}

QList<DbISWA> NotationDictionary::spelling(const DbSign& entry) {
  QList<DbISWA> rows = m_database.isOpen() ? Db::getSpelling(entry.signID, m_database) : QList<DbISWA>();
  if (rows.isEmpty() && !entry.stdGloss.isEmpty()) rows = Db::getSpelling(entry.signID);
  return rows;
}

std::optional<Symbol> NotationDictionary::handshape(const QString& name) { return Db::getHandshapeSymbol(name); }

QList<Symbol> NotationDictionary::nonManualMarker(const QString& name) { return Db::getNMSSymbols(name); }

std::shared_ptr<Sign> NotationDictionary::compound(const DbSign& entry) {
  return Db::makeCompound(std::make_shared<DbSign>(entry));
}

}  // namespace quabe
