// The finder's dictionary features and their cache.
#include "dictionary/Db.h"
#include "finder/SignFinder.h"

namespace quabe {

SignFinder& SignFinder::shared() {
  // Lives for the whole process; every successful dictionary write and every
  // switch to another dictionary discards its features.
  static SignFinder* finder = [] {
    auto* f = new SignFinder;
    Db::addWriteListener([f] { f->discardCache(); });
    return f;
  }();
  return *finder;
}

std::vector<SFSign> SignFinder::loadDictionaryFeatures() {
  std::vector<SFSign> features;
  const QList<DbFinderSign> signs = Db::getFinderSigns();
  features.reserve(size_t(signs.size()));
  for (const DbFinderSign& entry : signs) {
    std::vector<SFSymbol> list;
    list.reserve(size_t(entry.symbols.size()));
    for (const DbFinderSymbol& s : entry.symbols) list.emplace_back(s.code, s.x, s.y, s.hand);
    features.emplace_back(std::move(list), entry.signID, false);
  }
  return features;
}

}  // namespace quabe
