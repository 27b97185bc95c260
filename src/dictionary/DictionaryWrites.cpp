// Writes: every one runs in one exclusive transaction that is rolled back on
// the first failure, and announces changed() after a commit.
#include <QDateTime>

#include "core/Logging.h"
#include "dictionary/Dictionary.h"

namespace quabe {

namespace {
const QString kSpellingInsert = QStringLiteral(
    "INSERT INTO Spelling (SignID, SubID, Sign, SSS, pos_x, pos_y,  hand, changeableHand, turnableArrow, "
    "modifiableArrow) VALUES(?,?,?,?,?,?,?,?,?,?)");
const QString kSpellingUpdate = QStringLiteral(
    "INSERT INTO Spelling (SignID, SubID, Sign, SSS, pos_x, pos_y,  hand, changeableHand, turnableArrow, "
    "modifiableArrow) VALUES (?,?,?,?,?,?,?,?,?,?)");
const QString kMeaningInsert = QStringLiteral("INSERT INTO Translation (SignID, Japanese) VALUES (?,?)");
const QString kCompoundMeaningInsert = QStringLiteral("INSERT INTO Translation (SignID, Japanese)  VALUES (?,?)");
const QString kConstituentInsert =
    QStringLiteral("INSERT INTO Compounds (CompoundID, ConstituentID, ComponentOrder, Gloss) VALUES(?,?,?,?)");

qint64 now() { return QDateTime::currentSecsSinceEpoch(); }

// Ends a transaction that failed part-way.
bool fail(SqliteDatabase& db) {
  db.rollback();
  return false;
}
}  // namespace

bool Dictionary::finishWrite(SqliteDatabase& db) {
  if (!db.commit()) return fail(db);
  db.close();
  Q_EMIT changed();
  return true;
}

bool Dictionary::writeSpelling(SqliteDatabase& db, qint64 signID, const QList<DbISWA>& spelling,
                               const QString& insert) {
  if (!db.executeUpdate(QStringLiteral("DELETE FROM Spelling WHERE SignID=?"), {signID})) return false;
  for (const DbISWA& row : spelling) {
    if (!db.executeUpdate(insert, {signID, row.subID, row.sign, row.sss, row.x, row.y, row.hand, row.changeableHand,
                                   row.turnableArrow, row.modifiableArrow}))
      return false;
  }
  return true;
}

bool Dictionary::writeMeanings(SqliteDatabase& db, qint64 signID, const QStringList& meanings, const QString& insert) {
  if (!db.executeUpdate(QStringLiteral("DELETE FROM Translation WHERE SignID=?"), {signID})) return false;
  for (const QString& meaning : meanings) {
    if (!db.executeUpdate(insert, {signID, meaning})) return false;
  }
  return true;
}

bool Dictionary::writeNewEntry(SqliteDatabase& db, const DbSign& e, const QList<DbISWA>& spelling) {
  if (!db.executeUpdate(
          QStringLiteral("INSERT INTO Signs (SignID, Gloss, Tag, Yomi, HandShape, [Position], Src, Dest, Modifier,  "
                         "Width, Height, InflectionType, ModificationType, Comment, forHandshape, CreationTime, "
                         "ModificationTime, IsCompound) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
          {e.signID, e.gloss, e.tag, e.yomi, e.handshape, e.position, e.source, e.destination, e.modifier, e.width,
           e.height, e.inflectionType, e.modificationType, e.comment, e.isForHandshape ? 1 : 0, e.creationTime,
           e.modificationTime, e.isCompound ? 1 : 0})) {
    qCWarning(lcDictionary) << "storing sign" << e.signID << "failed";
    return false;
  }
  if (!writeSpelling(db, e.signID, spelling, kSpellingInsert)) return false;
  if (!writeMeanings(db, e.signID, e.meanings, kMeaningInsert)) return false;
  if (!e.constituents) return true;
  if (!db.executeUpdate(QStringLiteral("DELETE FROM Compounds WHERE CompoundID=?"), {e.signID})) return false;
  // Constituents are found again by their fields; the rows are numbered from 2.
  int order = 2;
  for (DbSign constituent : *e.constituents) {
    constituent.signID = 0;
    const QList<DbSign> found = searchSigns(constituent, db);
    if (found.isEmpty()) continue;
    if (!db.executeUpdate(kConstituentInsert, {e.signID, found.first().signID, order, e.gloss})) return false;
    ++order;
  }
  return true;
}

bool Dictionary::insertSign(DbSign& entry, const QList<DbISWA>& spelling, bool copy) {
  SqliteDatabase db = database();
  if (!db.open()) return false;
  if (!db.beginTransaction()) return false;
  if (entry.signID < 0) {
    const qint64 max = getMaxSignID(db);
    if (max < 0) return fail(db);
    entry.signID = max + 1;
  }
  if (!copy) entry.creationTime = entry.modificationTime = now();
  if (!writeNewEntry(db, entry, spelling)) return fail(db);
  return finishWrite(db);
}

bool Dictionary::updateSign(DbSign& e, const QList<DbISWA>& spelling, bool copy) {
  SqliteDatabase db = database();
  if (!db.open()) return false;
  if (!copy) e.modificationTime = now();
  if (!db.beginTransaction()) return false;
  if (!db.executeUpdate(
          QStringLiteral("UPDATE Signs SET Gloss=?, Tag=?, StdGloss='', Yomi=?, HandShape=?, Position=?, Src=?, "
                         "Dest=?, Modifier=?, Width=?, Height=?, InflectionType=?, ModificationType=?, Comment=?, "
                         "forHandshape=?, ModificationTime=? WHERE SignID=?"),
          {e.gloss, e.tag, e.yomi, e.handshape, e.position, e.source, e.destination, e.modifier, e.width, e.height,
           e.inflectionType, e.modificationType, e.comment, e.isForHandshape ? 1 : 0, e.modificationTime, e.signID})) {
    return fail(db);
  }
  // Without an entry to update the spelling rows would belong to nothing.
  if (db.changes() == 0) {
    qCWarning(lcDictionary) << "no entry with SignID" << e.signID << "to update";
    return fail(db);
  }
  if (!writeSpelling(db, e.signID, spelling, kSpellingUpdate)) return fail(db);
  if (!writeMeanings(db, e.signID, e.meanings, kMeaningInsert)) return fail(db);
  return finishWrite(db);
}

bool Dictionary::writeConstituentRows(SqliteDatabase& db, const DbSign& entry, const QList<qint64>& ids) {
  int order = 1;
  for (qint64 id : ids) {
    if (!db.executeUpdate(kConstituentInsert, {entry.signID, id, order, entry.gloss})) return false;
    ++order;
  }
  return true;
}

bool Dictionary::insertCompound(DbSign& e, const QList<qint64>& constituentIDs, bool copy) {
  SqliteDatabase db = database();
  if (!db.open()) return false;
  if (!db.beginTransaction()) return false;
  if (e.signID < 0) {
    const qint64 max = getMaxSignID(db);
    if (max < 0) return fail(db);
    e.signID = max + 1;
  }
  if (!copy) e.creationTime = e.modificationTime = now();
  e.isCompound = true;
  if (!db.executeUpdate(QStringLiteral("INSERT INTO Signs (SignID, Gloss, Tag, Yomi, Comment, IsCompound, "
                                       "CreationTime, ModificationTime) VALUES (?,?,?,?,?,?,?,?)"),
                        {e.signID, e.gloss, e.tag, e.yomi, e.comment, 1, e.creationTime, e.modificationTime}))
    return fail(db);
  if (!writeConstituentRows(db, e, constituentIDs)) return fail(db);
  if (!writeMeanings(db, e.signID, e.meanings, kCompoundMeaningInsert)) return fail(db);
  return finishWrite(db);
}

bool Dictionary::updateCompound(DbSign& e, const QList<qint64>& constituentIDs, bool copy) {
  SqliteDatabase db = database();
  if (!db.open()) return false;
  if (!copy) e.modificationTime = now();
  if (!db.beginTransaction()) return false;
  if (!db.executeUpdate(QStringLiteral("UPDATE Signs SET  Gloss=?, Tag=?, StdGloss='', Yomi=?, Comment=?, "
                                       "IsCompound=1, ModificationTime=? WHERE SignID=?"),
                        {e.gloss, e.tag, e.yomi, e.comment, e.modificationTime, e.signID}))
    return fail(db);
  if (db.changes() == 0) {
    qCWarning(lcDictionary) << "no compound with SignID" << e.signID << "to update";
    return fail(db);
  }
  e.isCompound = true;
  if (!db.executeUpdate(QStringLiteral("DELETE FROM Compounds WHERE CompoundID=?"), {e.signID})) return fail(db);
  if (!writeConstituentRows(db, e, constituentIDs)) return fail(db);
  if (!writeMeanings(db, e.signID, e.meanings, kMeaningInsert)) return fail(db);
  return finishWrite(db);
}

bool Dictionary::deleteSign(qint64 signID) {
  if (signID < 1) return false;
  SqliteDatabase db = database();
  if (!db.open()) return false;
  if (!db.beginTransaction()) return false;
  // Asked inside the transaction, before the rows go: the state before deletion.
  bool wasCompound = false;
  bool exists = false;
  if (auto rs = db.executeQuery(QStringLiteral("SELECT IsCompound FROM Signs WHERE SignID=?"), {signID})) {
    if (rs->next()) {
      exists = true;
      wasCompound = rs->boolForColumnIndex(0);
    }
  }
  if (!exists) return fail(db);
  if (!db.executeUpdate(QStringLiteral("DELETE FROM Signs WHERE SignID=?"), {signID})) return fail(db);
  if (!db.executeUpdate(QStringLiteral("DELETE FROM Spelling WHERE SignID=?"), {signID})) return fail(db);
  if (!db.executeUpdate(QStringLiteral("DELETE FROM Translation WHERE SignID=?"), {signID})) return fail(db);
  if (wasCompound && !db.executeUpdate(QStringLiteral("DELETE FROM Compounds WHERE CompoundID=?"), {signID}))
    return fail(db);
  return finishWrite(db);
}

}  // namespace quabe
