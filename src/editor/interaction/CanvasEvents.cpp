// Mouse, keyboard and drop handling of the editing canvas.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "core/Localization.h"
#include "editor/interaction/DocumentEditor.h"
#include "editor/interaction/EditingCanvas.h"

namespace quabe {

// --- mouse ---

void EditingCanvas::mousePressEvent(QMouseEvent* event) {
  ViewLineManager* layout = viewLineMan();
  if (!layout || event->button() != Qt::LeftButton) {
    CanvasView::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const QPointF p = toCanvas(event->position());
  if (m_editor) m_editor->breakMergeRun();
  mouseDown = true;
  layout->placeCursor(p);
  lastMousePoint = p;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool alt = event->modifiers() & Qt::AltModifier;
  const ISWAPtr hit = symbolAt(p);
  if (!hit) {
    selection().clear();
    symbolDragging = false;
    const qint64 clicked = ViewLineManager::pack(layout->cursorLine, layout->cursorOffset);
    if (cellSelecting && shift && selectedCellIndex >= 0) {
      layout->setRangeSelection(selectedCellIndex, clicked);
    } else {
      cellSelecting = true;
      layout->clearRangeSelection();
      selectedCellIndex = clicked;
    }
    refreshLayout();
  } else {
    cellSelecting = false;
    symbolDragging = true;
    const SignPtr sign = layout->currentSign();
    if (!alt && !shift) {
      if (!selection().contains(hit.get())) {
        selection().clear();
        sign->selectSymbol(selection(), hit);
      }
    } else if (shift && !alt) {
      sign->toggleSymbolSelection(selection(), hit);
    }
    // Everything until the button is released is one step.
    if (m_editor) m_editor->beginStep(loc("UndoMoveSymbols"));
  }
  mouseDragged = false;
  update();
}

void EditingCanvas::dragSelectedSymbols(const QPointF& point) {
  ViewLineManager* layout = viewLineMan();
  const SignPtr sign = layout ? layout->currentSign() : nullptr;
  if (!sign) return;
  mouseDragged = true;
  sign->moveSelected(selection(), point.x() - lastMousePoint.x(), point.y() - lastMousePoint.y(),
                     layout->maxSignWidth(), layout->maxSignHeight());
  lastMousePoint = point;
  changed();
}

void EditingCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = toCanvas(event->position());
  if (WindowControllerDelegate* delegate = windowControllerDelegate()) delegate->showMousePosition(p.x(), p.y());
  ViewLineManager* layout = viewLineMan();
  if (!layout || !mouseDown || !(event->buttons() & Qt::LeftButton)) return;
  if (symbolDragging) {
    dragSelectedSymbols(p);
  } else if (cellSelecting) {
    layout->placeCursor(p);
    layout->setRangeSelection(selectedCellIndex, ViewLineManager::pack(layout->cursorLine, layout->cursorOffset));
  }
  update();
}

void EditingCanvas::mouseReleaseEvent(QMouseEvent* event) {
  ViewLineManager* layout = viewLineMan();
  if (!layout || event->button() != Qt::LeftButton || !mouseDown) {
    CanvasView::mouseReleaseEvent(event);
    return;
  }
  mouseDown = false;
  const QPointF p = toCanvas(event->position());
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool alt = event->modifiers() & Qt::AltModifier;
  if (symbolDragging) {
    symbolDragging = false;
    // A drag ends where the symbols went; the cursor stays on their sign.
    if (!mouseDragged) layout->placeCursor(p);
    if (const ISWAPtr hit = symbolAt(p)) {
      cellSelecting = false;
      // A plain click inside a multi-symbol selection narrows it to the clicked symbol.
      if (!alt && !shift && !mouseDragged) {
        selection().clear();
        selection().add(hit);
      }
    }
    layout->clearRangeSelection();
    refreshLayout();
    if (m_editor) m_editor->endStep();
  } else {
    layout->placeCursor(p);
    if (cellSelecting && layout->hasRangeSelection())
      layout->setRangeSelection(selectedCellIndex, ViewLineManager::pack(layout->cursorLine, layout->cursorOffset));
  }
  mouseDragged = false;
  update();
}

void EditingCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  ViewLineManager* layout = viewLineMan();
  if (!layout || event->button() != Qt::LeftButton) {
    CanvasView::mouseDoubleClickEvent(event);
    return;
  }
  // A double click on a sign's gloss edits it; elsewhere it is a click.
  const QPointF p = toCanvas(event->position());
  for (qint64 line = 0; line < layout->viewLines.size(); ++line) {
    const qint64 count = layout->signs(line).size();
    for (qint64 index = 0; index < count; ++index) {
      if (!layout->glossRect(line, index).contains(p)) continue;
      layout->cursorLine = line;
      layout->cursorOffset = index;
      update();
      if (WindowControllerDelegate* delegate = windowControllerDelegate()) delegate->runGlossPanel();
      return;
    }
  }
  mousePressEvent(event);
}

// --- keys ---

void EditingCanvas::keyPressEvent(QKeyEvent* event) {
  const QKeySequence pressed(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key())));
  for (const QPointer<QAction>& action : m_keyActions) {
    if (action && action->isEnabled() && action->shortcuts().contains(pressed)) {
      action->trigger();
      event->accept();
      return;
    }
  }
  CanvasView::keyPressEvent(event);
}

void EditingCanvas::arrowKey(int dx, int dy, int step) {
  ViewLineManager* layout = viewLineMan();
  if (!layout) return;
  if (!selectedSymbolsOfCurrentSign().isEmpty()) {
    moveSelectedSymbols(dx * step, dy * step);
    return;
  }
  stepCursor(dx, dy, step);
}

void EditingCanvas::stepCursor(int dx, int dy, int step) {
  ViewLineManager* layout = viewLineMan();
  if (!layout) return;
  if (dx < 0) layout->cursorLeft(step);
  if (dx > 0) layout->cursorRight(step);
  if (dy < 0) layout->cursorUp(step);
  if (dy > 0) layout->cursorDown(step);
  scrollCursorIntoView();
  update();
}

void EditingCanvas::cursorToEdge(int dx, int dy) {
  ViewLineManager* layout = viewLineMan();
  if (!layout) return;
  if (dx < 0) layout->cursorFarLeft();
  if (dx > 0) layout->cursorFarRight();
  if (dy < 0) layout->cursorFarUp();
  if (dy > 0) layout->cursorFarDown();
  scrollCursorIntoView();
  update();
}

// --- drag and drop ---

void EditingCanvas::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data && (data->hasText() || data->hasUrls())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void EditingCanvas::dragMoveEvent(QDragMoveEvent* event) {
  const QPointF p = toCanvas(event->position());
  if (WindowControllerDelegate* delegate = windowControllerDelegate()) delegate->showMousePosition(p.x(), p.y());
  const QMimeData* data = event->mimeData();
  if (data && (data->hasText() || data->hasUrls())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void EditingCanvas::dropEvent(QDropEvent* event) {
  const QMimeData* data = event->mimeData();
  if (!data) return;
  if (data->hasUrls()) {
    QStringList paths;
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty()) return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Q_EMIT filesDropped(paths);
    return;
  }
  if (data->hasText()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The dropped symbol is the one the next keys act on: the canvas takes
    // the focus from the palette the drag started in.
    if (dropSymbolString(data->text(), toCanvas(event->position()))) {
      activateWindow();
      setFocus(Qt::OtherFocusReason);
    }
  }
}

}  // namespace quabe
