// Dictionary operations on a dictionary imported from the ASL SignPuddle
// export (11,658 entries). Skipped when the export is absent.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <limits>

#include "BenchMain.h"
#include "BuildPaths.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/SpmlImport.h"

using namespace quabe;

namespace {
const QString kSpml = QStringLiteral(QUABE_ASL_SPML);

QTemporaryDir& workDir() {
  static QTemporaryDir dir;
  return dir;
}

// Imports the export into a new dictionary; the elapsed milliseconds or -1.
qint64 importInto(const QString& path) {
  QElapsedTimer timer;
  timer.start();
  if (!DictionaryFile::create(path, DictionaryFile::defaultSymbolDataPath(), true, nullptr)) return -1;
  QFile file(kSpml);
  const SpmlImportResult result = importSpml(&file, path);
  return result.ok ? timer.elapsed() : -1;
}

// The shared dictionary of the benchmarks, imported once and made current.
// The dictionary the benchmarks read (the imported ASL file once ready).
Dictionary& dictionary() {
  static Dictionary* d = new Dictionary;
  return *d;
}

bool dictionaryReady() {
  static int state = 0;  // 0 not tried, 1 ready, -1 unavailable
  if (state == 0) {
    state = -1;
    if (QFile::exists(kSpml) && workDir().isValid()) {
      const QString path = workDir().filePath(QStringLiteral("asl.db"));
      const qint64 ms = importInto(path);
      if (ms >= 0) {
        std::printf("set-up: imported %s in %lld ms\n", qPrintable(kSpml), static_cast<long long>(ms));
        dictionary().setPath(path);
        state = 1;
      }
    }
  }
  return state == 1;
}

#define REQUIRE_DICTIONARY(state)                                    \
  if (!dictionaryReady()) {                                          \
    (state).SkipWithError("asl.spml not available or not imported"); \
    return;                                                          \
  }

void BM_ImportAslSpml(benchmark::State& state) {
  if (!QFile::exists(kSpml)) {
    state.SkipWithError("asl.spml not available");
    return;
  }
  const QString path = workDir().filePath(QStringLiteral("import.db"));
  for (auto _ : state) {
    const qint64 ms = importInto(path);
    if (ms < 0) state.SkipWithError("import failed");
  }
}
BENCHMARK(BM_ImportAslSpml)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_WholeSignsFirst30WithThumbnails(benchmark::State& state) {
  REQUIRE_DICTIONARY(state);
  dictionary().getWholeSigns(QString(), 1, 30);  // the symbol archive loads on first use
  for (auto _ : state) {
    const QList<DbSign> rows = dictionary().getWholeSigns(QString(), 1, 30);
    benchmark::DoNotOptimize(rows.size());
  }
}
BENCHMARK(BM_WholeSignsFirst30WithThumbnails)->Unit(benchmark::kMillisecond);

void BM_WholeSignsAllWithThumbnails(benchmark::State& state) {
  REQUIRE_DICTIONARY(state);
  qsizetype count = 0;
  for (auto _ : state) {
    const QList<DbSign> rows = dictionary().getWholeSigns(QString(), 1, std::numeric_limits<int>::max());
    count = rows.size();
  }
  state.counters["rows"] = double(count);
}
BENCHMARK(BM_WholeSignsAllWithThumbnails)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SignListSearch30WithThumbnails(benchmark::State& state) {
  REQUIRE_DICTIONARY(state);
  qsizetype count = 0;
  for (auto _ : state) count = dictionary().getWholeSigns(QStringLiteral("rain"), 1, 30).size();
  state.counters["rows"] = double(count);
}
BENCHMARK(BM_SignListSearch30WithThumbnails)->Unit(benchmark::kMillisecond);

void BM_GlossSearch(benchmark::State& state) {
  REQUIRE_DICTIONARY(state);
  qsizetype count = 0;
  for (auto _ : state) {
    DbSign key;
    key.gloss = QStringLiteral("name");
    count = dictionary().searchSigns(key).size();
  }
  state.counters["rows"] = double(count);
}
BENCHMARK(BM_GlossSearch)->Unit(benchmark::kMicrosecond);

void BM_GlossWildcardSearch(benchmark::State& state) {
  REQUIRE_DICTIONARY(state);
  qsizetype count = 0;
  for (auto _ : state) {
    DbSign key;
    key.gloss = QStringLiteral("rain*");
    count = dictionary().searchSigns(key).size();
  }
  state.counters["rows"] = double(count);
}
BENCHMARK(BM_GlossWildcardSearch)->Unit(benchmark::kMicrosecond);

void BM_GetSignIDs(benchmark::State& state) {
  REQUIRE_DICTIONARY(state);
  qsizetype count = 0;
  for (auto _ : state) count = dictionary().getSignIDs(QStringLiteral("name")).size();
  state.counters["ids"] = double(count);
}
BENCHMARK(BM_GetSignIDs)->Unit(benchmark::kMicrosecond);

void BM_GetFinderSigns(benchmark::State& state) {
  REQUIRE_DICTIONARY(state);
  qsizetype count = 0;
  for (auto _ : state) count = dictionary().getFinderSigns().size();
  state.counters["signs"] = double(count);
}
BENCHMARK(BM_GetFinderSigns)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  bench::drawOffscreenByDefault();
  QGuiApplication app(argc, argv);
  Resources::registerDefaults();
  return bench::runBenchmarks(argc, argv);
}
