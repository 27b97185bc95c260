// The finder's side of canvas signs: features of a drawn sign, the search
// for it and the details of the hits.
#include "dictionary/Dictionary.h"
#include "document/DbSign.h"
#include "document/Sign.h"
#include "finder/SignFinder.h"

namespace quabe {

SFSign SFSign::fromSign(const Sign& sign, bool normalize, qint64 signID, const SFTuning& tuning) {
  std::vector<SFSymbol> list;
  list.reserve(size_t(sign.symbols.size()));
  for (const ISWAPtr& s : sign.symbols) {
    if (s) list.emplace_back(s->sss(), s->rect.x(), s->rect.y(), s->hand, s->rect.width());
  }
  return SFSign(std::move(list), signID, normalize, tuning);
}

SFSign SignFinder::targetFeatures(const Sign& target, bool integrateArrows, const SFTuning& tuning) {
  if (!integrateArrows) return SFSign::fromSign(target, true, 0, tuning);
  const SignPtr merged = target.copy();
  merged->integrateArrows();
  return SFSign::fromSign(*merged, true, 0, tuning);
}

QList<SFResult> SignFinder::findSimilarSigns(const Sign& target, int limit, bool matchMirrorImages) {
  QList<SFResult> found = findSimilarSigns(targetFeatures(target, integrateArrows, m_tuning), limit, matchMirrorImages);
  results = found;
  return found;
}

void SignFinder::loadDetails(QList<SFResult>& list, const Dictionary& dictionary) {
  for (SFResult& r : list) {
    const SignPtr sign = dictionary.loadSign(r.signID);
    const QStringList meanings = dictionary.getMeanings(r.signID);
    if (sign) {
      sign->meanings = meanings;
      r.gloss = sign->jjs ? sign->jjs->gloss : QString();
    }
    r.sign = sign;
    r.meaning = meanings.join(QStringLiteral(" / "));
  }
}

}  // namespace quabe
