// The SPML import window listing the ASL export (reading the file and filling
// the table), and a merge without questions of the ASL dictionary into an
// empty one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "BuildPaths.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/DictionaryMerge.h"
#include "dictionary/SpmlImport.h"
#include "dictionary/ui/SpmlImportWindow.h"
#include "symbols/SymbolArchive.h"

namespace {

const QString kSpml = QStringLiteral(QUABE_ASL_SPML);

void BM_SpmlImportWindowListsTheAslExport(benchmark::State& state) {
  if (!QFileInfo::exists(kSpml)) return state.SkipWithError("asl.spml missing");
  for (auto _ : state) {
    quabe::SpmlImportWindow window;
    if (!window.openFile(kSpml)) return state.SkipWithError("asl.spml unreadable");
    benchmark::DoNotOptimize(window.visibleRowCount());
  }
}
BENCHMARK(BM_SpmlImportWindowListsTheAslExport)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MergeTheAslDictionaryIntoAnEmptyOne(benchmark::State& state) {
  QTemporaryDir dir;
  const QString asl = dir.filePath("asl.db");
  QFile spml(kSpml);
  if (!quabe::DictionaryFile::create(asl, QString(), false, nullptr) || !quabe::importSpml(&spml, asl).ok)
    return state.SkipWithError("the ASL dictionary could not be made");
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const QString target = dir.filePath(QStringLiteral("empty%1.db").arg(round++));
    quabe::DictionaryFile::create(target, QString(), false, nullptr);
    state.ResumeTiming();
    quabe::DictionaryMerge merge(target);
    if (!merge.open(asl)) return state.SkipWithError("merge could not start");
    merge.setUnattended(true);
    const quabe::MergeReport report =
        merge.run([](const quabe::MergeVersion&, const quabe::MergeVersion*) { return quabe::MergeResponse::add; });
    state.counters["added"] = report.added;
  }
}
BENCHMARK(BM_MergeTheAslDictionaryIntoAnEmptyOne)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  quabe::bench::drawOffscreenByDefault();
  QApplication app(argc, argv);
  if (!quabe::bench::loadSymbolImages("bench_import")) return 1;
  return quabe::bench::runBenchmarks(argc, argv);
}
