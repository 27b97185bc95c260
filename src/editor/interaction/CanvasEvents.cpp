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

namespace {

constexpr Qt::KeyboardModifiers RelevantModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool isArrow(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

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

// --- keys ---

bool EditingCanvas::event(QEvent* event) {
  // Keys of the key table reach keyPressEvent even when a menu item shows
  // the same key as its shortcut.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (handlesKey(key->key(), key->modifiers())) {
      event->accept();
      return true;
    }
  }
  return CanvasView::event(event);
}

void EditingCanvas::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & RelevantModifiers;
  if (runKey(event->key(), modifiers)) {
    event->accept();
    update();
    return;
  }
  CanvasView::keyPressEvent(event);
}

bool EditingCanvas::handlesKey(int key, Qt::KeyboardModifiers modifiers) const {
  modifiers &= RelevantModifiers;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool command = modifiers & Qt::ControlModifier;
  const bool option = modifiers & Qt::AltModifier;
  const bool control = modifiers & Qt::MetaModifier;
  const bool none = modifiers == Qt::NoModifier;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_D:
    case Qt::Key_H:
    case Qt::Key_Y:
    case Qt::Key_M:
      return true;
    case Qt::Key_Space:
      return option || shift || none;
    case Qt::Key_A:
      return control || option || none;
    case Qt::Key_S:
      return none || modifiers == Qt::ShiftModifier;
    case Qt::Key_F:
      return control || none || modifiers == Qt::ShiftModifier;
    case Qt::Key_V:
      return true;
    case Qt::Key_X:
      return !shift;
    case Qt::Key_C:
      return control || command;
    case Qt::Key_B:
    case Qt::Key_W:
    case Qt::Key_P:
      return control;
    case Qt::Key_E:
      return control || command;
    case Qt::Key_R:
      return control || none;
    case Qt::Key_T:
      return command;
    case Qt::Key_N:
      return control || none;
    case Qt::Key_L:
      return option || none;
    case Qt::Key_Escape:
      return none;
    default:
      return false;
  }
}

bool EditingCanvas::runKey(int key, Qt::KeyboardModifiers modifiers) {
  ViewLineManager* layout = viewLineMan();
  if (!layout || !handlesKey(key, modifiers)) return false;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool command = modifiers & Qt::ControlModifier;
  const bool option = modifiers & Qt::AltModifier;
  const bool control = modifiers & Qt::MetaModifier;
  const bool none = modifiers == Qt::NoModifier;
  const int step = keyStep(modifiers);
  // Only a run of arrow-key moves of symbols merges into one undo step.
  if (m_editor && !isArrow(key)) m_editor->breakMergeRun();
  auto cursorMoved = [this] {
    scrollCursorIntoView();
    update();
  };

  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      breakLine();
      break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      deleteKey(option);
      break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      if (command) {
        if (key == Qt::Key_Left) layout->cursorFarLeft();
        if (key == Qt::Key_Right) layout->cursorFarRight();
        if (key == Qt::Key_Up) layout->cursorFarUp();
        if (key == Qt::Key_Down) layout->cursorFarDown();
        cursorMoved();
        break;
      }
      if (!selectedSymbolsOfCurrentSign().isEmpty()) {
        const qreal dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
        const qreal dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
        moveSelectedSymbols(dx, dy);
        break;
      }
      if (key == Qt::Key_Left) layout->cursorLeft(step);
      if (key == Qt::Key_Right) layout->cursorRight(step);
      if (key == Qt::Key_Up) layout->cursorUp(step);
      if (key == Qt::Key_Down) layout->cursorDown(step);
      cursorMoved();
      break;
    }
    case Qt::Key_Space:
      if (option) {
        if (WindowControllerDelegate* delegate = windowControllerDelegate()) delegate->runConversionPanel();
      } else if (shift) {
        if (WindowControllerDelegate* delegate = windowControllerDelegate()) delegate->runCommentPanel();
      } else {
        cycleAmbiguousSign();
      }
      break;
    case Qt::Key_A:
      if (control) {
        layout->cursorFarLeft();
        cursorMoved();
      } else if (option) {
        addSignToDB();
      } else {
        selectAllSymbols();
      }
      break;
    case Qt::Key_S:
      if (shift)
        selectPreviousSymbol();
      else
        selectNextSymbol();
      break;
    case Qt::Key_D:
      duplicateSymbols();
      break;
    case Qt::Key_F:
      if (control) {
        layout->cursorRight(1);
        cursorMoved();
      } else if (shift) {
        previousFill();
      } else {
        nextFill();
      }
      break;
    case Qt::Key_H:
      flipSelected(false);
      break;
    case Qt::Key_V:
      if (!control && !command)
        flipSelected(true);
      else if (shift)
        pasteSign();
      else
        pasteSymbols();
      break;
    case Qt::Key_X:
      cutSymbols();
      break;
    case Qt::Key_C:
      if (shift)
        copySign();
      else
        copySymbols();
      break;
    case Qt::Key_B:
      layout->cursorLeft(1);
      cursorMoved();
      break;
    case Qt::Key_W:
      cutSign();
      break;
    case Qt::Key_E:
      if (command) {
        insertEmptySign();
      } else {
        layout->cursorFarRight();
        cursorMoved();
      }
      break;
    case Qt::Key_R:
      if (control)
        copySign();
      else
        rotateSelected(45);
      break;
    case Qt::Key_Y:
      pasteSign();
      break;
    case Qt::Key_T:
      addSignToDB();
      break;
    case Qt::Key_P:
      layout->cursorUp(1);
      cursorMoved();
      break;
    case Qt::Key_N:
      if (control) {
        layout->cursorDown(1);
        cursorMoved();
      } else {
        nextVariation();
      }
      break;
    case Qt::Key_L:
      if (option) {
        if (WindowControllerDelegate* delegate = windowControllerDelegate()) delegate->openSignList();
      } else {
        rotateSelected(-45);
      }
      break;
    case Qt::Key_M:
      mirrorSymbols();
      break;
    case Qt::Key_Escape:
      clearSymbolSelection();
      break;
    default:
      return false;
  }
  Q_UNUSED(none);
  return true;
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
    dropSymbolString(data->text(), toCanvas(event->position()));
  }
}

}  // namespace quabe
