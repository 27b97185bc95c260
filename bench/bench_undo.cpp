// Undo steps on a 10,000-sign document: what one edit costs to record, what
// undo and redo cost, and the full copy that the sharing of sign copies avoids.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "BenchDocument.h"
#include "BenchMain.h"
#include "core/Resources.h"
#include "document/Document.h"
#include "editor/interaction/BufferSnapshot.h"
#include "editor/interaction/DocumentEditor.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/layout/ViewLineManager.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

using bench::fillDocument;
using bench::SignCount;
using bench::SignsPerLine;

// A document on a canvas with its undo editor; the cursor on a sign in the middle.
struct Session {
  Session() {
    SymbolArchive::shared().loadImageArchive();
    document.prefs.autoCentering = false;
    document.prefs.rotatePuncs = false;
    document.prefs.verticalWriting = false;
    fillDocument(document.bufferManager);
    settings.verticalWriting = false;
    settings.autoCentering = false;
    settings.rotatePuncs = false;
    canvas.resize(1200, 800);
    canvas.setBufferManager(&document.bufferManager, &settings);
    editor = std::make_unique<DocumentEditor>(&document, &canvas, &settings);
    canvas.setEditor(editor.get());
    middle = document.bufferManager.editBuffer[SignCount / SignsPerLine / 2]->signArray[10];
    const ViewPosition place = canvas.viewLineMan()->position(middle.get());
    canvas.viewLineMan()->cursorLine = place.line;
    canvas.viewLineMan()->cursorOffset = place.index;
    editor->resetBaseline();
  }
  Document document;
  LayoutSettings settings;
  EditingCanvas canvas;
  std::unique_ptr<DocumentEditor> editor;
  SignPtr middle;
};

Session& session() {
  static Session s;
  return s;
}

// Recording one step that turns a symbol of one sign.
void BM_StepOneSymbolTurn(benchmark::State& state) {
  Session& s = session();
  int angle = 45;
  for (auto _ : state) {
    s.editor->perform(QStringLiteral("turn"), [&] {
      s.middle->symbols[0]->rotate(angle);
      s.middle->updateBounds();
    });
    angle = -angle;
  }
  state.counters["steps"] = double(s.document.undoStack().count());
  s.document.undoStack().clear();
  s.editor->resetBaseline();
}
BENCHMARK(BM_StepOneSymbolTurn)->Unit(benchmark::kMillisecond);

// Recording one step that inserts a sign (the structure of one line changes).
void BM_StepInsertSign(benchmark::State& state) {
  Session& s = session();
  for (auto _ : state) {
    s.editor->perform(QStringLiteral("insert"), [&] { s.canvas.viewLineMan()->insertSign(std::make_shared<Sign>()); });
    state.PauseTiming();
    s.document.undoStack().undo();
    state.ResumeTiming();
  }
  s.document.undoStack().clear();
  s.editor->resetBaseline();
}
BENCHMARK(BM_StepInsertSign)->Unit(benchmark::kMillisecond);

// Undo followed by redo of a one-sign step: two restores, each with a relayout.
void BM_UndoRedoOneSymbolTurn(benchmark::State& state) {
  Session& s = session();
  s.editor->perform(QStringLiteral("turn"), [&] {
    s.middle->symbols[0]->rotate(45);
    s.middle->updateBounds();
  });
  QUndoStack& stack = s.document.undoStack();
  for (auto _ : state) {
    stack.undo();
    stack.redo();
  }
  stack.undo();
  stack.clear();
  s.middle = s.canvas.viewLineMan()->currentSign();
  s.editor->resetBaseline();
}
BENCHMARK(BM_UndoRedoOneSymbolTurn)->Unit(benchmark::kMillisecond);

// A capture that shares every copy with the one before (no change).
void BM_CaptureUnchanged(benchmark::State& state) {
  Session& s = session();
  const BufferSnapshot base = BufferSnapshot::capture(s.document.bufferManager, nullptr);
  for (auto _ : state) benchmark::DoNotOptimize(BufferSnapshot::capture(s.document.bufferManager, &base));
}
BENCHMARK(BM_CaptureUnchanged)->Unit(benchmark::kMillisecond);

// The full deep copy of every sign (what every step would cost without sharing).
void BM_CaptureFullCopy(benchmark::State& state) {
  Session& s = session();
  for (auto _ : state) benchmark::DoNotOptimize(BufferSnapshot::capture(s.document.bufferManager, nullptr));
  state.counters["signs"] = double(BufferSnapshot::capture(s.document.bufferManager, nullptr).signCount());
}
BENCHMARK(BM_CaptureFullCopy)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::drawOffscreenByDefault();
  QApplication app(argc, argv);
  Resources::registerDefaults();
  return bench::runBenchmarks(argc, argv);
}
