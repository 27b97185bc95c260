// Writing the 10,000-sign benchmark document as FSW and SWU text and reading
// that text back into a document (target: under 50 ms each); every sign of
// the ASL dictionary export from FSW to a document sign and back to FSW.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "BenchDocument.h"
#include "BenchMain.h"
#include "BuildPaths.h"
#include "core/Resources.h"
#include "dictionary/SpmlImport.h"
#include "document/Fsw.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

BufferManager& document() {
  static BufferManager buffer = [] {
    BufferManager b;
    bench::fillDocument(b);
    return b;
  }();
  return buffer;
}

const QString& documentText(Fsw::Form form) {
  static const QString fsw = Fsw::writeDocument(document(), Fsw::Form::fsw);
  static const QString swu = Fsw::writeDocument(document(), Fsw::Form::swu);
  return form == Fsw::Form::fsw ? fsw : swu;
}

void BM_WriteText(benchmark::State& state) {
  const auto form = Fsw::Form(state.range(0));
  for (auto _ : state) {
    QString text = Fsw::writeDocument(document(), form);
    benchmark::DoNotOptimize(text);
  }
  state.SetLabel(form == Fsw::Form::fsw ? "FSW" : "SWU");
  state.counters["chars"] = double(documentText(form).size());
}
BENCHMARK(BM_WriteText)->Arg(int(Fsw::Form::fsw))->Arg(int(Fsw::Form::swu))->Unit(benchmark::kMillisecond);

void BM_ReadText(benchmark::State& state) {
  const auto form = Fsw::Form(state.range(0));
  const Preferences prefs;
  for (auto _ : state) {
    const Fsw::Reading reading = Fsw::read(documentText(form));
    BufferManager buffer;
    Fsw::fillBuffer(reading, buffer, prefs);
    if (reading.signCount != bench::SignCount) state.SkipWithError("signs lost");
    benchmark::DoNotOptimize(buffer);
  }
  state.SetLabel(form == Fsw::Form::fsw ? "FSW" : "SWU");
}
BENCHMARK(BM_ReadText)->Arg(int(Fsw::Form::fsw))->Arg(int(Fsw::Form::swu))->Unit(benchmark::kMillisecond);

void BM_AslSigns(benchmark::State& state) {
  static const QList<FswSign> signs = [] {
    QList<FswSign> read;
    QFile file(QStringLiteral(QUABE_ASL_SPML));
    file.open(QIODevice::ReadOnly);
    SpmlReader reader(&file);
    SpmlEntry entry;
    while (reader.readNext(entry))
      if (const std::optional<FswSign> sign = FswSign::parse(entry.sign)) read.append(*sign);
    return read;
  }();
  if (signs.size() != 11459) state.SkipWithError("the ASL export (asl.spml) is missing or incomplete");
  for (auto _ : state) {
    QString text;
    for (const FswSign& sign : signs) Fsw::fromSign(*Fsw::toSign(FswSign::parse(sign.fsw()).value())).appendFsw(text);
    benchmark::DoNotOptimize(text);
  }
  state.counters["signs"] = double(signs.size());
}
BENCHMARK(BM_AslSigns)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::drawOffscreenByDefault();
  QGuiApplication app(argc, argv);
  if (!bench::loadSymbolImages("bench_fsw")) return 1;
  return bench::runBenchmarks(argc, argv);
}
