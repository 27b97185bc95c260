#include "editor/interaction/DocumentEditor.h"

#include <QUndoCommand>

#include "document/Document.h"
#include "editor/canvas/CanvasView.h"
#include "editor/layout/ViewLineSettings.h"

namespace quabe {

namespace {

// Steps that may merge share this id; their keys decide.
constexpr int MergeableStepId = 0x5157;

// One undo step: the text before and after an edit.
class SnapshotStep : public QUndoCommand {
 public:
  SnapshotStep(DocumentEditor* editor, const QString& text, BufferSnapshot before, BufferSnapshot after,
               QString mergeKey)
      : QUndoCommand(text),
        m_editor(editor),
        m_before(std::move(before)),
        m_after(std::move(after)),
        m_mergeKey(std::move(mergeKey)) {}

  void undo() override { m_editor->restore(m_before); }
  void redo() override {
    // The edit has already happened when the step is pushed.
    if (m_firstRedo) {
      m_firstRedo = false;
      return;
    }
    m_editor->restore(m_after);
  }
  int id() const override { return m_mergeKey.isEmpty() ? -1 : MergeableStepId; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* step = dynamic_cast<const SnapshotStep*>(other);
    if (!step || step->m_editor != m_editor || step->m_mergeKey != m_mergeKey) return false;
    m_after = step->m_after;
    return true;
  }

 private:
  DocumentEditor* m_editor;
  BufferSnapshot m_before;
  BufferSnapshot m_after;
  QString m_mergeKey;
  bool m_firstRedo = true;
};

}  // namespace

DocumentEditor::DocumentEditor(Document* document, CanvasView* canvas, LayoutSettings* layoutSettings, QObject* parent)
    : QObject(parent), m_document(document), m_canvas(canvas), m_layoutSettings(layoutSettings) {
  m_baseline = capture(nullptr);
}

DocumentEditor::~DocumentEditor() = default;

QUndoStack& DocumentEditor::undoStack() { return m_document->undoStack(); }

DocumentLayoutFields DocumentEditor::layoutFields() const {
  const Preferences& prefs = m_document->prefs;
  return {prefs.defaultSignBoxWidth, prefs.defaultSignBoxHeight, prefs.lineSpace, prefs.minSignSpace,
          prefs.verticalWriting};
}

BufferSnapshot DocumentEditor::capture(const BufferSnapshot* previous, bool* changed) const {
  bool textChanged = false;
  BufferSnapshot snapshot = BufferSnapshot::capture(m_document->bufferManager, previous, &textChanged);
  snapshot.layout = layoutFields();
  if (changed) *changed = textChanged || !previous || previous->layout != snapshot.layout;

  const ViewLineManager* layout = m_canvas ? m_canvas->viewLineMan() : nullptr;
  if (!layout) return snapshot;
  const BufferManager& buffer = m_document->bufferManager;
  auto bufferPlace = [&](const SignPtr& sign) {
    if (!sign) return BufferPosition{};
    return buffer.position(sign.get()).value_or(BufferPosition{});
  };
  const SignPtr current = layout->currentSign();
  snapshot.cursor = bufferPlace(current);
  if (layout->hasRangeSelection()) {
    const ViewPosition a = ViewLineManager::unpack(layout->selectStart);
    const ViewPosition b = ViewLineManager::unpack(layout->selectEnd);
    snapshot.rangeStart = bufferPlace(layout->signAt(a.line, a.index));
    snapshot.rangeEnd = bufferPlace(layout->signAt(b.line, b.index));
  }
  // The selected symbols belong to the current sign or to a sign being edited.
  QList<SignPtr> owners;
  if (current) owners << current;
  const SymbolSelection& selection = m_canvas->selection();
  for (const std::weak_ptr<Sign>& weak : selection.editingSigns())
    if (const SignPtr sign = weak.lock(); sign && !owners.contains(sign)) owners << sign;
  for (const ISWAPtr& symbol : selection.symbols()) {
    for (const SignPtr& owner : owners) {
      const qsizetype at = owner->indexOfSymbol(symbol.get());
      if (at < 0) continue;
      const BufferPosition place = bufferPlace(owner);
      if (place.line >= 0) snapshot.selection.append({place, at});
      break;
    }
  }
  return snapshot;
}

void DocumentEditor::applyLayoutFields(const DocumentLayoutFields& fields) {
  Preferences& prefs = m_document->prefs;
  prefs.defaultSignBoxWidth = fields.signBoxWidth;
  prefs.defaultSignBoxHeight = fields.signBoxHeight;
  prefs.lineSpace = fields.lineSpace;
  prefs.minSignSpace = fields.minSignSpace;
  prefs.verticalWriting = fields.verticalWriting;
  if (!m_layoutSettings) return;
  m_layoutSettings->defaultSignBoxWidth = fields.signBoxWidth;
  m_layoutSettings->defaultSignBoxHeight = fields.signBoxHeight;
  m_layoutSettings->lineSpace = fields.lineSpace;
  m_layoutSettings->minSignSpace = fields.minSignSpace;
  m_layoutSettings->verticalWriting = fields.verticalWriting;
}

void DocumentEditor::restore(const BufferSnapshot& snapshot) {
  m_restoring = true;
  m_openDepth = 0;
  if (m_canvas) {
    m_canvas->selection().clear();
    m_canvas->selection().forgetEditing();
  }
  BufferManager& buffer = m_document->bufferManager;
  BufferSnapshot current = snapshot.restoreInto(buffer);

  const bool layoutChanged = layoutFields() != snapshot.layout;
  if (layoutChanged) applyLayoutFields(snapshot.layout);

  if (m_canvas && m_canvas->viewLineMan()) {
    if (layoutChanged && m_layoutSettings) {
      // A full relayout for the restored settings; the restored text already
      // has its punctuation turned and its signs placed.
      const bool rotate = m_layoutSettings->rotatePuncs;
      const bool center = m_layoutSettings->autoCentering;
      m_layoutSettings->rotatePuncs = false;
      m_layoutSettings->autoCentering = false;
      m_canvas->setWritingMode(snapshot.layout.verticalWriting);
      m_layoutSettings->rotatePuncs = rotate;
      m_layoutSettings->autoCentering = center;
    }
    ViewLineManager* layout = m_canvas->viewLineMan();
    layout->clearRangeSelection();
    layout->layout();
    auto signAt = [&](const BufferPosition& place) -> SignPtr {
      if (place.line < 0 || place.line >= buffer.lineCount()) return nullptr;
      const SignStringPtr line = buffer.editBuffer[place.line];
      return line ? line->at(place.index) : nullptr;
    };
    const ViewPosition cursor = layout->position(signAt(snapshot.cursor).get());
    if (cursor.isValid()) {
      layout->cursorLine = cursor.line;
      layout->cursorOffset = cursor.index;
    }
    const ViewPosition from = layout->position(signAt(snapshot.rangeStart).get());
    const ViewPosition to = layout->position(signAt(snapshot.rangeEnd).get());
    if (from.isValid() && to.isValid())
      layout->setRangeSelection(ViewLineManager::pack(from.line, from.index), ViewLineManager::pack(to.line, to.index));
    for (const auto& [place, index] : snapshot.selection) {
      const SignPtr sign = signAt(place);
      if (sign && index >= 0 && index < sign->symbols.size()) m_canvas->selection().add(sign->symbols[index]);
    }
    m_canvas->setContentExtent(layout->layout());
    m_canvas->update();
  }
  current.layout = snapshot.layout;
  m_baseline = std::move(current);
  m_restoring = false;
  Q_EMIT restored();
}

void DocumentEditor::pushStep(const QString& text, BufferSnapshot before, BufferSnapshot after,
                              const QString& mergeKey) {
  m_baseline = after;
  undoStack().push(new SnapshotStep(this, text, std::move(before), std::move(after), mergeKey));
}

bool DocumentEditor::perform(const QString& text, const std::function<void()>& edit, const QString& mergeKey) {
  if (m_openDepth > 0 || m_restoring) {
    edit();
    return true;
  }
  BufferSnapshot before = capture(&m_baseline);
  ++m_openDepth;
  edit();
  --m_openDepth;
  bool changed = false;
  BufferSnapshot after = capture(&before, &changed);
  if (!changed) {
    m_baseline = std::move(after);
    return false;
  }
  const QString key = mergeKey.isEmpty() ? QString() : mergeKey + QLatin1Char('#') + QString::number(m_run);
  pushStep(text, std::move(before), std::move(after), key);
  if (key.isEmpty()) breakMergeRun();
  return true;
}

void DocumentEditor::beginStep(const QString& text) {
  if (m_restoring) return;
  if (m_openDepth++ > 0) return;
  m_openText = text;
  m_openBefore = capture(&m_baseline);
}

bool DocumentEditor::endStep() {
  if (m_openDepth == 0) return false;
  if (--m_openDepth > 0) return false;
  bool changed = false;
  BufferSnapshot after = capture(&m_openBefore, &changed);
  breakMergeRun();
  if (!changed) {
    m_baseline = std::move(after);
    return false;
  }
  pushStep(m_openText, std::move(m_openBefore), std::move(after), QString());
  return true;
}

void DocumentEditor::resetBaseline() { m_baseline = capture(&m_baseline); }

}  // namespace quabe
