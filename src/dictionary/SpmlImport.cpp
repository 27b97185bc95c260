#include "dictionary/SpmlImport.h"

#include <QDateTime>
#include <QSet>
#include <QXmlStreamReader>

#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/Fsw.h"

namespace quabe {

struct SpmlReader::Private {
  QXmlStreamReader xml;
};

SpmlReader::SpmlReader(QIODevice* device) : d(new Private) { d->xml.setDevice(device); }

SpmlReader::~SpmlReader() { delete d; }

bool SpmlReader::hasError() const { return d->xml.hasError(); }

QString SpmlReader::errorString() const {
  return QStringLiteral("line %1, column %2: %3")
      .arg(d->xml.lineNumber())
      .arg(d->xml.columnNumber())
      .arg(d->xml.errorString());
}

bool SpmlReader::readNext(SpmlEntry& entry) {
  QXmlStreamReader& xml = d->xml;
  if (!xml.device()) return false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement() || xml.name() != QLatin1String("entry")) continue;
    entry = SpmlEntry();
    const QXmlStreamAttributes attributes = xml.attributes();
    entry.id = attributes.value(QLatin1String("id")).toLongLong();
    entry.creationTime = attributes.value(QLatin1String("cdt")).toLongLong();
    entry.modificationTime = attributes.value(QLatin1String("mdt")).toLongLong();
    while (xml.readNextStartElement()) {
      const QStringView name = xml.name();
      if (name == QLatin1String("term")) {
        const QString term = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        if (entry.sign.isEmpty() && FswSign::looksLikeSign(term)) {
          entry.sign = term;
        } else if (!term.isEmpty()) {
          entry.terms.append(term);
        }
      } else if (name == QLatin1String("text")) {
        const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        if (!text.isEmpty()) entry.text = entry.text.isEmpty() ? text : entry.text + QLatin1Char('\n') + text;
      } else if (name == QLatin1String("src")) {
        entry.source = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
      } else {
        xml.skipCurrentElement();
      }
    }
    if (xml.hasError()) return false;
    return true;
  }
  return false;
}

namespace {
// The dictionary entry and spelling for an SPML entry; false without a usable sign.
bool entryFor(const SpmlEntry& source, DbSign& e, QList<DbISWA>& spelling) {
  const std::optional<FswSign> sign = FswSign::parse(source.sign);
  if (!sign || sign->symbols.isEmpty()) return false;
  e = DbSign();
  QStringList texts = source.terms;
  if (texts.isEmpty() && !source.text.isEmpty()) {
    e.gloss = source.text;
  } else {
    if (!texts.isEmpty()) e.gloss = texts.takeFirst();
    if (!source.text.isEmpty()) texts.append(source.text);
  }
  for (const QString& meaning : texts) {
    if (!e.meanings.contains(meaning)) e.meanings.append(meaning);
  }
  // An English gloss is its own reading; the sign list orders by reading.
  e.yomi = e.gloss;
  e.comment = source.source;
  const qint64 now = QDateTime::currentSecsSinceEpoch();
  e.creationTime = source.creationTime > 0 ? source.creationTime : now;
  e.modificationTime = source.modificationTime > 0 ? source.modificationTime : e.creationTime;
  const int minX = sign->minX(), minY = sign->minY();
  e.width = qMax(0, sign->maxX - minX);
  e.height = qMax(0, sign->maxY - minY);
  spelling.clear();
  int subID = 1;
  for (const FswSymbol& s : sign->symbols) {
    DbISWA row;
    row.subID = subID++;
    row.sign = e.gloss;
    row.sss = SSS::toString(s.code);
    row.x = s.x - minX;
    row.y = s.y - minY;
    if (SSS::categoryField(s.code) == 1) row.hand = SSS::rotation(s.code) > 8 ? int(Hand::left) : int(Hand::right);
    spelling.append(row);
  }
  return true;
}
}  // namespace

SpmlImportResult importSpml(QIODevice* device, const QString& dictionaryPath,
                            const std::function<void(int, int)>& progress) {
  SpmlImportResult result;
  if (!device || (!device->isOpen() && !device->open(QIODevice::ReadOnly))) {
    result.error = QStringLiteral("cannot read the SPML file");
    return result;
  }
  SqliteDatabase db(dictionaryPath);
  const auto fail = [&](const QString& what) {
    db.rollback();
    result.error = QStringLiteral("%1: %2").arg(what, DictionaryFile::failureText(db));
    result.imported = 0;
    return result;
  };
  if (!db.open()) return fail(QStringLiteral("cannot open %1").arg(dictionaryPath));
  QSet<qint64> usedIDs;
  {
    auto rs = db.executeQuery(QStringLiteral("SELECT SignID FROM Signs"));
    while (rs && rs->next()) usedIDs.insert(rs->longForColumnIndex(0));
    if (!rs || rs->failed()) {
      if (db.lastErrorIsBusy()) return fail(QStringLiteral("cannot read %1").arg(dictionaryPath));
      return fail(QStringLiteral("%1 is not a dictionary").arg(dictionaryPath));
    }
  }
  if (!db.beginTransaction()) return fail(QStringLiteral("cannot write %1").arg(dictionaryPath));
  qint64 nextID = 1;
  for (qint64 id : usedIDs) nextID = qMax(nextID, id + 1);
  SpmlReader reader(device);
  SpmlEntry source;
  DbSign entry;
  QList<DbISWA> spelling;
  while (reader.readNext(source)) {
    if (!entryFor(source, entry, spelling)) {
      ++result.skipped;
      continue;
    }
    entry.signID = (source.id > 0 && !usedIDs.contains(source.id)) ? source.id : nextID;
    usedIDs.insert(entry.signID);
    nextID = qMax(nextID, entry.signID + 1);
    if (!Dictionary::writeNewEntry(db, entry, spelling))
      return fail(QStringLiteral("entry %1 could not be written").arg(source.id));
    ++result.imported;
    if (progress && (result.imported + result.skipped) % 1000 == 0) progress(result.imported, result.skipped);
  }
  if (reader.hasError()) {
    result.error = reader.errorString();
    db.rollback();
    result.imported = 0;
    return result;
  }
  if (!db.commit()) return fail(QStringLiteral("cannot write %1").arg(dictionaryPath));
  if (progress) progress(result.imported, result.skipped);
  result.ok = true;
  return result;
}

}  // namespace quabe
