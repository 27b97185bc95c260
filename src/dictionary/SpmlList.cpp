#include "dictionary/SpmlList.h"

#include "dictionary/SpmlImport.h"
#include "document/DbSign.h"
#include "document/Fsw.h"
#include "document/Sign.h"

namespace quabe {

namespace {
// Whether a text element holds signs rather than a description.
bool isSignText(const QString& text) {
  const qsizetype space = text.indexOf(QLatin1Char(' '));
  return bool(signFromFsw(QStringView(text).left(space < 0 ? text.size() : space)));
}
}  // namespace

SignPtr signFromFsw(QStringView fsw) {
  // Any sign of the text: with or without the sort prefix, any box marker,
  // or a punctuation symbol standing alone.
  const std::optional<FswSign> sign = FswSign::parse(fsw.trimmed());
  if (!sign || sign->symbols.isEmpty()) return nullptr;
  SignPtr result = Fsw::toSign(*sign);
  if (!result || result->symbols.isEmpty()) return nullptr;
  return result;
}

QList<SignPtr> SpmlListEntry::signs() const {
  QList<SignPtr> result;
  if (SignPtr sign = signFromFsw(signTerm)) {
    sign->gloss = gloss;
    sign->jjs->gloss = gloss;
    result.append(sign);
  }
  for (QStringView word : QStringView(signText).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (SignPtr sign = signFromFsw(word)) result.append(sign);
  }
  return result;
}

bool readSpmlList(QIODevice* device, QList<SpmlListEntry>& entries, QString* error) {
  if (!device || (!device->isOpen() && !device->open(QIODevice::ReadOnly))) {
    if (error) *error = device ? device->errorString() : QString();
    return false;
  }
  SpmlReader reader(device);
  SpmlEntry entry;
  while (reader.readNext(entry)) {
    SpmlListEntry row;
    row.id = entry.id;
    row.signTerm = entry.sign;
    QString description = entry.text;
    if (isSignText(description)) {
      row.signText = description.simplified();
      description.clear();
    }
    row.gloss = entry.terms.value(0);
    row.source = entry.source;
    if (!row.gloss.isEmpty()) {
      row.title = row.gloss;
      if (!description.isEmpty())
        row.source = row.source.isEmpty() ? description : row.source + QStringLiteral("; ") + description;
    } else {
      row.title = description;
    }
    entries.append(row);
  }
  if (reader.hasError()) {
    if (error) *error = reader.errorString();
    return false;
  }
  return true;
}

}  // namespace quabe
