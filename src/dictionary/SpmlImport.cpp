#include "dictionary/SpmlImport.h"

#include <QDateTime>
#include <QSet>
#include <QXmlStreamReader>

#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "document/Fsw.h"

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
    for (const QXmlStreamAttribute& a : attributes) {
      if (a.namespaceUri() == QLatin1String(SpmlFieldNamespace))
        entry.fields.insert(a.name().toString(), a.value().toString());
    }
    const bool exact = entry.isOwnExport();
    const auto text = [&xml, exact] {
      const QString t = xml.readElementText(QXmlStreamReader::SkipChildElements);
      return exact ? t : t.trimmed();
    };
    while (xml.readNextStartElement()) {
      const QStringView name = xml.name();
      if (name == QLatin1String("term")) {
        const bool reading =
            exact && xml.attributes().hasAttribute(QLatin1String(SpmlFieldNamespace), QLatin1String("reading"));
        const QString term = text();
        if (reading) {
          entry.reading = term;
        } else if (entry.sign.isEmpty() && FswSign::parse(term)) {
          entry.sign = term.trimmed();
        } else if (exact || !term.isEmpty()) {
          entry.terms.append(term);
        }
      } else if (name == QLatin1String("text")) {
        const QString t = text();
        if (!t.isEmpty()) entry.text = entry.text.isEmpty() ? t : entry.text + QLatin1Char('\n') + t;
      } else if (name == QLatin1String("src")) {
        entry.source = text();
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
// The size a lone punctuation symbol has in the dictionary's symbol table.
QSize symbolSize(SqliteDatabase& db, const QString& sss) {
  auto rs = db.executeQuery(QStringLiteral("SELECT Width, Height FROM SymbolSize WHERE SSS=?"), {sss});
  if (!rs || !rs->next()) return {};
  return QSize(rs->intForColumnIndex(0), rs->intForColumnIndex(1));
}

// Spelling rows for the symbols of a sign, moved so that the smallest
// position is (left, top).
QList<DbISWA> spellingOf(const FswSign& sign, const QString& gloss, int left = 0, int top = 0) {
  QList<DbISWA> spelling;
  const int dx = left - sign.minX(), dy = top - sign.minY();
  for (const FswSymbol& s : sign.symbols) {
    DbISWA row;
    row.subID = int(spelling.size()) + 1;
    row.sign = gloss;
    const SymbolCode code = SSS::fromFswKeyNumber(s.key);
    row.sss = SSS::toString(code);
    row.x = s.x + dx;
    row.y = s.y + dy;
    if (SSS::categoryField(code) == 1) row.hand = SSS::rotation(code) > 8 ? int(Hand::left) : int(Hand::right);
    spelling.append(row);
  }
  return spelling;
}

// An entry of this system's export, field by field as it was written.
void ownEntryFor(const SpmlEntry& source, DbSign& e, QList<DbISWA>& spelling) {
  const QHash<QString, QString>& f = source.fields;
  e = DbSign();
  e.gloss = source.terms.value(0);
  e.meanings = source.terms.mid(1);
  e.yomi = source.reading;
  e.comment = source.source;
  e.creationTime = source.creationTime;
  e.modificationTime = source.modificationTime;
  e.tag = f.value(QStringLiteral("tag"));
  e.stdGloss = f.value(QStringLiteral("stdgloss"));
  e.handshape = f.value(QStringLiteral("handshape"));
  e.position = f.value(QStringLiteral("position"));
  e.source = f.value(QStringLiteral("src"));
  e.destination = f.value(QStringLiteral("dest"));
  e.modifier = f.value(QStringLiteral("modifier"));
  e.width = f.value(QStringLiteral("width")).toDouble();
  e.height = f.value(QStringLiteral("height")).toDouble();
  e.inflectionType = f.value(QStringLiteral("inflection")).toInt();
  e.modificationType = f.value(QStringLiteral("modification")).toInt();
  e.isForHandshape = f.value(QStringLiteral("forhandshape")) == QLatin1String("1");
  e.isCompound = f.contains(QStringLiteral("constituents"));
  spelling.clear();
  const std::optional<FswSign> sign = FswSign::parse(source.sign);
  if (!sign) return;
  spelling =
      spellingOf(*sign, e.gloss, f.value(QStringLiteral("left")).toInt(), f.value(QStringLiteral("top")).toInt());
  // Per symbol "hand,changeable hand,turnable arrow,modifiable arrow".
  const QStringList flags = f.value(QStringLiteral("spelling")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < spelling.size() && i < flags.size(); ++i) {
    const QStringList values = flags[i].split(QLatin1Char(','));
    DbISWA& row = spelling[i];
    row.hand = values.value(0).toInt();
    row.changeableHand = values.value(1).toInt();
    row.turnableArrow = values.value(2).toInt();
    row.modifiableArrow = values.value(3).toInt();
  }
}

// The dictionary entry and spelling for an SPML entry; false without a usable sign.
bool entryFor(SqliteDatabase& db, const SpmlEntry& source, DbSign& e, QList<DbISWA>& spelling) {
  if (source.isOwnExport()) {
    ownEntryFor(source, e, spelling);
    return true;
  }
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
  if (sign->box == 0) {
    const QSize size = symbolSize(db, SSS::toString(SSS::fromFswKeyNumber(sign->symbols.first().key)));
    e.width = size.width();
    e.height = size.height();
  } else {
    e.width = qMax(0, sign->maxX - sign->minX());
    e.height = qMax(0, sign->maxY - sign->minY());
  }
  spelling = spellingOf(*sign, e.gloss);
  return true;
}

// The rows that only this system's exports carry: the alias target and the
// constituents of a compound (their ids as the file gave them).
bool writeOwnFields(SqliteDatabase& db, const DbSign& e, const SpmlEntry& source,
                    QList<std::pair<DbSign, QStringList>>& compounds) {
  if (!e.stdGloss.isEmpty() &&
      !db.executeUpdate(QStringLiteral("UPDATE Signs SET StdGloss=? WHERE SignID=?"), {e.stdGloss, e.signID}))
    return false;
  if (e.isCompound)
    compounds.append(
        {e, source.fields.value(QStringLiteral("constituents")).split(QLatin1Char(' '), Qt::SkipEmptyParts)});
  return true;
}

// Compound rows once every entry is in, constituent ids mapped to the ids
// their entries received.
bool writeConstituents(SqliteDatabase& db, const QList<std::pair<DbSign, QStringList>>& compounds,
                       const QHash<qint64, qint64>& newIDs) {
  for (const auto& [compound, ids] : compounds) {
    int order = 1;
    for (const QString& id : ids) {
      if (!db.executeUpdate(
              QStringLiteral(
                  "INSERT INTO Compounds (CompoundID, ConstituentID, ComponentOrder, Gloss) VALUES(?,?,?,?)"),
              {compound.signID, newIDs.value(id.toLongLong(), id.toLongLong()), order++, compound.gloss}))
        return false;
    }
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
  QHash<qint64, qint64> newIDs;
  QList<std::pair<DbSign, QStringList>> compounds;
  const auto failWith = [&](const QString& error) {
    result.error = error;
    db.rollback();
    result.imported = 0;
    return result;
  };
  while (reader.readNext(source)) {
    if (!entryFor(db, source, entry, spelling)) {
      ++result.skipped;
      continue;
    }
    entry.signID = (source.id > 0 && !usedIDs.contains(source.id)) ? source.id : nextID;
    usedIDs.insert(entry.signID);
    newIDs.insert(source.id, entry.signID);
    nextID = qMax(nextID, entry.signID + 1);
    if (!Dictionary::writeNewEntry(db, entry, spelling) || !writeOwnFields(db, entry, source, compounds))
      return fail(QStringLiteral("entry %1 could not be written").arg(source.id));
    ++result.imported;
    if (progress && (result.imported + result.skipped) % 1000 == 0) progress(result.imported, result.skipped);
  }
  if (reader.hasError()) return failWith(reader.errorString());
  if (!writeConstituents(db, compounds, newIDs)) return fail(QStringLiteral("compound entries could not be written"));
  if (!db.commit()) return fail(QStringLiteral("cannot write %1").arg(dictionaryPath));
  if (progress) progress(result.imported, result.skipped);
  result.ok = true;
  return result;
}

}  // namespace quabe
