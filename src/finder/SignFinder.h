#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "finder/SFSign.h"

namespace quabe {

class Dictionary;
class Sign;
using SignPtr = std::shared_ptr<Sign>;

// One hit of the similar-sign search.
struct SFResult {
  double similarity = 0;  // similarity to the target (SFSimilarity::score), 1 for the same sign
  bool mirrored = false;  // reached by the target's mirror image
  qint64 signID = 0;
  SignPtr sign;     // the entry as a drawable sign (details only)
  QString meaning;  // meanings joined by " / " (details only)
  QString gloss;    // (details only)
  int ranking = 0;  // 1-based; equal similarities share the first one's rank
};

// Ranks the signs of a dictionary file by similarity to a target sign. The
// features of all its signs are cached; the owner discards them after the
// dictionary changed (Dictionary::changed), so that a sign just stored is
// found by the next search, and another file discards them by itself. One
// search at a time; the search may run on any one thread.
class SignFinder {
 public:
  static constexpr int DefaultResultLimit = 20;
  // Best total (SFSimilarity::total) below which the normalised variant of
  // the target is tried.
  static constexpr double AlternativeSearchThreshold = 0.7;

  SignFinder();
  SignFinder(const SignFinder&) = delete;
  SignFinder& operator=(const SignFinder&) = delete;

  SignPtr targetSign;
  int maxResultCount = 8;
  // While on, a canvas sign's arrows are merged before it is compared.
  bool integrateArrows = true;
  QList<SFResult> results;

  // The search for a canvas sign: merges its arrows first while
  // integrateArrows is on (on a copy; the target is not changed). With
  // matchMirrorImages a sign scores the better of its similarity to the
  // target and to the target's mirror image.
  QList<SFResult> findSimilarSigns(const Sign& target, int limit, bool matchMirrorImages = false);
  // The search for a normalised feature record (the part after building it).
  QList<SFResult> findSimilarSigns(SFSign target, int limit, bool matchMirrorImages = false);
  // The target's record as the search builds it (arrows merged when
  // integrateArrows, normalised).
  static SFSign targetFeatures(const Sign& target, bool integrateArrows = true, const SFTuning& tuning = {});

  // The costs the searches measure with (the chosen defaults unless set);
  // another tuning discards the cached features. A record searched for is
  // built with the same (see targetFeatures).
  const SFTuning& tuning() const { return m_tuning; }
  void setTuning(const SFTuning& tuning);

  // The result limit of a text field: its integer value, 20 when it is not a
  // number or below 1.
  static int resultLimit(const QString& text);
  // True when a best total is low enough to try the normalised variant.
  static bool wantsAlternativeSearch(double bestTotal) { return bestTotal < AlternativeSearchThreshold; }
  // Sorts by decreasing similarity (entry order on ties), keeps the first
  // `limit` and assigns the shared ranks.
  static void rankResults(QList<SFResult>& results, int limit);
  // Fills sign, meaning and gloss of each result from the dictionary.
  static void loadDetails(QList<SFResult>& results, const Dictionary& dictionary);

  // ---- the feature cache
  using FeatureLoader = std::function<std::vector<SFSign>()>;
  // Replaces the source of the dictionary features (tests, tools); an empty
  // function restores the dictionary file. Discards the cache.
  void setFeatureLoader(FeatureLoader loader);
  // The dictionary file the features come from; another file discards the cache.
  void setDictionaryPath(const QString& path);
  const QString& dictionaryPath() const { return m_dictionaryPath; }
  // The cached features, built on first use.
  const std::vector<SFSign>& features();
  bool hasCachedFeatures() const { return m_cache.has_value(); }
  void discardCache() { m_cache.reset(); }
  // The features of a dictionary (non-alias entries by ID, not normalised).
  static std::vector<SFSign> loadDictionaryFeatures(const Dictionary& dictionary, const SFTuning& tuning = {});

 private:
  QList<SFResult> scoreAll(const SFSign& target, const SFSign* mirrorImage, double& bestTotal);

  SFTuning m_tuning;
  FeatureLoader m_loader;
  QString m_dictionaryPath;
  std::optional<std::vector<SFSign>> m_cache;
};

}  // namespace quabe
