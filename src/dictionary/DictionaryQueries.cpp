// Look-ups for the notation converter, searches and the sign list.
#include <QSet>

#include "dictionary/Dictionary.h"
#include "symbols/Symbol.h"

namespace quabe {

namespace {
void appendUnique(QList<qint64>& ids, qint64 id) {
  if (!ids.contains(id)) ids.append(id);
}

QList<qint64> intColumn(std::unique_ptr<SqliteResultSet> rs) {
  QList<qint64> ids;
  while (rs && rs->next()) ids.append(rs->longForColumnIndex(0));
  return ids;
}

// A LIKE pattern in which only "%" is a wildcard (used with ESCAPE '\').
QString escapeLike(const QString& text) {
  QString escaped;
  escaped.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('_')) escaped += QLatin1Char('\\');
    escaped += c;
  }
  return escaped;
}

struct GlossRow {
  qint64 signID;
  QString stdGloss;
};

QList<GlossRow> glossRows(std::unique_ptr<SqliteResultSet> rs) {
  QList<GlossRow> rows;
  while (rs && rs->next()) rows.append({rs->longForColumnIndex(0), rs->stringForColumnIndex(1).value_or(QString())});
  return rows;
}
}  // namespace

QList<qint64> Dictionary::resolveAlias(SqliteDatabase& db, const QString& stdGloss) {
  const auto [gloss, tag] = DbSign::splitGlossAndTag(stdGloss);
  if (tag.isEmpty()) {
    return intColumn(db.executeQuery(
        QStringLiteral("SELECT SignID FROM Signs WHERE Gloss=? AND (Tag IS NULL OR Tag='') ORDER BY SignID"), {gloss}));
  }
  return intColumn(db.executeQuery(QStringLiteral("SELECT SignID FROM Signs WHERE Gloss=? AND Tag=? ORDER BY SignID"),
                                   {gloss, tag}));
}

QList<qint64> Dictionary::getSignIDs(const QString& gloss) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  return getSignIDs(gloss, db);
}

QList<qint64> Dictionary::getSignIDs(const QString& gloss, SqliteDatabase& db) {
  QList<qint64> ids;
  const QList<GlossRow> rows = glossRows(
      db.executeQuery(QStringLiteral("SELECT SignID,StdGloss FROM Signs WHERE Gloss=? ORDER BY SignID"), {gloss}));
  for (const GlossRow& row : rows) {
    if (row.stdGloss.isEmpty()) {
      appendUnique(ids, row.signID);
    } else {
      for (qint64 id : resolveAlias(db, row.stdGloss)) appendUnique(ids, id);
    }
  }
  for (qint64 id :
       intColumn(db.executeQuery(QStringLiteral("SELECT SignID FROM Signs WHERE Yomi=? ORDER BY SignID"), {gloss})))
    appendUnique(ids, id);
  return ids;
}

QList<qint64> Dictionary::getSignIDs(const QString& gloss, const QString& tag) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  return getSignIDs(gloss, tag, db);
}

QList<qint64> Dictionary::getSignIDs(const QString& gloss, const QString& tag, SqliteDatabase& db) {
  const QList<GlossRow> rows =
      tag.isEmpty()
          ? glossRows(db.executeQuery(
                QStringLiteral(
                    "SELECT SignID,StdGloss FROM Signs WHERE Gloss=? AND (Tag IS NULL OR Tag='') ORDER BY SignID"),
                {gloss}))
          : glossRows(db.executeQuery(
                QStringLiteral("SELECT SignID,StdGloss FROM Signs WHERE Gloss=? AND Tag=? ORDER BY SignID"),
                {gloss, tag}));
  QList<qint64> ids;
  for (const GlossRow& row : rows) {
    if (row.stdGloss.isEmpty()) {
      appendUnique(ids, row.signID);
    } else {
      for (qint64 id : resolveAlias(db, row.stdGloss)) appendUnique(ids, id);
    }
  }
  return ids;
}

QList<qint64> Dictionary::getSignIDsForJapanese(const QString& word) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  return getSignIDsForJapanese(word, db);
}

QList<qint64> Dictionary::getSignIDsForJapanese(const QString& word, SqliteDatabase& db) {
  const QList<qint64> candidates = intColumn(
      db.executeQuery(QStringLiteral("SELECT SignID FROM Translation WHERE Japanese=? ORDER BY SignID"), {word}));
  QList<qint64> ids;
  for (qint64 id : candidates) {
    auto rs = db.executeQuery(QStringLiteral("SELECT StdGloss FROM Signs WHERE SignID=?"), {id});
    if (!rs || !rs->next()) continue;
    if (rs->stringForColumnIndex(0).value_or(QString()).isEmpty()) appendUnique(ids, id);
  }
  return ids;
}

std::optional<Symbol> Dictionary::getHandshapeSymbol(const QString& name) const {
  SqliteDatabase db = database();
  if (!db.open()) return std::nullopt;
  qint64 chosen = 0;
  {
    auto rs = db.executeQuery(QStringLiteral("SELECT * FROM Signs WHERE Gloss=?"), {name});
    qint64 lastWithoutHandshape = 0;
    while (rs && rs->next()) {
      if (!rs->textForColumn(QStringLiteral("Handshape")).isEmpty()) continue;
      const qint64 id = rs->longForColumn(QStringLiteral("SignID"));
      const QString forHandshape = rs->textForColumn(QStringLiteral("forHandshape"));
      if (!forHandshape.isEmpty() && forHandshape != QLatin1String("0")) {
        chosen = id;
        break;
      }
      lastWithoutHandshape = id;
    }
    if (chosen == 0) chosen = lastWithoutHandshape;
  }
  if (chosen <= 0) return std::nullopt;
  for (const DbISWA& row : getSpelling(chosen, db)) {
    if (SSS::categoryField(SSS::fromString(row.sss)) != 1 || row.hand != int(Hand::both)) continue;
    Symbol symbol(row);
    symbol.gloss = name;
    return symbol;
  }
  return std::nullopt;
}

QList<Symbol> Dictionary::getNMSSymbols(const QString& nms) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  QList<Symbol> symbols;
  auto rs =
      db.executeQuery(QStringLiteral("SELECT sss,pos_x,pos_y,Width,Height FROM NMS WHERE NMS=? ORDER BY subID"), {nms});
  while (rs && rs->next()) {
    symbols.append(Symbol(rs->stringForColumnIndex(0).value_or(QString()),
                          QPointF(rs->intForColumnIndex(1), rs->intForColumnIndex(2)),
                          QSizeF(rs->intForColumnIndex(3), rs->intForColumnIndex(4))));
  }
  return symbols;
}

// ------------------------------------------------------------------ searching

QString Dictionary::fieldCondition(const QString& column, const QString& value, QVariantList& arguments) {
  if (value.isEmpty()) return QStringLiteral(" AND ([%1] IS NULL OR [%1] = '')").arg(column);
  arguments.append(value);
  return QStringLiteral(" AND ([%1] = ?)").arg(column);
}

namespace {
QString entryFieldConditions(const DbSign& key, QVariantList& arguments) {
  QString text;
  text += Dictionary::fieldCondition(QStringLiteral("Tag"), key.tag, arguments);
  text += Dictionary::fieldCondition(QStringLiteral("Handshape"), key.handshape, arguments);
  text += Dictionary::fieldCondition(QStringLiteral("Position"), key.position, arguments);
  text += Dictionary::fieldCondition(QStringLiteral("Src"), key.source, arguments);
  text += Dictionary::fieldCondition(QStringLiteral("Dest"), key.destination, arguments);
  text += Dictionary::fieldCondition(QStringLiteral("Modifier"), key.modifier, arguments);
  if (key.isForHandshape) text += QStringLiteral(" AND forHandshape <> 0");
  return text;
}
}  // namespace

QList<qint64> Dictionary::findSameSigns(const DbSign& key) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  QVariantList arguments{key.gloss};
  const QString sql = QStringLiteral("SELECT * FROM Signs WHERE Gloss=?") + entryFieldConditions(key, arguments);
  QList<qint64> ids;
  auto rs = db.executeQuery(sql, arguments);
  while (rs && rs->next()) ids.append(rs->longForColumn(QStringLiteral("SignID")));
  return ids;
}

QList<DbSign> Dictionary::searchSigns(const DbSign& key) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  return searchSigns(key, db);
}

QList<DbSign> Dictionary::searchSigns(const DbSign& key, SqliteDatabase& db) {
  QString where;
  QVariantList arguments;
  if (key.signID > 0) {
    where = QStringLiteral("SignID=?");
    arguments.append(key.signID);
  } else if (key.gloss.contains(QLatin1Char('*')) || key.gloss.contains(QLatin1Char('%'))) {
    const QString pattern = escapeLike(QString(key.gloss).replace(QLatin1Char('*'), QLatin1Char('%')));
    where = QStringLiteral("Gloss LIKE ? ESCAPE '\\' OR Yomi LIKE ? ESCAPE '\\'");
    arguments = {pattern, pattern};
  } else {
    where = QStringLiteral("[Gloss] = ?");
    arguments.append(key.gloss);
    where += entryFieldConditions(key, arguments);
  }
  QList<DbSign> found;
  {
    auto rs = db.executeQuery(QStringLiteral("SELECT * FROM [Signs] WHERE ") + where, arguments);
    while (rs && rs->next()) found.append(makeDbSign(*rs));
  }
  for (DbSign& entry : found) {
    if (!entry.isCompound) continue;
    QList<qint64> ancestors;
    readConstituents(db, entry, ancestors);
  }
  return found;
}

QList<DbFinderSign> Dictionary::getFinderSigns() const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  const QList<qint64> ids = intColumn(db.executeQuery(
      QStringLiteral("SELECT SignID FROM Signs WHERE (StdGloss IS NULL OR StdGloss='') ORDER BY SignID")));
  QList<DbFinderSign> signs;
  signs.reserve(ids.size());
  // One ordered pass over the spelling rather than one statement per entry;
  // the rows of each entry come in SubID order as per-entry reading gives them.
  auto rs = db.executeQuery(QStringLiteral("SELECT SignID,SSS,pos_x,pos_y,hand FROM Spelling ORDER BY SignID, SubID"));
  bool haveRow = rs && rs->next();
  for (qint64 id : ids) {
    if (id <= 0) continue;
    DbFinderSign sign;
    sign.signID = id;
    while (haveRow && rs->longForColumnIndex(0) < id) haveRow = rs->next();
    while (haveRow && rs->longForColumnIndex(0) == id) {
      DbFinderSymbol symbol;
      symbol.code = SSS::fromString(rs->stringForColumnIndex(1).value_or(QString()));
      symbol.x = qint16(rs->intForColumnIndex(2));
      symbol.y = qint16(rs->intForColumnIndex(3));
      const int hand = rs->intForColumnIndex(4);
      symbol.hand = (hand >= 0 && hand <= 3) ? static_cast<Hand>(hand) : Hand::none;
      sign.symbols.append(symbol);
      haveRow = rs->next();
    }
    signs.append(sign);
  }
  return signs;
}

}  // namespace quabe
