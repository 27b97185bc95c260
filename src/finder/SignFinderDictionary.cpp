// The finder's dictionary features and their cache.
#include "dictionary/Dictionary.h"
#include "finder/SignFinder.h"

namespace quabe {

std::vector<SFSign> SignFinder::loadDictionaryFeatures(const Dictionary& dictionary, const SFTuning& tuning) {
  std::vector<SFSign> features;
  const QList<DbFinderSign> signs = dictionary.getFinderSigns();
  features.reserve(size_t(signs.size()));
  for (const DbFinderSign& entry : signs) {
    std::vector<SFSymbol> list;
    list.reserve(size_t(entry.symbols.size()));
    for (const DbFinderSymbol& s : entry.symbols) list.emplace_back(s.code, s.x, s.y, s.hand);
    features.emplace_back(std::move(list), entry.signID, false, tuning);
  }
  return features;
}

}  // namespace quabe
