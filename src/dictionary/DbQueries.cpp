// Look-ups for the notation converter, searches and the sign list.
#include <QSet>

#include "core/Diagnostics.h"
#include "dictionary/Db.h"
#include "symbols/Symbol.h"

namespace quabe {

namespace {
void appendUnique(QList<int>& ids, int id) {
  if (!ids.contains(id)) ids.append(id);
}

QList<int> intColumn(std::unique_ptr<SqliteResultSet> rs) {
  QList<int> ids;
  while (rs && rs->next()) ids.append(rs->intForColumnIndex(0));
  return ids;
}

// A LIKE pattern that matches the text literally; with keepPercent the
// user's "%" stays a wildcard. Used with ESCAPE '\'.
QString escapeLike(const QString& text, bool keepPercent) {
  QString escaped;
  escaped.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('_') || (!keepPercent && c == QLatin1Char('%')))
      escaped += QLatin1Char('\\');
    escaped += c;
  }
  return escaped;
}

struct GlossRow {
  int signID;
  QString stdGloss;
};

QList<GlossRow> glossRows(std::unique_ptr<SqliteResultSet> rs) {
  QList<GlossRow> rows;
  while (rs && rs->next()) rows.append({rs->intForColumnIndex(0), rs->stringForColumnIndex(1).value_or(QString())});
  return rows;
}
}  // namespace

QList<int> Db::resolveAlias(SqliteDatabase& db, const QString& stdGloss) {
  const auto [gloss, tag] = DbSign::splitGlossAndTag(stdGloss);
  if (tag.isEmpty()) {
    return intColumn(db.executeQuery(
        QStringLiteral("SELECT SignID FROM Signs WHERE Gloss=? AND (Tag IS NULL OR Tag='') ORDER BY SignID"), {gloss}));
  }
  return intColumn(
      db.executeQuery(QStringLiteral("SELECT SignID FROM Signs WHERE Gloss=? AND Tag=? ORDER BY SignID"), {gloss, tag}));
}

QList<int> Db::getSignIDs(const QString& gloss) {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  QList<int> ids;
  const QList<GlossRow> rows = glossRows(
      db.executeQuery(QStringLiteral("SELECT SignID,StdGloss FROM Signs WHERE Gloss=? ORDER BY SignID"), {gloss}));
  for (const GlossRow& row : rows) {
    if (row.stdGloss.isEmpty()) {
      appendUnique(ids, row.signID);
    } else {
      for (int id : resolveAlias(db, row.stdGloss)) appendUnique(ids, id);
    }
  }
  for (int id : intColumn(db.executeQuery(QStringLiteral("SELECT SignID FROM Signs WHERE Yomi=? ORDER BY SignID"),
                                          {gloss})))
    appendUnique(ids, id);
  return ids;
}

QList<int> Db::getSignIDs(const QString& gloss, const QString& tag) {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  const QList<GlossRow> rows =
      tag.isEmpty()
          ? glossRows(db.executeQuery(
                QStringLiteral(
                    "SELECT SignID,StdGloss FROM Signs WHERE Gloss=? AND (Tag IS NULL OR Tag='') ORDER BY SignID"),
                {gloss}))
          : glossRows(db.executeQuery(
                QStringLiteral("SELECT SignID,StdGloss FROM Signs WHERE Gloss=? AND Tag=? ORDER BY SignID"),
                {gloss, tag}));
  QList<int> ids;
  for (const GlossRow& row : rows) {
    if (row.stdGloss.isEmpty()) {
      appendUnique(ids, row.signID);
    } else {
      for (int id : resolveAlias(db, row.stdGloss)) appendUnique(ids, id);
    }
  }
  return ids;
}

QList<int> Db::getSignIDsForJapanese(const QString& word) {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  const QList<int> candidates = intColumn(
      db.executeQuery(QStringLiteral("SELECT SignID FROM Translation WHERE Japanese=? ORDER BY SignID"), {word}));
  QList<int> ids;
  for (int id : candidates) {
    auto rs = db.executeQuery(QStringLiteral("SELECT StdGloss FROM Signs WHERE SignID=%1").arg(id));
    if (!rs || !rs->next()) continue;
    if (rs->stringForColumnIndex(0).value_or(QString()).isEmpty()) appendUnique(ids, id);
  }
  return ids;
}

std::optional<Symbol> Db::getHandshapeSymbol(const QString& name) {
  SqliteDatabase db = database();
  if (!db.open()) return std::nullopt;
  int chosen = 0;
  {
    auto rs = db.executeQuery(QStringLiteral("SELECT * FROM Signs WHERE Gloss=?"), {name});
    int lastWithoutHandshape = 0;
    while (rs && rs->next()) {
      if (!rs->textForColumn(QStringLiteral("Handshape")).isEmpty()) continue;
      const int id = rs->intForColumn(QStringLiteral("SignID"));
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
  auto rs = db.executeQuery(QStringLiteral("SELECT * FROM Spelling WHERE SignID=?"), {chosen});
  while (rs && rs->next()) {
    DbISWA row;
    row.signID = chosen;
    row.subID = rs->intForColumn(QStringLiteral("SubID"));
    row.sss = rs->textForColumn(QStringLiteral("SSS"));
    row.x = rs->intForColumn(QStringLiteral("pos_x"));
    row.y = rs->intForColumn(QStringLiteral("pos_y"));
    row.hand = rs->intForColumn(QStringLiteral("hand"));
    row.changeableHand = rs->intForColumn(QStringLiteral("changeableHand"));
    row.turnableArrow = rs->intForColumn(QStringLiteral("turnableArrow"));
    row.modifiableArrow = rs->intForColumn(QStringLiteral("modifiableArrow"));
    if (SSS::categoryField(SSS::fromString(row.sss)) != 1 || row.hand != int(Hand::both)) continue;
    rs->close();
    db.close();
    Symbol symbol(row);
    symbol.gloss = name;
    return symbol;
  }
  return std::nullopt;
}

QList<Symbol> Db::getNMSSymbols(const QString& nms) {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  QList<Symbol> symbols;
  auto rs = db.executeQuery(QStringLiteral("SELECT sss,pos_x,pos_y,Width,Height FROM NMS WHERE NMS=? ORDER BY subID"),
                            {nms});
  while (rs && rs->next()) {
    symbols.append(Symbol(rs->stringForColumnIndex(0).value_or(QString()),
                          QPointF(rs->intForColumnIndex(1), rs->intForColumnIndex(2)),
                          QSizeF(rs->intForColumnIndex(3), rs->intForColumnIndex(4))));
  }
  return symbols;
}

// ------------------------------------------------------------------ searching

QString Db::fieldCondition(const QString& column, const QString& value, QVariantList& arguments) {
  if (value.isEmpty()) return QStringLiteral(" AND ([%1] IS NULL OR [%1] = '')").arg(column);
  arguments.append(value);
  return QStringLiteral(" AND ([%1] = ?)").arg(column);
}

namespace {
QString entryFieldConditions(const DbSign& key, QVariantList& arguments) {
  QString text;
  text += Db::fieldCondition(QStringLiteral("Tag"), key.tag, arguments);
  text += Db::fieldCondition(QStringLiteral("Handshape"), key.handshape, arguments);
  text += Db::fieldCondition(QStringLiteral("Position"), key.position, arguments);
  text += Db::fieldCondition(QStringLiteral("Src"), key.source, arguments);
  text += Db::fieldCondition(QStringLiteral("Dest"), key.destination, arguments);
  text += Db::fieldCondition(QStringLiteral("Modifier"), key.modifier, arguments);
  if (key.isForHandshape) text += QStringLiteral(" AND forHandshape <> 0");
  return text;
}
}  // namespace

QList<int> Db::findSameSigns(const DbSign& key) {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  QVariantList arguments{key.gloss};
  const QString sql = QStringLiteral("SELECT * FROM Signs WHERE Gloss=?") + entryFieldConditions(key, arguments);
  QList<int> ids;
  auto rs = db.executeQuery(sql, arguments);
  while (rs && rs->next()) ids.append(rs->intForColumn(QStringLiteral("SignID")));
  return ids;
}

QList<DbSign> Db::searchSigns(DbSign& key) {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  return searchSigns(key, db);
}

QList<DbSign> Db::searchSigns(DbSign& key, SqliteDatabase& db) {
  QString where;
  QVariantList arguments;
  if (key.signID > 0) {
    where = QStringLiteral("SignID=%1").arg(key.signID);
  } else if (key.gloss.contains(QLatin1Char('*')) || key.gloss.contains(QLatin1Char('%'))) {
    key.gloss.replace(QLatin1Char('*'), QLatin1Char('%'));
    const QString pattern = escapeLike(key.gloss, true);
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
    QList<int> ancestors;
    readConstituents(db, entry, ancestors);
  }
  return found;
}

QList<DbSign> Db::getWholeSigns(const QString& search, int from, int to) {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  QString sql = QStringLiteral("SELECT * FROM Signs WHERE ((StdGloss IS NULL) OR (StdGloss = '')) ");
  QVariantList arguments;
  if (!search.isEmpty()) {
    const QString pattern =
        QStringLiteral("%") + escapeLike(DbSign::splitGlossAndTag(search).first, false) + QStringLiteral("%");
    sql += QStringLiteral(
        " AND ((Gloss LIKE ? ESCAPE '\\' OR Yomi LIKE ? ESCAPE '\\')  OR (SignID in (SELECT SignID FROM Translation "
        "WHERE Japanese LIKE ? ESCAPE '\\')))");
    arguments = {pattern, pattern, pattern};
  }
  sql += QStringLiteral(" ORDER BY Yomi");
  diag(sql);
  QList<DbSign> entries;
  {
    auto rs = db.executeQuery(sql, arguments);
    int row = 0;
    while (row < to && rs && rs->next()) {
      ++row;
      if (row < from) continue;
      entries.append(makeDbSign(*rs));
    }
  }
  db.close();
  for (DbSign& entry : entries) {
    entry.meanings = getMeanings(entry.signID);
    entry.image = signImage(QSize(150, 150), entry.signID);
  }
  return entries;
}

QList<DbFinderSign> Db::getFinderSigns() {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  const QList<int> ids = intColumn(db.executeQuery(
      QStringLiteral("SELECT SignID FROM Signs WHERE (StdGloss IS NULL OR StdGloss='') ORDER BY SignID")));
  QList<DbFinderSign> signs;
  signs.reserve(ids.size());
  for (int id : ids) {
    if (id <= 0) continue;
    DbFinderSign sign;
    sign.signID = id;
    auto rs = db.executeQuery(QStringLiteral("SELECT SSS,pos_x,pos_y,hand FROM Spelling WHERE SignID=? ORDER BY SubID"),
                              {id});
    while (rs && rs->next()) {
      DbFinderSymbol symbol;
      symbol.code = SSS::fromString(rs->stringForColumnIndex(0).value_or(QString()));
      symbol.x = qint16(rs->intForColumnIndex(1));
      symbol.y = qint16(rs->intForColumnIndex(2));
      const int hand = rs->intForColumnIndex(3);
      symbol.hand = (hand >= 0 && hand <= 3) ? static_cast<Hand>(hand) : Hand::none;
      sign.symbols.append(symbol);
    }
    signs.append(sign);
  }
  return signs;
}

}  // namespace quabe
