// Writing the 10,000-sign benchmark document as FSW and SWU text and reading
// that text back into a document (target: under 50 ms each).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>

#include "BenchDocument.h"
#include "core/Diagnostics.h"
#include "core/Resources.h"
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
  setDiagnosticsEnabled(false);
  for (auto _ : state) {
    const Fsw::Reading reading = Fsw::read(documentText(form));
    BufferManager buffer;
    Fsw::fillBuffer(reading, buffer, prefs);
    if (reading.signCount != bench::SignCount) state.SkipWithError("signs lost");
    benchmark::DoNotOptimize(buffer);
  }
  setDiagnosticsEnabled(true);
  state.SetLabel(form == Fsw::Form::fsw ? "FSW" : "SWU");
}
BENCHMARK(BM_ReadText)->Arg(int(Fsw::Form::fsw))->Arg(int(Fsw::Form::swu))->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  Resources::registerDefaults();
  if (!SymbolArchive::shared().loadImageArchive()) {
    std::fprintf(stderr, "bench_fsw: no symbol archive (iswa2010bin)\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
