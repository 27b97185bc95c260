#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "editor/interaction/BufferSnapshot.h"

namespace quabe {

class CanvasView;
class Document;
struct LayoutSettings;

// Turns edits of a document into undo steps. Every change to the text goes
// through perform() (or an open step for mouse drags): the editor captures
// the text before and after, and pushes one command on the document's undo
// stack that puts either state back, with the cursor and the selection of
// that moment. Steps that change nothing push nothing. The document's
// modified flag follows the stack's clean state.
//
// Consecutive steps with the same merge key (a run of arrow-key moves of the
// same symbols) become one step until breakMergeRun() is called.
class DocumentEditor : public QObject {
  Q_OBJECT
 public:
  // The canvas may be null (no cursor or selection is then recorded). The
  // layout settings are the canvas's copy of the document's preferences;
  // restoring a step that changed sign box, spacing or direction updates both.
  DocumentEditor(Document* document, CanvasView* canvas, LayoutSettings* layoutSettings, QObject* parent = nullptr);
  ~DocumentEditor() override;

  Document* document() const { return m_document; }
  CanvasView* canvas() const { return m_canvas; }
  QUndoStack& undoStack();

  // Runs edit as one undo step named text. True when the edit changed the
  // document (a step was pushed or merged). Called while a step is already
  // open, the edit simply becomes part of that step.
  bool perform(const QString& text, const std::function<void()>& edit, const QString& mergeKey = QString());

  // An open step: everything between begin and end becomes one step (a
  // symbol drag). end pushes it when the text changed.
  void beginStep(const QString& text);
  bool endStep();
  bool isStepOpen() const { return m_openDepth > 0; }

  // Ends the current run of mergeable steps.
  void breakMergeRun() { ++m_run; }

  // Takes the current text as the base of the next step (after loading or a
  // relayout that moved symbols). Cheap when nothing changed.
  void resetBaseline();

  // Captures the document now (text, layout fields, cursor, selection).
  BufferSnapshot capture(const BufferSnapshot* previous, bool* changed = nullptr) const;
  // Puts a captured state back and redraws.
  void restore(const BufferSnapshot& snapshot);
  // The state the last step or restore left (the base of the next step).
  const BufferSnapshot& baseline() const { return m_baseline; }

  // While true, restore() is running (edits must not start steps).
  bool isRestoring() const { return m_restoring; }

 Q_SIGNALS:
  // After undo or redo put a state back.
  void restored();

 private:
  void pushStep(const QString& text, BufferSnapshot before, BufferSnapshot after, const QString& mergeKey);
  DocumentLayoutFields layoutFields() const;
  void applyLayoutFields(const DocumentLayoutFields& fields);

  Document* m_document;
  QPointer<CanvasView> m_canvas;
  LayoutSettings* m_layoutSettings;
  BufferSnapshot m_baseline;
  // The open step.
  int m_openDepth = 0;
  QString m_openText;
  BufferSnapshot m_openBefore;
  bool m_restoring = false;
  int m_run = 0;
};

}  // namespace quabe
