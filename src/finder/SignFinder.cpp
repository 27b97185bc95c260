#include "finder/SignFinder.h"

#include <algorithm>

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

void SignFinder::setDictionaryPath(const QString& path) {
  if (path == m_dictionaryPath) return;
  m_dictionaryPath = path;
  m_cache.reset();
}

const std::vector<SFSign>& SignFinder::features() {
  if (!m_cache) m_cache = m_loader ? m_loader() : loadDictionaryFeatures(Dictionary(m_dictionaryPath));
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

QList<SFResult> SignFinder::scoreAll(const SFSign& target) {
  QList<SFResult> found;
  for (const SFSign& entry : features()) {
    if (entry.symbols.empty() || isBareFace(entry)) continue;
    const double s = target.similarity(entry).total;
    if (s > 0) {
      SFResult r;
      r.similarity = s;
      r.signID = entry.signID;
      found.append(r);
    }
  }
  return found;
}

QList<SFResult> SignFinder::findSimilarSigns(SFSign target, int limit) {
  if (target.symbols.empty()) return {};
  QList<SFResult> found = scoreAll(target);
  if (found.isEmpty()) return found;
  rankResults(found, limit);
  if (!found.isEmpty() && wantsAlternativeSearch(found.front().similarity) && target.normalize()) {
    QList<SFResult> alternative = scoreAll(target);
    rankResults(alternative, limit);
    if (!alternative.isEmpty() && alternative.front().similarity > found.front().similarity) found = alternative;
  }
  return found;
}

}  // namespace quabe
