// Layout of a 10,000-sign document (glossed, some signs with comments) and
// the painting of one screen of it at 100 % and at 300 %.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "BenchDocument.h"
#include "BenchMain.h"
#include "core/Resources.h"
#include "document/Document.h"
#include "editor/canvas/CanvasView.h"
#include "editor/export/CanvasExport.h"
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
    fillDocument(doc.bufferManager, true);
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

// One 1200 x 800 screen in the middle of the document, at a zoom: the
// symbols are the archive images at 100 %, their outlines rendered for the
// scale (and cached) otherwise. The first paint warms the caches.
void paintScreen(benchmark::State& state, bool vertical, qreal zoom) {
  BenchDocument& doc = document();
  doc.prefs.verticalWriting = vertical;
  doc.prefs.autoCentering = false;
  doc.prefs.rotatePuncs = false;
  CanvasView canvas;
  canvas.resize(1200, 800);
  canvas.setDocument(&doc.doc);
  canvas.setBufferManager(&doc.buffer);
  canvas.setZoom(zoom);
  const QSizeF full = canvas.canvasSize();
  const QSizeF shown = QSizeF(1200, 800) / zoom;
  const QRectF screen =
      vertical ? QRectF(QPointF(full.width() / 2.0, 0), shown) : QRectF(QPointF(0, full.height() / 2.0), shown);
  QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
  auto paint = [&] {
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    painter.translate(-screen.topLeft());
    canvas.drawContents(painter, screen, screen);
  };
  paint();
  for (auto _ : state) paint();
  state.counters["canvasLength"] = vertical ? full.width() : full.height();
  // Proof that the screen shows signs: the share of dark pixels.
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
  state.counters["inkShare"] = double(ink) / (image.width() * image.height());
}

void BM_PaintScreenVertical(benchmark::State& state) { paintScreen(state, true, 1.0); }
BENCHMARK(BM_PaintScreenVertical)->Unit(benchmark::kMillisecond);

void BM_PaintScreenHorizontal(benchmark::State& state) { paintScreen(state, false, 1.0); }
BENCHMARK(BM_PaintScreenHorizontal)->Unit(benchmark::kMillisecond);

void BM_PaintScreenVerticalAt300(benchmark::State& state) { paintScreen(state, true, 3.0); }
BENCHMARK(BM_PaintScreenVerticalAt300)->Unit(benchmark::kMillisecond);

void BM_PaintScreenHorizontalAt300(benchmark::State& state) { paintScreen(state, false, 3.0); }
BENCHMARK(BM_PaintScreenHorizontalAt300)->Unit(benchmark::kMillisecond);

// The whole document written as PDF, as Save as PDF writes it.
void BM_WritePdf(benchmark::State& state) {
  BenchDocument& doc = document();
  doc.prefs.verticalWriting = true;
  CanvasView canvas;
  canvas.resize(400, 760);
  canvas.setDocument(&doc.doc);
  canvas.setBufferManager(&doc.buffer);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("document.pdf"));
  for (auto _ : state) benchmark::DoNotOptimize(CanvasExport::saveAsPdf(canvas, path, QPageSize(QPageSize::A4)));
  state.counters["megabytes"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_WritePdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  bench::drawOffscreenByDefault();
  QApplication app(argc, argv);
  Resources::registerDefaults();
  return bench::runBenchmarks(argc, argv);
}
