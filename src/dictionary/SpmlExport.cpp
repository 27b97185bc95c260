#include "dictionary/SpmlExport.h"

#include <QDateTime>
#include <QHash>
#include <QXmlStreamWriter>
#include <cmath>
#include <optional>

#include "core/AtomicFile.h"
#include "dictionary/Dictionary.h"
#include "dictionary/SpmlImport.h"
#include "dictionary/sqlite/SqliteDatabase.h"
#include "document/DbSign.h"
#include "document/Fsw.h"

namespace quabe {

namespace {

// The rows of one table by entry, in row order.
template <typename Row>
bool readRows(SqliteDatabase& db, const QString& sql, QHash<qint64, QList<Row>>& rows, Row (*read)(SqliteResultSet&)) {
  auto rs = db.executeQuery(sql);
  if (!rs) return false;
  while (rs->next()) rows[rs->longForColumnIndex(0)].append(read(*rs));
  return true;
}

QString secondColumn(SqliteResultSet& rs) { return rs.stringForColumnIndex(1).value_or(QString()); }
qint64 secondColumnID(SqliteResultSet& rs) { return rs.longForColumnIndex(1); }

// XML 1.0 cannot hold most control characters: they become U+FFFD.
QString xmlText(const QString& text, bool& replaced) {
  QString out = text;
  for (QChar& c : out) {
    const char16_t u = c.unicode();
    if ((u < 0x20 && u != 0x9 && u != 0xA && u != 0xD) || u == 0xFFFE || u == 0xFFFF) {
      c = QChar(QChar::ReplacementCharacter);
      replaced = true;
    }
  }
  return out;
}

class EntryWriter {
 public:
  EntryWriter(QXmlStreamWriter& xml, QStringList& problems) : xml(xml), problems(problems) {}

  void field(const char* name, const QString& value) {
    if (!value.isEmpty()) xml.writeAttribute(QLatin1String(SpmlFieldNamespace), QLatin1String(name), text(value));
  }
  void field(const char* name, qint64 value) {
    if (value != 0) field(name, QString::number(value));
  }
  void term(const QString& value, bool reading = false) {
    xml.writeStartElement(QStringLiteral("term"));
    if (reading) xml.writeAttribute(QLatin1String(SpmlFieldNamespace), QStringLiteral("reading"), QStringLiteral("1"));
    xml.writeCDATA(text(value));
    xml.writeEndElement();
  }
  QString text(const QString& value) { return xmlText(value, replaced); }

  // The sign's symbols, the box of the entry's size starting at the smallest
  // position, and every row's flags; rows without a key are left out.
  void spelling(qint64 id, const QList<DbISWA>& rows, double width, double height) {
    QList<FswSymbol> symbols;
    QStringList flags;
    for (const DbISWA& row : rows) {
      const int key = SSS::fswKeyNumber(SSS::fromString(row.sss));
      if (key == 0 || !Fsw::isIswaKey(key)) {
        problems << QStringLiteral("entry %1: symbol %2 is not in ISWA 2010; left out").arg(id).arg(row.sss);
        continue;
      }
      symbols.append({key, row.x, row.y});
      flags << QStringLiteral("%1,%2,%3,%4")
                   .arg(row.hand)
                   .arg(row.changeableHand)
                   .arg(row.turnableArrow)
                   .arg(row.modifiableArrow);
    }
    if (symbols.isEmpty()) return;
    FswSign probe;
    probe.symbols = symbols;
    field("left", probe.minX());
    field("top", probe.minY());
    field("spelling", flags.join(QLatin1Char(' ')));
    QStringList placing;
    sign = Fsw::place('M', symbols, int(std::lround(width)), int(std::lround(height)), &placing);
    for (const QString& p : placing) problems << QStringLiteral("entry %1: %2").arg(id).arg(p);
  }

  QXmlStreamWriter& xml;
  QStringList& problems;
  std::optional<FswSign> sign;
  bool replaced = false;
};

}  // namespace

SpmlExportResult exportSpml(const QString& dictionaryPath, const QString& outputPath) {
  SpmlExportResult result;
  SqliteDatabase db(dictionaryPath);
  if (!db.open()) {
    result.error = QStringLiteral("cannot open %1").arg(dictionaryPath);
    return result;
  }
  QHash<qint64, QList<DbISWA>> spellings;
  QHash<qint64, QList<QString>> meanings;
  QHash<qint64, QList<qint64>> constituents;
  auto signs = db.executeQuery(
      QStringLiteral("SELECT SignID, Gloss, Tag, Yomi, StdGloss, HandShape, Position, Src, Dest, Modifier, Width, "
                     "Height, InflectionType, ModificationType, Comment, forHandshape, CreationTime, "
                     "ModificationTime, IsCompound FROM Signs ORDER BY SignID"));
  if (!signs ||
      !readRows(db, QStringLiteral("SELECT * FROM Spelling ORDER BY SignID, SubID"), spellings,
                &Dictionary::spellingRow) ||
      !readRows(db, QStringLiteral("SELECT SignID, Japanese FROM Translation ORDER BY SignID, rowid"), meanings,
                &secondColumn) ||
      !readRows(db,
                QStringLiteral("SELECT CompoundID, ConstituentID FROM Compounds ORDER BY CompoundID, ComponentOrder"),
                constituents, &secondColumnID)) {
    result.error = QStringLiteral("%1 is not a dictionary: %2").arg(dictionaryPath, db.lastErrorMessage());
    return result;
  }
  bool replaced = false;
  const auto write = [&](QIODevice& file, QString* error) {
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE spml SYSTEM \"http://www.signpuddle.net/spml_1.6.dtd\">"));
    xml.writeStartElement(QStringLiteral("spml"));
    xml.writeNamespace(QLatin1String(SpmlFieldNamespace), QStringLiteral("quabe"));
    const QString now = QString::number(QDateTime::currentSecsSinceEpoch());
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("sgn"));
    xml.writeAttribute(QStringLiteral("cdt"), now);
    xml.writeAttribute(QStringLiteral("mdt"), now);
    if (auto max = db.executeQuery(QStringLiteral("SELECT MAX(SignID) FROM Signs")); max && max->next())
      xml.writeAttribute(QStringLiteral("nextid"), QString::number(max->longForColumnIndex(0) + 1));
    while (signs->next()) {
      const qint64 id = signs->longForColumn(QStringLiteral("SignID"));
      EntryWriter entry(xml, result.problems);
      xml.writeStartElement(QStringLiteral("entry"));
      xml.writeAttribute(QStringLiteral("id"), QString::number(id));
      xml.writeAttribute(QStringLiteral("cdt"), QString::number(signs->longForColumn(QStringLiteral("CreationTime"))));
      xml.writeAttribute(QStringLiteral("mdt"),
                         QString::number(signs->longForColumn(QStringLiteral("ModificationTime"))));
      const double width = signs->doubleForColumn(QStringLiteral("Width"));
      const double height = signs->doubleForColumn(QStringLiteral("Height"));
      // Always written: it marks the entry as one of this system's.
      entry.field("width", QString::number(width, 'g', 17));
      entry.field("height", QString::number(height, 'g', 17));
      entry.field("tag", signs->textForColumn(QStringLiteral("Tag")));
      entry.field("stdgloss", signs->textForColumn(QStringLiteral("StdGloss")));
      entry.field("handshape", signs->textForColumn(QStringLiteral("HandShape")));
      entry.field("position", signs->textForColumn(QStringLiteral("Position")));
      entry.field("src", signs->textForColumn(QStringLiteral("Src")));
      entry.field("dest", signs->textForColumn(QStringLiteral("Dest")));
      entry.field("modifier", signs->textForColumn(QStringLiteral("Modifier")));
      entry.field("inflection", signs->intForColumn(QStringLiteral("InflectionType")));
      entry.field("modification", signs->intForColumn(QStringLiteral("ModificationType")));
      entry.field("forhandshape", signs->boolForColumn(QStringLiteral("forHandshape")) ? 1 : 0);
      if (signs->boolForColumn(QStringLiteral("IsCompound"))) {
        QStringList ids;
        for (qint64 constituent : constituents.value(id)) ids << QString::number(constituent);
        xml.writeAttribute(QLatin1String(SpmlFieldNamespace), QStringLiteral("constituents"),
                           ids.join(QLatin1Char(' ')));
      }
      entry.spelling(id, spellings.value(id), width, height);
      if (entry.sign) xml.writeTextElement(QStringLiteral("term"), entry.sign->fsw());
      entry.term(signs->textForColumn(QStringLiteral("Gloss")));
      const QString reading = signs->textForColumn(QStringLiteral("Yomi"));
      if (!reading.isEmpty()) entry.term(reading, true);
      for (const QString& meaning : meanings.value(id)) entry.term(meaning);
      const QString comment = signs->textForColumn(QStringLiteral("Comment"));
      if (!comment.isEmpty()) {
        xml.writeStartElement(QStringLiteral("src"));
        xml.writeCDATA(entry.text(comment));
        xml.writeEndElement();
      }
      xml.writeEndElement();
      replaced = replaced || entry.replaced;
      ++result.exported;
    }
    if (signs->failed()) {
      *error = db.lastErrorMessage();
      return false;
    }
    xml.writeEndDocument();
    return !xml.hasError();
  };
  QString error;
  if (!saveAtomically(outputPath, write, &error)) {
    result.error = QStringLiteral("cannot write %1: %2").arg(outputPath, error);
    result.exported = 0;
    result.problems.clear();
    return result;
  }
  if (replaced) result.problems << QStringLiteral("control characters XML cannot hold were replaced by U+FFFD");
  result.ok = true;
  return result;
}

}  // namespace quabe
