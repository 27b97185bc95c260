// Layout of a 10,000-sign document and the painting of one screen of it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "BenchDocument.h"
#include "core/Resources.h"
#include "document/Document.h"
#include "editor/canvas/CanvasView.h"
#include "editor/layout/ViewLineManagerH.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

using bench::fillDocument;
using bench::SignCount;
using bench::SignsPerLine;

struct BenchDocument {
  BenchDocument() {
    SymbolArchive::shared().loadImageArchive();
    fillDocument(doc.bufferManager);
    doc.prefs.defaultSignBoxWidth = doc.prefs.defaultSignBoxHeight = 150;
    doc.prefs.lineSpace = 20;
    doc.prefs.minSignSpace = 10;
  }
  Document doc;
  BufferManager& buffer = doc.bufferManager;
  Preferences& prefs = doc.prefs;
};

BenchDocument& document() {
  static BenchDocument doc;
  return doc;
}

void BM_LayoutVertical(benchmark::State& state) {
  BenchDocument& doc = document();
  ViewLineManager man(&doc.buffer, &doc.prefs, 1200, 800);
  for (auto _ : state) benchmark::DoNotOptimize(man.layout());
  state.counters["viewLines"] = double(man.viewLines.size());
}
BENCHMARK(BM_LayoutVertical)->Unit(benchmark::kMillisecond);

void BM_LayoutHorizontal(benchmark::State& state) {
  BenchDocument& doc = document();
  ViewLineManagerH man(&doc.buffer, &doc.prefs, 1200, 800);
  for (auto _ : state) benchmark::DoNotOptimize(man.layout());
  state.counters["viewLines"] = double(man.viewLines.size());
}
BENCHMARK(BM_LayoutHorizontal)->Unit(benchmark::kMillisecond);

// One 1200 x 800 screen in the middle of the document.
void paintScreen(benchmark::State& state, bool vertical) {
  BenchDocument& doc = document();
  doc.prefs.verticalWriting = vertical;
  doc.prefs.autoCentering = false;
  doc.prefs.rotatePuncs = false;
  CanvasView canvas;
  canvas.resize(1200, 800);
  canvas.setDocument(&doc.doc);
  canvas.setBufferManager(&doc.buffer);
  const QSize full = canvas.size();
  const QRectF screen = vertical ? QRectF(full.width() / 2.0, 0, 1200, 800) : QRectF(0, full.height() / 2.0, 1200, 800);
  QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.translate(-screen.topLeft());
    canvas.drawContents(painter, screen, screen);
  }
  state.counters["canvasLength"] = vertical ? full.width() : full.height();
  // Proof that the screen shows signs: the share of dark pixels.
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
  state.counters["inkShare"] = double(ink) / (image.width() * image.height());
}

void BM_PaintScreenVertical(benchmark::State& state) { paintScreen(state, true); }
BENCHMARK(BM_PaintScreenVertical)->Unit(benchmark::kMillisecond);

void BM_PaintScreenHorizontal(benchmark::State& state) { paintScreen(state, false); }
BENCHMARK(BM_PaintScreenHorizontal)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Resources::registerDefaults();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
