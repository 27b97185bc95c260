#include "finder/SignFinder.h"

#include <algorithm>
#include <optional>

#include "dictionary/Dictionary.h"

namespace quabe {

namespace {

// A dictionary entry drawn as nothing but a plain face matches every face
// drawn in a target and is never a useful hit.
bool isBareFace(const SFSign& entry) {
  const auto& all = entry.allSymbols();
  if (all.size() != 1) return false;
  const SFSymbol& s = all.front();
  return s.category == Category::headFace && s.group == 2 && s.baseSymbol == 1 &&
         (s.variation == 1 || s.variation == 3) && s.fill == 1;
}

}  // namespace

SignFinder::SignFinder() = default;

void SignFinder::setFeatureLoader(FeatureLoader loader) {
  m_loader = std::move(loader);
  m_cache.reset();
}

void SignFinder::setTuning(const SFTuning& tuning) {
  m_tuning = tuning;
  m_cache.reset();
}

void SignFinder::setDictionaryPath(const QString& path) {
  if (path == m_dictionaryPath) return;
  m_dictionaryPath = path;
  m_cache.reset();
}

const std::vector<SFSign>& SignFinder::features() {
  if (!m_cache) m_cache = m_loader ? m_loader() : loadDictionaryFeatures(Dictionary(m_dictionaryPath), m_tuning);
  return *m_cache;
}

int SignFinder::resultLimit(const QString& text) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok);
  return ok && n >= 1 ? n : DefaultResultLimit;
}

void SignFinder::rankResults(QList<SFResult>& list, int limit) {
  std::stable_sort(list.begin(), list.end(),
                   [](const SFResult& a, const SFResult& b) { return a.similarity > b.similarity; });
  if (limit < 0) limit = 0;
  if (list.size() > limit) list.resize(limit);
  double previous = 2.0;
  int rank = 0;
  for (qsizetype i = 0; i < list.size(); ++i) {
    if (list[i].similarity < previous) {
      rank = int(i) + 1;
      previous = list[i].similarity;
    }
    list[i].ranking = rank;
  }
}

QList<SFResult> SignFinder::scoreAll(const SFSign& target, const SFSign* mirrorImage, double& bestTotal) {
  QList<SFResult> found;
  bestTotal = 0;
  for (const SFSign& entry : features()) {
    if (entry.symbols.empty() || isBareFace(entry)) continue;
    const SFSimilarity s = target.similarity(entry, mirrorImage);
    if (s.score > 0) {
      SFResult r;
      r.similarity = s.score;
      r.mirrored = s.mirrored;
      r.signID = entry.signID;
      found.append(r);
      bestTotal = std::max(bestTotal, s.total);
    }
  }
  return found;
}

QList<SFResult> SignFinder::findSimilarSigns(SFSign target, int limit, bool matchMirrorImages) {
  if (target.symbols.empty()) return {};
  const auto mirrorOf = [matchMirrorImages](const SFSign& sign) {
    return matchMirrorImages ? std::optional<SFSign>(sign.mirrored()) : std::nullopt;
  };
  std::optional<SFSign> image = mirrorOf(target);
  double best = 0;
  QList<SFResult> found = scoreAll(target, image ? &*image : nullptr, best);
  if (found.isEmpty()) return found;
  rankResults(found, limit);
  if (!found.isEmpty() && wantsAlternativeSearch(best) && target.normalize()) {
    image = mirrorOf(target);
    QList<SFResult> alternative = scoreAll(target, image ? &*image : nullptr, best);
    rankResults(alternative, limit);
    if (!alternative.isEmpty() && alternative.front().similarity > found.front().similarity) found = alternative;
  }
  return found;
}

}  // namespace quabe
