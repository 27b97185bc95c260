// The parts of the finder that reach the dictionary and canvas signs.
#include "dictionary/Db.h"
#include "dictionary/DbSign.h"
#include "document/EditorState.h"
#include "document/Sign.h"
#include "finder/SignFinder.h"

namespace quabe {

SFSign SFSign::fromSign(const Sign& sign, bool normalize, qint64 signID) {
  std::vector<SFSymbol> list;
  list.reserve(size_t(sign.symbols.size()));
  for (const ISWAPtr& s : sign.symbols) {
    if (s) list.emplace_back(s->sss(), s->rect.x(), s->rect.y(), s->hand);
  }
  return SFSign(std::move(list), signID, normalize);
}

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

QList<SFResult> SignFinder::findSimilarSigns(const Sign& target, int limit, bool withDetails) {
  SFSign features;
  if (EditorState::shared().integrateArrowsEnabled) {
    const SignPtr merged = target.copy();
    merged->integrateArrows();
    features = SFSign::fromSign(*merged, true);
  } else {
    features = SFSign::fromSign(target, true);
  }
  QList<SFResult> found = findSimilarSigns(std::move(features), limit);
  if (withDetails) loadDetails(found);
  results = found;
  return found;
}

void SignFinder::loadDetails(QList<SFResult>& list) {
  for (SFResult& r : list) {
    const SignPtr sign = Db::loadSign(r.signID);
    const QStringList meanings = Db::getMeanings(r.signID);
    if (sign) {
      sign->meanings = meanings;
      r.gloss = sign->jjs ? sign->jjs->gloss : QString();
    }
    r.sign = sign;
    r.meaning = meanings.join(QStringLiteral(" / "));
  }
}

}  // namespace quabe
