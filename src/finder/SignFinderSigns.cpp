// The finder's side of canvas signs: features of a drawn sign, the search
// for it and the details of the hits.
#include "dictionary/Db.h"
#include "document/DbSign.h"
#include "document/EditorState.h"
#include "document/Sign.h"
#include "finder/SignFinder.h"

namespace quabe {

SFSign SFSign::fromSign(const Sign& sign, bool normalize, qint64 signID) {
  std::vector<SFSymbol> list;
  list.reserve(size_t(sign.symbols.size()));
  for (const ISWAPtr& s : sign.symbols) {
    if (s) list.emplace_back(s->sss(), s->rect.x(), s->rect.y(), s->hand, s->rect.width());
  }
  return SFSign(std::move(list), signID, normalize);
}

SFSign SignFinder::targetFeatures(const Sign& target) {
  if (!EditorState::shared().integrateArrowsEnabled) return SFSign::fromSign(target, true);
  const SignPtr merged = target.copy();
  merged->integrateArrows();
  return SFSign::fromSign(*merged, true);
}

QList<SFResult> SignFinder::findSimilarSigns(const Sign& target, int limit, bool withDetails, bool matchMirrorImages) {
  QList<SFResult> found = findSimilarSigns(targetFeatures(target), limit, matchMirrorImages);
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
