// Costs of the sign finder over the ASL dictionary (built from asl.spml of the
// shared data, or the dictionary named by QUABE_FINDER_DICT): building the
// feature cache, one similar-sign search, and the symbol pairing by the
// assignment algorithm against the exhaustive search on the same queries.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

#include "BuildPaths.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/SpmlImport.h"
#include "finder/SignFinder.h"
#include "finder/SymbolAssignment.h"

using namespace quabe;

namespace {

struct FinderData {
  QString dictionaryPath;
  std::vector<SFSign> features;
  std::vector<SFSign> queries;       // dictionary signs searched for, as drawn targets
  std::vector<SFSign> largeQueries;  // signs with seven or eight compared symbols
};

FinderData& data() {
  static FinderData d;
  return d;
}

QString prepareDictionary(QTemporaryDir& scratch) {
  const QString given = qEnvironmentVariable("QUABE_FINDER_DICT");
  if (!given.isEmpty()) return QFileInfo(given).isFile() ? given : QString();
  const QString spml = QStringLiteral(QUABE_ASL_SPML);
  QFile file(spml);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString path = scratch.filePath(QStringLiteral("asl.db"));
  QString error;
  if (!DictionaryFile::create(path, QString(), false, &error)) return {};
  const SpmlImportResult imported = importSpml(&file, path);
  std::printf("dictionary from %s: %d entries\n", qPrintable(spml), imported.imported);
  return imported.ok ? path : QString();
}

// Every 97th entry with at most six compared symbols (most signs have two
// to four).
void chooseQueries() {
  FinderData& d = data();
  for (size_t i = 0; i < d.features.size(); i += 97) {
    const SFSign& s = d.features[i];
    if (s.symbols.empty() || s.handCount + s.bodyCount > 6) continue;
    d.queries.emplace_back(s.allSymbols(), 0, true);
  }
  // And the larger signs, where the exhaustive search grows quickly.
  for (const SFSign& s : d.features) {
    const int compared = s.handCount + s.bodyCount;
    if (compared >= 7 && compared <= 8 && d.largeQueries.size() < 12)
      d.largeQueries.emplace_back(s.allSymbols(), 0, true);
  }
}

void BM_FeatureCacheBuild(benchmark::State& state) {
  size_t entries = 0;
  for (auto _ : state) {
    std::vector<SFSign> features = SignFinder::loadDictionaryFeatures(Dictionary(data().dictionaryPath));
    entries = features.size();
    benchmark::DoNotOptimize(features.data());
  }
  state.counters["entries"] = double(entries);
}
BENCHMARK(BM_FeatureCacheBuild)->Unit(benchmark::kMillisecond)->Iterations(5);

// Argument 1: mirror images matched too (the finder window's default).
void BM_OneSearch(benchmark::State& state) {
  SignFinder finder;
  finder.setFeatureLoader([] { return data().features; });
  finder.features();
  const bool mirror = state.range(0) != 0;
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(finder.findSimilarSigns(data().queries[next], 20, mirror));
    next = (next + 1) % data().queries.size();
  }
  state.counters["queries"] = double(data().queries.size());
}
BENCHMARK(BM_OneSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One query against the whole dictionary, scoring only (no ranking).
void scoreAgainstDictionary(benchmark::State& state, SFPairing pairing) {
  size_t next = 0;
  for (auto _ : state) {
    const SFSign& query = data().queries[next];
    double sum = 0;
    for (const SFSign& entry : data().features) sum += query.similarity(entry, pairing).total;
    benchmark::DoNotOptimize(sum);
    next = (next + 1) % data().queries.size();
  }
}
void BM_PairingAssignment(benchmark::State& state) { scoreAgainstDictionary(state, SFPairing::assignment); }
void BM_PairingExhaustive(benchmark::State& state) { scoreAgainstDictionary(state, SFPairing::exhaustive); }
BENCHMARK(BM_PairingAssignment)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairingExhaustive)->Unit(benchmark::kMillisecond);

// A dense n x n matrix (every pair usable): the exhaustive search visits n!
// complete pairings, the assignment O(n^3) steps.
void denseMatrix(int n, sf::ScoreMatrix& m) {
  unsigned seed = 12345;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      seed = seed * 1103515245u + 12345u;
      m[i * sf::MaxAssigned + j] = 500 + int((seed >> 16) % 420);
    }
}
void BM_DenseAssignment(benchmark::State& state) {
  sf::ScoreMatrix m;
  const int n = int(state.range(0));
  denseMatrix(n, m);
  for (auto _ : state) benchmark::DoNotOptimize(sf::maxPositiveAssignment(m, n, n));
}
void BM_DenseExhaustive(benchmark::State& state) {
  sf::ScoreMatrix m;
  const int n = int(state.range(0));
  denseMatrix(n, m);
  for (auto _ : state) benchmark::DoNotOptimize(sf::exhaustiveMaxPositiveAssignment(m, n, n));
}
BENCHMARK(BM_DenseAssignment)->Arg(4)->Arg(6)->Arg(8)->Arg(10)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DenseExhaustive)->Arg(4)->Arg(6)->Arg(8)->Arg(10)->Unit(benchmark::kMicrosecond);

double cpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Every query against every entry once with each pairing: the results must be
// the same. Timed twice (processor time): the whole comparisons, and the
// pairing step alone on the score matrices those comparisons pair.
void comparePairings(const std::vector<SFSign>& queries, const char* label) {
  const FinderData& d = data();
  long pairs = 0, differing = 0;
  double assignmentMs = 0, exhaustiveMs = 0;
  std::vector<SFSimilarity> fast(d.features.size());
  for (const SFSign& query : queries) {
    double t0 = cpuMilliseconds();
    for (size_t i = 0; i < d.features.size(); ++i) fast[i] = query.similarity(d.features[i], SFPairing::assignment);
    double t1 = cpuMilliseconds();
    for (size_t i = 0; i < d.features.size(); ++i) {
      const SFSimilarity reference = query.similarity(d.features[i], SFPairing::exhaustive);
      differing += reference.maxSim != fast[i].maxSim || reference.total != fast[i].total;
    }
    assignmentMs += t1 - t0;
    exhaustiveMs += cpuMilliseconds() - t1;
    pairs += long(d.features.size());
  }
  std::printf("%s: %zu queries x %zu entries = %ld comparisons, differing results %ld\n", label, queries.size(),
              d.features.size(), pairs, differing);
  std::printf("  whole comparisons: assignment %.1f ms, exhaustive %.1f ms, speed-up %.2fx\n", assignmentMs,
              exhaustiveMs, exhaustiveMs / assignmentMs);

  struct Matrix {
    int rows, cols;
    std::vector<int> scores;  // row-major with the full stride
  };
  std::vector<Matrix> matrices;
  sf::ScoreMatrix m;
  for (const SFSign& query : queries)
    for (const SFSign& entry : d.features) {
      int rows = 0, cols = 0;
      if (!query.pairingScores(entry, m, rows, cols) || rows == 0) continue;
      matrices.push_back({rows, cols, std::vector<int>(m, m + rows * sf::MaxAssigned)});
    }
  long sumFast = 0, sumReference = 0, mismatches = 0;
  std::vector<int> fastTotals(matrices.size());
  double t0 = cpuMilliseconds();
  for (size_t i = 0; i < matrices.size(); ++i)
    fastTotals[i] = sf::maxPositiveAssignment(matrices[i].scores.data(), matrices[i].rows, matrices[i].cols);
  double t1 = cpuMilliseconds();
  for (size_t i = 0; i < matrices.size(); ++i) {
    const int reference =
        sf::exhaustiveMaxPositiveAssignment(matrices[i].scores.data(), matrices[i].rows, matrices[i].cols);
    mismatches += reference != fastTotals[i];
    sumReference += reference;
    sumFast += fastTotals[i];
  }
  double t2 = cpuMilliseconds();
  int largest = 0;
  for (const Matrix& x : matrices) largest = std::max(largest, x.rows);
  std::printf(
      "  pairing step alone on %zu score matrices (up to %d rows): assignment %.1f ms, exhaustive %.1f ms, "
      "speed-up %.2fx, differing maxima %ld\n",
      matrices.size(), largest, t1 - t0, t2 - t1, (t2 - t1) / (t1 - t0), mismatches);
  benchmark::DoNotOptimize(sumFast + sumReference);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir scratch;
  const QString path = prepareDictionary(scratch);
  if (path.isEmpty()) {
    std::fprintf(stderr, "bench_finder: no ASL dictionary (asl.spml missing and QUABE_FINDER_DICT not set)\n");
    return 0;
  }
  data().dictionaryPath = path;
  const Dictionary dictionary(path);
  QElapsedTimer timer;
  timer.start();
  data().features = SignFinder::loadDictionaryFeatures(dictionary);
  std::printf("feature cache: %zu signs built in %.1f ms\n", data().features.size(), timer.nsecsElapsed() / 1e6);
  chooseQueries();
  comparePairings(data().queries, "typical signs (up to 6 compared symbols)");
  comparePairings(data().largeQueries, "large signs (7 or 8 compared symbols)");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
