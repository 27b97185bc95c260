#include "dictionary/Dictionary.h"

#include <QDir>
#include <QFileInfo>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "core/Resources.h"

namespace quabe {

const QString Dictionary::dictionaryFileName = QStringLiteral("swdic.db");

Dictionary::Dictionary(const QString& path, QObject* parent) : QObject(parent), m_path(path) {}

Dictionary::~Dictionary() = default;

// ---------------------------------------------------------------------- path

QString Dictionary::bundledPath() {
  const QString found = Resources::path(dictionaryFileName);
  if (!found.isEmpty()) return found;
  // Not installed: the first resource directory, where it would belong.
  const QStringList dirs = Resources::searchDirectories();
  return QDir(dirs.isEmpty() ? QStringLiteral(".") : dirs.first()).filePath(dictionaryFileName);
}

QString Dictionary::pathFor(bool useAlternativeDict, const QString& alternativeDictPath) {
  if (useAlternativeDict && !alternativeDictPath.isEmpty()) return alternativeDictPath;
  return bundledPath();
}

QString Dictionary::pathFromSettings() {
  return pathFor(Resources::setting(QStringLiteral("UseAlternativeDict")).toBool(),
                 Resources::setting(QStringLiteral("AlternativeDictPath")).toString());
}

void Dictionary::setPath(const QString& path) {
  if (path == m_path) return;
  m_path = path;
  Q_EMIT switched();
  Q_EMIT changed();
}

// ------------------------------------------------------ validation, migration

bool Dictionary::isValidDictionary(const QString& path) {
  const QString format = QStringLiteral("%1: %2");
  if (!QFileInfo(path).isFile()) {
    alerts().alert(format.arg(loc("DictDoesNotExists"), path), QString());
    return false;
  }
  SqliteDatabase db(path);
  std::unique_ptr<SqliteResultSet> rs;
  if (db.open()) rs = db.executeQuery(QStringLiteral("SELECT COUNT(*) FROM Signs"));
  if (!rs) {
    alerts().alert(format.arg(loc("NotDictForQuabe"), path), loc("ThereIsNoSignsInIt"));
    return false;
  }
  const bool ok = rs->next();
  if (!ok) alerts().alert(format.arg(loc("NotDictForQuabe"), path), loc("ThereIsNoSignsInIt"));
  return ok;
}

bool Dictionary::addTagColumn(const QString& path) {
  SqliteDatabase db(path);
  if (!db.open()) return false;
  // A file that already has Tag needs only the split below.
  bool hasTag = false;
  if (auto rs = db.executeQuery(QStringLiteral("PRAGMA table_info(Signs)"))) {
    while (rs->next()) {
      if (rs->textForColumn(QStringLiteral("name")).compare(QLatin1String("Tag"), Qt::CaseInsensitive) == 0)
        hasTag = true;
    }
  }
  if (!db.beginTransaction()) return false;
  if (!hasTag && !db.executeUpdate(QStringLiteral("ALTER TABLE Signs ADD COLUMN Tag TEXT"))) {
    db.rollback();
    return false;
  }
  struct Split {
    qint64 signID;
    QString gloss;
    QString tag;
  };
  QList<Split> splits;
  auto rs = db.executeQuery(QStringLiteral("SELECT SignID,Gloss FROM Signs WHERE StdGloss IS NULL OR StdGloss=''"));
  if (!rs) {
    db.rollback();
    return false;
  }
  while (rs->next()) {
    const QString gloss = rs->textForColumn(QStringLiteral("Gloss"));
    if (!DbSign::containsCircledDigit(gloss)) continue;
    // The last circled digit goes to Tag wherever it stands; the rest stays the gloss.
    qsizetype at = gloss.size() - 1;
    while (!DbSign::isCircledDigit(gloss.at(at))) --at;
    splits.append({rs->longForColumn(QStringLiteral("SignID")), gloss.left(at) + gloss.mid(at + 1), gloss.mid(at, 1)});
  }
  for (const Split& s : splits) {
    if (!db.executeUpdate(QStringLiteral("UPDATE Signs SET Gloss=?, Tag=? WHERE SignID=?"),
                          {s.gloss, s.tag, s.signID})) {
      db.rollback();
      return false;
    }
  }
  if (!db.commit()) {
    db.rollback();
    return false;
  }
  return true;
}

DbSign Dictionary::makeDbSign(SqliteResultSet& rs) {
  DbSign s;
  s.signID = rs.longForColumn(QStringLiteral("SignID"));
  s.gloss = rs.textForColumn(QStringLiteral("Gloss"));
  s.tag = rs.textForColumn(QStringLiteral("Tag"));
  s.yomi = rs.textForColumn(QStringLiteral("Yomi"));
  s.handshape = rs.textForColumn(QStringLiteral("Handshape"));
  s.position = rs.textForColumn(QStringLiteral("Position"));
  s.source = rs.textForColumn(QStringLiteral("Src"));
  s.destination = rs.textForColumn(QStringLiteral("Dest"));
  s.modifier = rs.textForColumn(QStringLiteral("Modifier"));
  s.comment = rs.textForColumn(QStringLiteral("Comment"));
  s.stdGloss = rs.textForColumn(QStringLiteral("StdGloss"));
  if (s.yomi.isEmpty()) s.yomi = s.gloss;
  s.width = rs.intForColumn(QStringLiteral("Width"));
  s.height = rs.intForColumn(QStringLiteral("Height"));
  s.creationTime = rs.longForColumn(QStringLiteral("CreationTime"));
  s.modificationTime = rs.longForColumn(QStringLiteral("ModificationTime"));
  s.jjsText = s.text(TagStyle::defaultStyle);
  s.inflectionType = rs.intForColumn(QStringLiteral("InflectionType"));
  s.modificationType = rs.intForColumn(QStringLiteral("ModificationType"));
  const QString forHandshape = rs.textForColumn(QStringLiteral("forHandshape"));
  s.isForHandshape = !forHandshape.isEmpty() && forHandshape != QLatin1String("0");
  s.isCompound = rs.boolForColumn(QStringLiteral("IsCompound"));
  return s;
}

// ------------------------------------------------------------ single entries

std::optional<DbSign> Dictionary::getSign(qint64 signID) const {
  SqliteDatabase db = database();
  if (!db.open()) return std::nullopt;
  return getSign(signID, db);
}

std::optional<DbSign> Dictionary::getSign(qint64 signID, SqliteDatabase& db) {
  QList<qint64> ancestors;
  return readSign(db, signID, ancestors);
}

std::optional<DbSign> Dictionary::readSign(SqliteDatabase& db, qint64 signID, QList<qint64>& ancestors) {
  std::optional<DbSign> entry;
  {
    auto rs = db.executeQuery(QStringLiteral("SELECT * FROM Signs WHERE SignID=?"), {signID});
    if (!rs || !rs->next()) return std::nullopt;
    entry = makeDbSign(*rs);
  }
  if (entry->isCompound) readConstituents(db, *entry, ancestors);
  return entry;
}

void Dictionary::readConstituents(SqliteDatabase& db, DbSign& entry, QList<qint64>& ancestors) {
  const QList<qint64> ids = getConstituentIDs(entry.signID, db);
  entry.constituentIDs = ids;
  entry.constituents = QList<DbSign>();
  ancestors.append(entry.signID);
  for (qint64 id : ids) {
    // A compound that contains itself, directly or not, would never end.
    if (ancestors.contains(id)) {
      qCWarning(lcDictionary) << "compound" << entry.signID << "contains itself";
      continue;
    }
    if (auto constituent = readSign(db, id, ancestors)) {
      entry.constituents->append(*constituent);
    } else {
      qCWarning(lcDictionary) << "constituent" << id << "of compound" << entry.signID << "not found";
    }
  }
  ancestors.removeLast();
}

QList<qint64> Dictionary::getConstituentIDs(qint64 compoundID, SqliteDatabase& db) {
  QList<qint64> ids;
  auto rs = db.executeQuery(QStringLiteral("SELECT ConstituentID FROM Compounds WHERE CompoundID=?"), {compoundID});
  while (rs && rs->next()) ids.append(rs->longForColumnIndex(0));
  return ids;
}

DbISWA Dictionary::spellingRow(SqliteResultSet& rs) {
  DbISWA row;
  row.signID = rs.longForColumn(QStringLiteral("SignID"));
  row.subID = rs.intForColumn(QStringLiteral("SubID"));
  row.sign = rs.textForColumn(QStringLiteral("Sign"));
  row.sss = rs.textForColumn(QStringLiteral("SSS"));
  row.x = rs.intForColumn(QStringLiteral("pos_x"));
  row.y = rs.intForColumn(QStringLiteral("pos_y"));
  row.hand = rs.intForColumn(QStringLiteral("hand"));
  row.changeableHand = rs.intForColumn(QStringLiteral("changeableHand"));
  row.turnableArrow = rs.intForColumn(QStringLiteral("turnableArrow"));
  row.modifiableArrow = rs.intForColumn(QStringLiteral("modifiableArrow"));
  return row;
}

QList<DbISWA> Dictionary::getSpelling(qint64 signID, SqliteDatabase& db) {
  QList<DbISWA> rows;
  auto rs = db.executeQuery(QStringLiteral("SELECT * FROM [Spelling] WHERE SignID=?"), {signID});
  while (rs && rs->next()) rows.append(spellingRow(*rs));
  return rows;
}

QList<DbISWA> Dictionary::getSpelling(qint64 signID) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  return readSpellingOrAliasTarget(db, signID);
}

QList<DbISWA> Dictionary::readSpellingOrAliasTarget(SqliteDatabase& db, qint64 signID) {
  QList<DbISWA> rows = getSpelling(signID, db);
  if (!rows.isEmpty()) return rows;
  QString stdGloss;
  if (auto rs = db.executeQuery(QStringLiteral("SELECT StdGloss FROM Signs WHERE SignID=?"), {signID})) {
    if (rs->next()) stdGloss = rs->stringForColumnIndex(0).value_or(QString());
  }
  if (stdGloss.isEmpty()) return rows;
  QList<qint64> targets;
  if (auto rs = db.executeQuery(QStringLiteral("SELECT SignID FROM Signs WHERE Gloss=?"), {stdGloss})) {
    if (rs->next()) targets.append(rs->longForColumnIndex(0));
  }
  // Since tags have a column of their own, "雨②" names gloss 雨 with tag ②.
  if (targets.isEmpty()) targets = resolveAlias(db, stdGloss);
  if (targets.isEmpty() || targets.first() == signID) return rows;
  return getSpelling(targets.first(), db);
}

QStringList Dictionary::getMeanings(qint64 signID, SqliteDatabase& db) {
  QStringList meanings;
  auto rs =
      db.executeQuery(QStringLiteral("SELECT Japanese FROM Translation WHERE SignID=? ORDER BY Japanese"), {signID});
  while (rs && rs->next()) {
    const std::optional<QString> text = rs->stringForColumnIndex(0);
    if (!text) break;
    meanings.append(*text);
  }
  return meanings;
}

QStringList Dictionary::getMeanings(qint64 signID) const {
  SqliteDatabase db = database();
  if (!db.open()) return {};
  return getMeanings(signID, db);
}

bool Dictionary::isCompound(qint64 signID) const {
  SqliteDatabase db = database();
  if (!db.open()) return false;
  auto rs = db.executeQuery(QStringLiteral("SELECT IsCompound FROM Signs WHERE SignID=?"), {signID});
  return rs && rs->next() && rs->boolForColumnIndex(0);
}

QList<qint64> Dictionary::getCompoundIDs(const QList<qint64>& signIDs) const {
  QList<qint64> ids;
  for (qint64 id : signIDs) {
    if (isCompound(id)) ids.append(id);
  }
  return ids;
}

qint64 Dictionary::getMaxSignID(SqliteDatabase& db) {
  auto rs = db.executeQuery(QStringLiteral("SELECT MAX(SignID) FROM Signs ORDER BY SignID DESC"));
  if (!rs || !rs->next()) return -1;
  return rs->longForColumnIndex(0);
}

qint64 Dictionary::getMaxSignID() const {
  SqliteDatabase db = database();
  if (!db.open()) return -1;
  return getMaxSignID(db);
}

}  // namespace quabe
