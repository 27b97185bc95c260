// Dictionary operations on canvas signs and compounds.
#include <cmath>

#include "core/Logging.h"
#include "dictionary/Dictionary.h"
#include "document/Compound.h"

namespace quabe {

QList<DbISWA> Dictionary::spellingOf(const Sign& sign) {
  QList<DbISWA> rows;
  rows.reserve(sign.symbols.size());
  int subID = 1;
  for (const ISWAPtr& symbol : sign.symbols) {
    if (!symbol) continue;
    const SymbolCode code = symbol->sss();
    DbISWA row;
    row.signID = sign.jjs->signID;
    row.subID = subID++;
    row.sign = sign.jjs->gloss;
    row.sss = SSS::toString(code);
    row.x = int(std::trunc(symbol->rect.x()));
    row.y = int(std::trunc(symbol->rect.y()));
    if ((code >> 28) == 1) {
      row.hand =
          symbol->hand != Hand::none ? int(symbol->hand) : ((code & 0xFF) > 8 ? int(Hand::left) : int(Hand::right));
    } else {
      row.hand = 0;
    }
    row.changeableHand = symbol->changeableHand ? 1 : 0;
    row.turnableArrow = symbol->turnableArrow ? 1 : 0;
    row.modifiableArrow = symbol->modifiableArrow ? 1 : 0;
    rows.append(row);
  }
  return rows;
}

bool Dictionary::storeSign(Sign& sign) {
  if (sign.symbols.isEmpty()) {
    qCWarning(lcDictionary) << "an empty sign is not stored";
    return false;
  }
  DbSign& entry = *sign.jjs;
  // A negative id gets the next free id inside insertSign's transaction.
  if (entry.signID < 0) return insertSign(entry, spellingOf(sign), false);
  return updateSign(entry, spellingOf(sign), false);
}

bool Dictionary::insertCompound(Compound& compound, bool copy) {
  return insertCompound(*compound.jjs, compound.constituentIDs.value_or(QList<qint64>()), copy);
}

bool Dictionary::updateCompound(Compound& compound, bool copy) {
  return updateCompound(*compound.jjs, compound.constituentIDs.value_or(QList<qint64>()), copy);
}

SignPtr Dictionary::loadPlainSign(qint64 signID) const {
  std::optional<DbSign> entry = getSign(signID);
  if (!entry) qCWarning(lcDictionary) << "no entry with SignID" << signID;
  auto record = entry ? std::make_shared<DbSign>(std::move(*entry)) : std::make_shared<DbSign>();
  return std::make_shared<Sign>(record, getSpelling(signID));
}

QList<SignPtr> Dictionary::getSigns(const QList<qint64>& signIDs) const {
  QList<SignPtr> signs;
  signs.reserve(signIDs.size());
  for (qint64 id : signIDs) signs.append(loadPlainSign(id));
  return signs;
}

std::shared_ptr<Compound> Dictionary::makeCompound(std::shared_ptr<DbSign> entry) const {
  if (!entry) entry = std::make_shared<DbSign>();
  return std::make_shared<Compound>(entry, getSigns(entry->constituentIDs.value_or(QList<qint64>())));
}

SignPtr Dictionary::loadSign(qint64 signID) const {
  std::optional<DbSign> entry = getSign(signID);
  if (entry && entry->isCompound) return makeCompound(std::make_shared<DbSign>(std::move(*entry)));
  return loadPlainSign(signID);
}

}  // namespace quabe
