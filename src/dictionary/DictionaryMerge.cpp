#include "dictionary/DictionaryMerge.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include "core/Localization.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/sqlite/SqliteDatabase.h"

namespace quabe {

namespace {
const QString kSelectEntry = QStringLiteral("SELECT * FROM Signs WHERE SignID=?");

bool sameSpelling(const QList<DbISWA>& a, const QList<DbISWA>& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (a[i].sss != b[i].sss || a[i].x != b[i].x || a[i].y != b[i].y) return false;
  }
  return true;
}

// Whether a file opens as a dictionary (it has a Signs table).
bool opensAsDictionary(SqliteDatabase& db, QString* error) {
  std::unique_ptr<SqliteResultSet> rs;
  if (db.open()) rs = db.executeQuery(QStringLiteral("SELECT COUNT(*) FROM Signs"));
  if (rs && rs->next()) return true;
  if (error) *error = QStringLiteral("%1: %2").arg(db.path(), DictionaryFile::failureText(db));
  return false;
}
}  // namespace

DictionaryMerge::DictionaryMerge(QString targetPath) : m_targetPath(std::move(targetPath)) {}

DictionaryMerge::~DictionaryMerge() {
  // Connections close before the temporary directory takes the copy away.
  m_external.reset();
  m_target.reset();
}

bool DictionaryMerge::open(const QString& externalPath, QString* error) {
  if (!m_copyDir.isValid()) {
    if (error) *error = m_copyDir.errorString();
    return false;
  }
  m_copyPath = m_copyDir.filePath(QStringLiteral("SWDIC.db"));
  QFile::remove(m_copyPath);
  QFile source(externalPath);
  if (!source.copy(m_copyPath)) {
    if (error) *error = QStringLiteral("%1: %2").arg(externalPath, source.errorString());
    return false;
  }
  m_target = std::make_unique<SqliteDatabase>(m_targetPath);
  if (!opensAsDictionary(*m_target, error)) return false;
  // Older files gain the Tag column on the copy, never on the original.
  Dictionary::addTagColumn(m_copyPath);
  m_external = std::make_unique<SqliteDatabase>(m_copyPath);
  if (!opensAsDictionary(*m_external, error)) return false;
  auto rs = m_external->executeQuery(QStringLiteral("SELECT COUNT(*) FROM Signs"));
  m_total = rs && rs->next() ? rs->intForColumnIndex(0) : 0;
  rs.reset();
  // The copy is this object's alone: holding its lock for the whole run
  // spares a lock and a file check per query.
  m_external->beginTransaction();
  return true;
}

bool DictionaryMerge::readVersion(SqliteDatabase& db, qint64 signID, MergeVersion& version) const {
  auto rs = db.executeQuery(kSelectEntry, {signID});
  if (!rs || !rs->next()) return false;
  version.entry = Dictionary::makeDbSign(*rs);
  // The reading as stored (makeDbSign fills an empty one with the gloss).
  version.entry.yomi = rs->textForColumn(QStringLiteral("Yomi"));
  rs->close();
  version.entry.meanings = Dictionary::getMeanings(signID, db);
  version.spelling = version.entry.stdGloss.isEmpty() ? Dictionary::getSpelling(signID, db) : QList<DbISWA>();
  if (version.entry.isCompound) version.entry.constituentIDs = Dictionary::getConstituentIDs(signID, db);
  return true;
}

// One run over the other dictionary's entries. Writes without a question
// between them share a transaction (committed before every question, every
// few hundred entries and at the end); each entry is a savepoint of its own,
// so a failed entry is taken back whole and a crash loses whole entries only.
struct DictionaryMerge::Run {
  SqliteDatabase& target;
  bool dryRun = false;
  MergeReport report;
  QHash<qint64, qint64> mergedIDs;  // other dictionary's SignID -> this one's
  QSet<qint64> written;             // ids this run wrote: never counterparts
  struct Pending {
    int* counter;
    QString label;
  };
  QList<Pending> batch;

  // The entry's constituents as ids of this dictionary; false when one of
  // them was not brought across.
  bool mapConstituents(const MergeVersion& e, QList<qint64>& ids, QString& missing) const {
    ids.clear();
    for (qint64 id : e.entry.constituentIDs.value_or(QList<qint64>())) {
      if (!mergedIDs.contains(id)) {
        missing = QString::number(id);
        return false;
      }
      ids.append(mergedIDs.value(id));
    }
    return true;
  }

  static QString label(const MergeVersion& e) {
    return QStringLiteral("%1 (SignID %2)").arg(e.entry.gloss).arg(e.entry.signID);
  }

  void fail(const QString& label, const QString& why) {
    ++report.failed;
    report.failures << QStringLiteral("%1: %2").arg(label, why);
  }

  // Ends the open batch; a failed commit counts its entries as failed.
  void flush() {
    if (!target.inTransaction()) return;
    if (dryRun) {
      target.rollback();
    } else if (!target.commit()) {
      const QString why = DictionaryFile::failureText(target);
      target.rollback();
      for (const Pending& p : batch) {
        --*p.counter;
        fail(p.label, why);
      }
    }
    batch.clear();
  }

  bool idIsFree(qint64 id) {
    auto rs = target.executeQuery(QStringLiteral("SELECT COUNT(*) FROM Signs WHERE SignID=?"), {id});
    return rs && rs->next() && rs->intForColumnIndex(0) == 0;
  }

  // Writes e (a new entry, or replacing the entry with signID) as one
  // savepoint and counts it; a failure leaves that entry as it was.
  bool write(const MergeVersion& e, qint64 signID, int& counter) {
    QList<qint64> constituents;
    QString missing;
    if (!mapConstituents(e, constituents, missing)) {
      fail(label(e), QStringLiteral("constituent %1 was not merged").arg(missing));
      return false;
    }
    if (!target.inTransaction() && !target.beginTransaction()) {
      fail(label(e), DictionaryFile::failureText(target));
      return false;
    }
    if (!target.executeUpdate(QStringLiteral("SAVEPOINT mergeEntry"))) {
      fail(label(e), DictionaryFile::failureText(target));
      return false;
    }
    const bool replacing = signID > 0;
    if (!replacing) {
      // A new entry keeps its SignID when that is free here.
      signID = e.entry.signID;
      if (signID <= 0 || !idIsFree(signID)) signID = Dictionary::getMaxSignID(target) + 1;
    }
    DbSign entry = e.entry;
    entry.signID = signID;
    entry.constituents.reset();
    bool ok =
        signID > 0 &&
        (!replacing || (target.executeUpdate(QStringLiteral("DELETE FROM Signs WHERE SignID=?"), {signID}) &&
                        target.executeUpdate(QStringLiteral("DELETE FROM Compounds WHERE CompoundID=?"), {signID}))) &&
        Dictionary::writeNewEntry(target, entry, e.spelling) &&
        (entry.stdGloss.isEmpty() ||
         target.executeUpdate(QStringLiteral("UPDATE Signs SET StdGloss=? WHERE SignID=?"), {entry.stdGloss, signID}));
    for (qsizetype i = 0; ok && i < constituents.size(); ++i) {
      ok = target.executeUpdate(
          QStringLiteral("INSERT INTO Compounds (CompoundID, ConstituentID, ComponentOrder, Gloss) VALUES(?,?,?,?)"),
          {signID, constituents[i], int(i) + 2, entry.gloss});
    }
    if (!ok) {
      const QString why = DictionaryFile::failureText(target);
      target.executeUpdate(QStringLiteral("ROLLBACK TO mergeEntry"));
      target.executeUpdate(QStringLiteral("RELEASE mergeEntry"));
      fail(label(e), why);
      return false;
    }
    target.executeUpdate(QStringLiteral("RELEASE mergeEntry"));
    mergedIDs.insert(e.entry.signID, signID);
    written.insert(signID);
    ++counter;
    batch.append({&counter, label(e)});
    if (batch.size() >= 500) flush();
    return true;
  }

  bool identical(const MergeVersion& e, const MergeVersion& c) const {
    QList<qint64> constituents;
    QString missing;
    if (e.entry.isCompound != c.entry.isCompound) return false;
    if (e.entry.isCompound && (!mapConstituents(e, constituents, missing) ||
                               constituents != c.entry.constituentIDs.value_or(QList<qint64>())))
      return false;
    return sameSpelling(e.spelling, c.spelling) && e.entry.modificationTime == c.entry.modificationTime &&
           e.entry.yomi == c.entry.yomi && e.entry.comment == c.entry.comment && e.entry.meanings == c.entry.meanings;
  }
};

MergeReport DictionaryMerge::run(const Asker& ask, const Progress& progress, bool dryRun) {
  Run run{*m_target, dryRun, {}, {}, {}, {}};
  MergeReport& report = run.report;
  if (!m_external || !m_target) return report;
  // Plain entries, then compounds (their constituents are merged by then),
  // then aliases (their targets are).
  QList<qint64> ids;
  if (auto rs = m_external->executeQuery(QStringLiteral(
          "SELECT SignID FROM Signs ORDER BY (StdGloss IS NOT NULL AND StdGloss<>''), IsCompound, SignID"))) {
    while (rs->next()) ids.append(rs->longForColumnIndex(0));
  }
  bool addAll = false;
  int done = 0;
  for (qint64 id : ids) {
    if (progress && !progress(done, m_total)) {
      report.aborted = true;
      break;
    }
    ++done;
    MergeVersion e;
    if (!readVersion(*m_external, id, e)) {
      ++report.failed;
      report.failures << QStringLiteral("SignID %1: %2").arg(id).arg(DictionaryFile::failureText(*m_external));
      continue;
    }
    if (!e.entry.stdGloss.isEmpty()) {
      // An alias is brought across when this dictionary has no such alias yet
      // and its target resolves here.
      auto same = m_target->executeQuery(QStringLiteral("SELECT COUNT(*) FROM Signs WHERE Gloss=? AND StdGloss=?"),
                                         {e.entry.gloss, e.entry.stdGloss});
      if (same && same->next() && same->intForColumnIndex(0) > 0) {
        ++report.identical;
        continue;
      }
      same.reset();
      const auto [gloss, tag] = DbSign::splitGlossAndTag(e.entry.stdGloss);
      if (Dictionary::getSignIDs(gloss, tag, *m_target).isEmpty()) {
        ++report.skipped;
      } else {
        run.write(e, -1, report.added);
      }
      continue;
    }
    MergeVersion c;
    const bool hasCounterpart = !run.written.contains(id) && readVersion(*m_target, id, c) &&
                                c.entry.stdGloss.isEmpty() &&
                                (c.entry.creationTime == e.entry.creationTime ||
                                 (c.entry.gloss == e.entry.gloss && c.entry.tag == e.entry.tag));
    if (hasCounterpart && run.identical(e, c)) {
      ++report.identical;
      run.mergedIDs.insert(id, c.entry.signID);
      continue;
    }
    MergeResponse answer = MergeResponse::add;
    if (hasCounterpart || !addAll) {
      // The question waits for the user: what is written so far is committed.
      if (!m_unattended) run.flush();
      answer = ask ? ask(e, hasCounterpart ? &c : nullptr) : MergeResponse::skip;
    }
    if (answer == MergeResponse::replace && !hasCounterpart) answer = MergeResponse::skip;
    switch (answer) {
      case MergeResponse::addAll:
        addAll = true;
        [[fallthrough]];
      case MergeResponse::add:
        run.write(e, -1, report.added);
        break;
      case MergeResponse::replace:
        // The replaced entry keeps its SignID and the meanings only it had.
        for (const QString& meaning : c.entry.meanings) {
          if (!e.entry.meanings.contains(meaning)) e.entry.meanings.append(meaning);
        }
        run.write(e, c.entry.signID, report.replaced);
        break;
      case MergeResponse::skip:
        ++report.skipped;
        if (hasCounterpart) run.mergedIDs.insert(id, c.entry.signID);
        break;
      case MergeResponse::abort:
        report.aborted = true;
        break;
    }
    if (report.aborted) break;
  }
  run.flush();
  if (progress) progress(done, m_total);
  return report;
}

QString DictionaryMerge::description(const DbSign& e) {
  QString text = e.jjsText;
  if (!e.yomi.isEmpty() && e.yomi != e.gloss) text += QStringLiteral("\n（") + e.yomi + QLatin1Char(')');
  if (!e.meanings.isEmpty()) text += QStringLiteral("\n▷ ") + e.meanings.join(QLatin1Char(' '));
  if (!e.stdGloss.isEmpty()) text += QStringLiteral(" (alias)");
  if (e.isForHandshape) text += QStringLiteral("\nHandshape");
  if (e.modificationTime > 0)
    text += QStringLiteral("\n%1: %2")
                .arg(loc("DateModified"),
                     QDateTime::fromSecsSinceEpoch(e.modificationTime).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
  if (!e.comment.isEmpty()) text += QLatin1Char('\n') + e.comment;
  return text;
}

}  // namespace quabe
