// How quickly the sign list shows the ASL dictionary: the first rows, the
// whole list, a search, a sort and the thumbnails of one screen of rows.
// The dictionary is imported from the SPML export once (quabe-cli) into a
// temporary directory; the benchmarks skip when the export is absent.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchMain.h"
#include "BuildPaths.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "dictionary/ui/SignListModel.h"
#include "dictionary/ui/SignListWindow.h"
#include "symbols/SymbolArchive.h"

namespace {

using quabe::SignListWindow;

QString& dictionaryPath() {
  static QString path;
  return path;
}

quabe::Dictionary& dictionary() {
  static auto* d = new quabe::Dictionary;
  return *d;
}

// Imports asl.spml into a temporary dictionary; an empty path when it cannot.
QString prepareDictionary(QTemporaryDir& dir) {
  const QString spml = QStringLiteral(QUABE_ASL_SPML);
  if (!QFileInfo::exists(spml)) return QString();
  const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/quabe-cli");
  const QString output = dir.filePath(QStringLiteral("asl.db"));
  QStringList arguments{QStringLiteral("dict"), QStringLiteral("import-spml"), spml, QStringLiteral("-o"), output};
  const QString symbolData = quabe::Resources::path(QStringLiteral("iswa2010data.db"));
  if (!symbolData.isEmpty()) arguments << QStringLiteral("--symbol-data") << symbolData;
  QProcess process;
  process.start(cli, arguments);
  if (!process.waitForFinished(600000) || process.exitCode() != 0) return QString();
  return output;
}

bool ready(benchmark::State& state) {
  if (dictionaryPath().isEmpty()) {
    state.SkipWithError("asl.spml or quabe-cli missing");
    return false;
  }
  return true;
}

// Waits for the background rows of fetchWholeSigns.
void waitForLoad(SignListWindow& list) {
  if (!list.isLoading()) return;
  QEventLoop loop;
  QObject::connect(&list, &SignListWindow::loadFinished, &loop, &QEventLoop::quit);
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  loop.exec();
}

void BM_SignListFirstRows(benchmark::State& state) {
  if (!ready(state)) return;
  SignListWindow list(dictionary());
  for (auto _ : state) {
    list.fetchWholeSigns();  // returns with rows 1-30 in the table
    benchmark::DoNotOptimize(list.signs().size());
    state.PauseTiming();
    waitForLoad(list);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SignListFirstRows)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SignListShowAll(benchmark::State& state) {
  if (!ready(state)) return;
  SignListWindow list(dictionary());
  for (auto _ : state) {
    list.fetchWholeSigns();
    waitForLoad(list);
    benchmark::DoNotOptimize(list.signs().size());
  }
  state.counters["rows"] = double(list.signs().size());
}
BENCHMARK(BM_SignListShowAll)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SignListSearch(benchmark::State& state) {
  if (!ready(state)) return;
  SignListWindow list(dictionary());
  for (auto _ : state) {
    list.searchGloss(QStringLiteral("bo"));
    benchmark::DoNotOptimize(list.signs().size());
  }
  state.counters["rows"] = double(list.signs().size());
}
BENCHMARK(BM_SignListSearch)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SignListSortAll(benchmark::State& state) {
  if (!ready(state)) return;
  SignListWindow list(dictionary());
  list.fetchWholeSigns();
  waitForLoad(list);
  int key = 0;
  for (auto _ : state) {
    list.sortBy(key);
    key = (key + 1) % SignListWindow::SortKeyCount;
  }
  state.counters["rows"] = double(list.signs().size());
}
BENCHMARK(BM_SignListSortAll)->Unit(benchmark::kMillisecond)->Iterations(10);

// Shows the window with the whole list and paints one screen of rows with
// thumbnails drawn afresh.
void BM_SignListVisibleThumbnails(benchmark::State& state) {
  if (!ready(state)) return;
  SignListWindow list(dictionary());
  list.resize(1000, 800);
  list.show();
  list.fetchWholeSigns();
  waitForLoad(list);
  for (auto _ : state) {
    list.model()->clearThumbnails();
    list.tableView()->viewport()->repaint();
  }
  state.counters["rows"] = double(list.signs().size());
}
BENCHMARK(BM_SignListVisibleThumbnails)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  quabe::bench::drawOffscreenByDefault();
  QApplication app(argc, argv);
  if (!quabe::bench::loadSymbolImages("bench_signlist")) return 1;
  QTemporaryDir dir;
  dictionaryPath() = prepareDictionary(dir);
  if (!dictionaryPath().isEmpty()) {
    dictionary().setPath(dictionaryPath());
  }
  return quabe::bench::runBenchmarks(argc, argv);
}
