#include "dictionary/DictionaryFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <pthread.h>
#include <signal.h>
#endif

#include "core/AtomicFile.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "document/Fsw.h"

namespace quabe {

QStringList DictionaryFile::schemaStatements() {
  return {
      QStringLiteral("CREATE TABLE Signs (SignID INTEGER PRIMARY KEY, Gloss TEXT NOT NULL DEFAULT '', Tag TEXT, "
                     "Yomi TEXT, StdGloss TEXT, Handshape TEXT, Position TEXT, Src TEXT, Dest TEXT, Modifier TEXT, "
                     "Width REAL DEFAULT 0, Height REAL DEFAULT 0, InflectionType INTEGER DEFAULT 0, "
                     "ModificationType INTEGER DEFAULT 0, Comment TEXT, forHandshape INTEGER NOT NULL DEFAULT 0, "
                     "CreationTime INTEGER DEFAULT 0, ModificationTime INTEGER DEFAULT 0, "
                     "IsCompound INTEGER NOT NULL DEFAULT 0)"),
      QStringLiteral("CREATE TABLE Spelling (SignID INTEGER NOT NULL, SubID INTEGER NOT NULL, Sign TEXT, "
                     "SSS TEXT NOT NULL, pos_x INTEGER DEFAULT 0, pos_y INTEGER DEFAULT 0, hand INTEGER DEFAULT 0, "
                     "changeableHand INTEGER DEFAULT 0, turnableArrow INTEGER DEFAULT 0, "
                     "modifiableArrow INTEGER DEFAULT 0)"),
      QStringLiteral("CREATE TABLE Translation (SignID INTEGER NOT NULL, Japanese TEXT)"),
      QStringLiteral("CREATE TABLE Compounds (CompoundID INTEGER NOT NULL, ConstituentID INTEGER NOT NULL, "
                     "ComponentOrder INTEGER, Gloss TEXT)"),
      QStringLiteral("CREATE TABLE NMS (NMS TEXT NOT NULL, subID INTEGER NOT NULL, sss TEXT NOT NULL, "
                     "pos_x INTEGER DEFAULT 0, pos_y INTEGER DEFAULT 0, Width INTEGER DEFAULT 0, "
                     "Height INTEGER DEFAULT 0)"),
      QStringLiteral("CREATE TABLE SymbolSize (SSS TEXT PRIMARY KEY, Width INTEGER NOT NULL, Height INTEGER NOT NULL)"),
      QStringLiteral("CREATE INDEX SignsGloss ON Signs (Gloss)"),
      QStringLiteral("CREATE INDEX SignsYomi ON Signs (Yomi)"),
      QStringLiteral("CREATE INDEX SignsStdGloss ON Signs (StdGloss)"),
      QStringLiteral("CREATE INDEX SpellingSignID ON Spelling (SignID, SubID)"),
      QStringLiteral("CREATE INDEX TranslationSignID ON Translation (SignID)"),
      QStringLiteral("CREATE INDEX TranslationJapanese ON Translation (Japanese)"),
      QStringLiteral("CREATE INDEX CompoundsCompoundID ON Compounds (CompoundID)"),
      QStringLiteral("CREATE INDEX NMSName ON NMS (NMS, subID)"),
  };
}

QString DictionaryFile::defaultSymbolDataPath() { return Resources::path(QStringLiteral("iswa2010data.db")); }

QString DictionaryFile::failureText(const SqliteDatabase& db) {
  return db.lastErrorIsBusy() ? QStringLiteral("dictionary is busy") : db.lastErrorMessage();
}

namespace {
void setError(QString* error, const QString& text) {
  if (error) *error = text;
}

// Holds back the signals that end a process (Ctrl-C, kill, a closed
// terminal) while a dictionary file is built beside its target, so that an
// interruption takes effect once the file is complete and in place or gone,
// never leaving the half-built file behind.
class TerminationDeferred {
 public:
  TerminationDeferred() {
#ifdef Q_OS_UNIX
    sigset_t deferred;
    sigemptyset(&deferred);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&deferred, signal);
    m_active = pthread_sigmask(SIG_BLOCK, &deferred, &m_previous) == 0;
#endif
  }
  ~TerminationDeferred() {
#ifdef Q_OS_UNIX
    if (m_active) pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
#endif
  }
  TerminationDeferred(const TerminationDeferred&) = delete;
  TerminationDeferred& operator=(const TerminationDeferred&) = delete;

 private:
#ifdef Q_OS_UNIX
  sigset_t m_previous;
  bool m_active = false;
#endif
};

// A file name next to path for building the dictionary before it is moved in place.
QString reserveSiblingFile(const QString& path, QString* error) {
  const QFileInfo info(path);
  QTemporaryFile temporary(info.absoluteDir().filePath(info.fileName() + QStringLiteral(".XXXXXX.part")));
  temporary.setAutoRemove(false);
  if (!temporary.open()) {
    setError(error, QStringLiteral("cannot write in %1: %2").arg(info.absolutePath(), temporary.errorString()));
    return {};
  }
  return temporary.fileName();
}

// Opens the file a dictionary is built in. Its journal stays in memory: a
// build that fails is thrown away whole, and nothing but the file itself
// (no journal, no super-journal of the attached symbol data) is ever on disk.
bool openBuildingFile(SqliteDatabase& db, QString* error) {
  if (db.openOrCreate() && db.executeUpdate(QStringLiteral("PRAGMA journal_mode=MEMORY"))) return true;
  setError(error, QStringLiteral("cannot write %1: %2").arg(db.path(), db.lastErrorMessage()));
  return false;
}

bool moveIntoPlace(const QString& from, const QString& to, QString* error) {
  // Temporary files are private; a dictionary is an ordinary document.
  QFile::setPermissions(
      from, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
  std::error_code code;
  std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), code);
  if (code) {
    setError(error, QStringLiteral("cannot write %1: %2").arg(to, QString::fromStdString(code.message())));
    QFile::remove(from);
    return false;
  }
  syncDirectoryOf(to);
  return true;
}

bool createSchema(SqliteDatabase& db, const QString& symbolDataPath, QString* error) {
  if (!symbolDataPath.isEmpty()) {
    if (!QFileInfo(symbolDataPath).isFile()) {
      setError(error, QStringLiteral("symbol data not found: %1").arg(symbolDataPath));
      return false;
    }
    if (!db.executeUpdate(QStringLiteral("ATTACH DATABASE ? AS symbolData"), {symbolDataPath})) {
      setError(error, QStringLiteral("cannot read symbol data %1").arg(symbolDataPath));
      return false;
    }
  }
  bool ok = db.beginTransaction();
  for (const QString& statement : DictionaryFile::schemaStatements()) ok = ok && db.executeUpdate(statement);
  if (ok && !symbolDataPath.isEmpty() &&
      !db.executeUpdate(
          QStringLiteral("INSERT OR REPLACE INTO SymbolSize (SSS, Width, Height) SELECT code, width, height FROM "
                         "symbolData.Symbols"))) {
    ok = false;
    // SQLITE_ERROR is the statement itself failing: no such table or column.
    if (db.lastErrorCode() == 1)
      setError(error, QStringLiteral("symbol data %1 has no readable Symbols table").arg(symbolDataPath));
  }
  ok = ok && db.commit();
  if (!ok) {
    db.rollback();
    if (error && error->isEmpty()) *error = QStringLiteral("cannot write %1: %2").arg(db.path(), db.lastErrorMessage());
  }
  if (!symbolDataPath.isEmpty()) db.executeUpdate(QStringLiteral("DETACH DATABASE symbolData"));
  return ok;
}
}  // namespace

bool DictionaryFile::create(const QString& path, const QString& symbolDataPath, bool replace, QString* error) {
  if (!replace && QFileInfo::exists(path)) {
    setError(error, QStringLiteral("%1 already exists").arg(path));
    return false;
  }
  const TerminationDeferred deferred;
  const QString building = reserveSiblingFile(path, error);
  if (building.isEmpty()) return false;
  {
    SqliteDatabase db(building);
    if (!openBuildingFile(db, error) || !createSchema(db, symbolDataPath, error)) {
      db.close();
      QFile::remove(building);
      return false;
    }
  }
  return moveIntoPlace(building, path, error);
}

// ------------------------------------------------------------ starter source

namespace {
struct SourceBuilder {
  SqliteDatabase& db;
  QString error;
  qint64 nextID = 1;
  qint64 now = QDateTime::currentSecsSinceEpoch();

  QSizeF symbolSize(const QString& sss) {
    auto rs = db.executeQuery(QStringLiteral("SELECT Width,Height FROM SymbolSize WHERE SSS=?"), {sss});
    if (rs && rs->next()) return QSizeF(rs->intForColumnIndex(0), rs->intForColumnIndex(1));
    return QSizeF();
  }

  bool fail(const QString& text) {
    error = text;
    return false;
  }
  // A write the database refused: the text and SQLite's cause.
  bool failWrite(const QString& text) { return fail(text + QStringLiteral(": ") + db.lastErrorMessage()); }

  // Common text fields of an entry object.
  DbSign entryFields(const QJsonObject& o) {
    DbSign e;
    e.signID = o.contains(QLatin1String("id")) ? o.value(QLatin1String("id")).toInteger() : nextID;
    nextID = qMax(nextID, e.signID) + 1;
    const auto [gloss, tag] = DbSign::splitGlossAndTag(o.value(QLatin1String("gloss")).toString());
    e.gloss = gloss;
    e.tag = o.contains(QLatin1String("tag")) ? o.value(QLatin1String("tag")).toString() : tag;
    e.yomi = o.value(QLatin1String("yomi")).toString();
    e.handshape = o.value(QLatin1String("handshape")).toString();
    e.position = o.value(QLatin1String("position")).toString();
    e.source = o.value(QLatin1String("source")).toString();
    e.destination = o.value(QLatin1String("destination")).toString();
    e.modifier = o.value(QLatin1String("modifier")).toString();
    e.inflectionType = o.value(QLatin1String("inflectionType")).toInt();
    e.modificationType = o.value(QLatin1String("modificationType")).toInt();
    e.comment = o.value(QLatin1String("comment")).toString();
    for (const QJsonValue& m : o.value(QLatin1String("meanings")).toArray()) e.meanings.append(m.toString());
    e.creationTime = e.modificationTime = now;
    return e;
  }

  bool handshape(const QJsonObject& o) {
    DbSign e = entryFields(o);
    e.gloss = o.value(QLatin1String("name")).toString();
    e.isForHandshape = true;
    const QString key = o.value(QLatin1String("symbol")).toString();
    const SymbolCode code = SSS::fromFswKey(key);
    if (e.gloss.isEmpty() || code == 0)
      return fail(QStringLiteral("handshape %1: bad name or symbol %2").arg(e.gloss, key));
    DbISWA row;
    row.subID = 1;
    row.sign = e.gloss;
    row.sss = SSS::toString(code);
    row.hand = int(Hand::both);
    row.changeableHand = 1;
    const QSizeF size = symbolSize(row.sss);
    e.width = size.width();
    e.height = size.height();
    return Dictionary::writeNewEntry(db, e, {row}) ||
           failWrite(QStringLiteral("handshape %1 not written").arg(e.gloss));
  }

  bool nms(const QJsonObject& o) {
    const QString name = o.value(QLatin1String("name")).toString();
    int subID = 1;
    for (const QJsonValue& value : o.value(QLatin1String("symbols")).toArray()) {
      const QJsonObject s = value.toObject();
      const QString key = s.value(QLatin1String("symbol")).toString();
      const SymbolCode code = SSS::fromFswKey(key);
      if (name.isEmpty() || code == 0) return fail(QStringLiteral("NMS %1: bad symbol %2").arg(name, key));
      const QString sss = SSS::toString(code);
      const QSizeF size = symbolSize(sss);
      if (!db.executeUpdate(
              QStringLiteral("INSERT INTO NMS (NMS, subID, sss, pos_x, pos_y, Width, Height) VALUES (?,?,?,?,?,?,?)"),
              {name, subID++, sss, s.value(QLatin1String("x")).toInt(), s.value(QLatin1String("y")).toInt(),
               int(size.width()), int(size.height())}))
        return failWrite(QStringLiteral("NMS %1 not written").arg(name));
    }
    return true;
  }

  bool entry(const QJsonObject& o) {
    DbSign e = entryFields(o);
    const QString text = o.value(QLatin1String("fsw")).toString();
    const std::optional<FswSign> sign = FswSign::parse(text);
    if (e.gloss.isEmpty() || !sign || sign->symbols.isEmpty())
      return fail(QStringLiteral("entry %1: bad sign %2").arg(e.gloss, text));
    const QJsonArray flags = o.value(QLatin1String("flags")).toArray();
    const int minX = sign->minX(), minY = sign->minY();
    QList<DbISWA> spelling;
    qreal right = 0, bottom = 0;
    for (qsizetype i = 0; i < sign->symbols.size(); ++i) {
      const FswSymbol& s = sign->symbols.at(i);
      const SymbolCode code = SSS::fromFswKeyNumber(s.key);
      DbISWA row;
      row.subID = int(i) + 1;
      row.sign = e.gloss;
      row.sss = SSS::toString(code);
      row.x = s.x - minX;
      row.y = s.y - minY;
      const QString flag = i < flags.size() ? flags.at(i).toString() : QString();
      if (SSS::categoryField(code) == 1) {
        row.hand = flag.contains(QLatin1Char('B'))   ? int(Hand::both)
                   : flag.contains(QLatin1Char('L')) ? int(Hand::left)
                   : flag.contains(QLatin1Char('R')) ? int(Hand::right)
                   : SSS::rotation(code) > 8         ? int(Hand::left)
                                                     : int(Hand::right);
      }
      row.changeableHand = flag.contains(QLatin1Char('c')) ? 1 : 0;
      row.turnableArrow = flag.contains(QLatin1Char('t')) ? 1 : 0;
      row.modifiableArrow = flag.contains(QLatin1Char('m')) ? 1 : 0;
      const QSizeF size = symbolSize(row.sss);
      if (size.isEmpty()) return fail(QStringLiteral("entry %1: unknown symbol %2").arg(e.gloss, row.sss));
      right = qMax(right, row.x + size.width());
      bottom = qMax(bottom, row.y + size.height());
      spelling.append(row);
    }
    e.width = right;
    e.height = bottom;
    return Dictionary::writeNewEntry(db, e, spelling) || failWrite(QStringLiteral("entry %1 not written").arg(e.gloss));
  }

  bool alias(const QJsonObject& o) {
    DbSign e = entryFields(o);
    const QString target = o.value(QLatin1String("stdGloss")).toString();
    if (e.gloss.isEmpty() || target.isEmpty()) return fail(QStringLiteral("alias %1: no gloss or target").arg(e.gloss));
    if (!Dictionary::writeNewEntry(db, e, {}) ||
        !db.executeUpdate(QStringLiteral("UPDATE Signs SET StdGloss=? WHERE SignID=?"), {target, e.signID}))
      return failWrite(QStringLiteral("alias %1 not written").arg(e.gloss));
    return true;
  }

  bool compound(const QJsonObject& o) {
    DbSign e = entryFields(o);
    e.isCompound = true;
    if (!Dictionary::writeNewEntry(db, e, {})) return failWrite(QStringLiteral("compound %1 not written").arg(e.gloss));
    int order = 1;
    for (const QJsonValue& value : o.value(QLatin1String("constituents")).toArray()) {
      DbSign key;
      std::tie(key.gloss, key.tag) = DbSign::splitGlossAndTag(value.toString());
      auto rs = db.executeQuery(
          key.tag.isEmpty()
              ? QStringLiteral("SELECT SignID FROM Signs WHERE Gloss=? AND (Tag IS NULL OR Tag='') AND IsCompound=0 "
                               "ORDER BY SignID")
              : QStringLiteral("SELECT SignID FROM Signs WHERE Gloss=? AND Tag=? AND IsCompound=0 ORDER BY SignID"),
          key.tag.isEmpty() ? QVariantList{key.gloss} : QVariantList{key.gloss, key.tag});
      if (!rs || !rs->next()) return fail(QStringLiteral("compound %1: no entry %2").arg(e.gloss, value.toString()));
      const qint64 id = rs->longForColumnIndex(0);
      rs->close();
      if (!db.executeUpdate(QStringLiteral("INSERT INTO Compounds (CompoundID, ConstituentID, ComponentOrder, Gloss) "
                                           "VALUES(?,?,?,?)"),
                            {e.signID, id, order++, e.gloss}))
        return failWrite(QStringLiteral("compound %1 not written").arg(e.gloss));
    }
    return order > 2 || fail(QStringLiteral("compound %1 needs two constituents").arg(e.gloss));
  }

  bool section(const QJsonObject& root, const char* name, bool (SourceBuilder::*write)(const QJsonObject&)) {
    for (const QJsonValue& value : root.value(QLatin1String(name)).toArray()) {
      if (!value.isObject()) return fail(QStringLiteral("%1: every item must be an object").arg(QLatin1String(name)));
      if (!(this->*write)(value.toObject())) return false;
    }
    return true;
  }
};
}  // namespace

bool DictionaryFile::buildFromSource(const QByteArray& json, const QString& path, const QString& symbolDataPath,
                                     QString* error) {
  QJsonParseError parseError{};
  const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
  if (!document.isObject()) {
    setError(error,
             QStringLiteral("not a JSON object: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset));
    return false;
  }
  const TerminationDeferred deferred;
  const QString building = reserveSiblingFile(path, error);
  if (building.isEmpty()) return false;
  bool ok = false;
  {
    SqliteDatabase db(building);
    if (openBuildingFile(db, error) && createSchema(db, symbolDataPath, error) && db.beginTransaction()) {
      SourceBuilder builder{db, QString()};
      const QJsonObject root = document.object();
      ok = builder.section(root, "handshapes", &SourceBuilder::handshape) &&
           builder.section(root, "nms", &SourceBuilder::nms) &&
           builder.section(root, "entries", &SourceBuilder::entry) &&
           builder.section(root, "aliases", &SourceBuilder::alias) &&
           builder.section(root, "compounds", &SourceBuilder::compound) && db.commit();
      if (!ok) {
        db.rollback();
        setError(error, builder.error.isEmpty() ? db.lastErrorMessage() : builder.error);
      }
    } else if (error && error->isEmpty()) {
      *error = QStringLiteral("cannot write %1: %2").arg(building, db.lastErrorMessage());
    }
  }
  if (!ok) {
    QFile::remove(building);
    return false;
  }
  return moveIntoPlace(building, path, error);
}

}  // namespace quabe
