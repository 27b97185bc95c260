#pragma once

#include <QAction>
#include <QPointF>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "document/Fsw.h"
#include "editor/canvas/CanvasView.h"

namespace quabe {

class DocumentEditor;

// The canvas of a document window with its editing behaviour: mouse clicks
// and drags place the cursor, select ranges of signs and select and move
// symbols of the current sign; keys run the editing commands; palette
// symbols and SWML files can be dropped on it. Every change to the document
// runs through the DocumentEditor as one undo step.
//
// Its keys are the actions of the command table that act on the canvas.
class EditingCanvas : public CanvasView {
  Q_OBJECT
 public:
  // Builds the sign of a dictionary entry (a Compound for compound entries).
  using SignLoader = std::function<SignPtr(qint64 signID)>;

  explicit EditingCanvas(QWidget* parent = nullptr);
  ~EditingCanvas() override;

  void setEditor(DocumentEditor* editor) { m_editor = editor; }
  // The actions whose keys act while the canvas has the keyboard focus (and
  // only then: typing in a text field never reaches them).
  void addKeyAction(QAction* action) { m_keyActions << action; }
  DocumentEditor* editor() const { return m_editor; }

  // The loader of dictionary signs (the window's dictionary; nothing is
  // loaded without one).
  void setSignLoader(SignLoader loader) { m_signLoader = std::move(loader); }
  const SignLoader& signLoader() const { return m_signLoader; }

  // The symbol of the current sign under a canvas point (the topmost one).
  ISWAPtr symbolAt(const QPointF& point) const;
  // The current sign's selected symbols (empty without a current sign).
  QList<ISWAPtr> selectedSymbolsOfCurrentSign() const;

  // --- symbol commands: act on the selected symbols of the current sign ---
  void rotateSelected(int angle);
  void flipSelected(bool vertical);
  void nextFill();
  void previousFill();
  void nextVariation();
  void cutSymbols();
  void copySymbols();
  void pasteSymbols();
  void duplicateSymbols();
  void mirrorSymbols();
  void deleteSymbols();
  void selectAllSymbols();
  void selectNextSymbol();
  void selectPreviousSymbol();
  void moveSymbolsForward();
  void moveSymbolsBackward();
  // Moves the selected symbols within the box limits; a run of moves of the
  // same symbols is one undo step.
  void moveSelectedSymbols(qreal dx, qreal dy);
  void clearSymbolSelection();
  // An arrow key: moves the selected symbols by step points in the
  // direction (dx, dy), else moves the cursor (a step of 10 extends the
  // range of selected signs).
  void arrowKey(int dx, int dy, int step);
  // Moves the cursor by one sign or line, selection or not.
  void stepCursor(int dx, int dy, int step = 1);
  // Moves the cursor to the first or last line, or the start or end of its line.
  void cursorToEdge(int dx, int dy);
  // Merges parallel arrows of the current sign.
  void integrateArrows();

  // --- sign commands ---
  // Copy and cut put the sign (or range) on the sign clipboard and, on the
  // system clipboard, the current sign's picture beside the signs as FSW
  // text (SWU with copySignAsSwu): signs apart by spaces, lines by line feeds.
  void cutSign();
  void copySign();
  void copySignAsSwu();
  // Pastes the sign clipboard, or the signs of an FSW or SWU text another
  // program put on the system clipboard (text without a sign is refused
  // with a message).
  void pasteSign();
  void insertEmptySign();
  void breakLine();
  // Backspace/Delete: cuts the sign when it is empty (or with Alt), else
  // deletes the selected symbols.
  void deleteKey(bool alternate);
  void centerAllSigns();
  // Replaces an ambiguous sign by its next candidate; true when it did.
  bool cycleAmbiguousSign();
  void setCommentOfCurrentSign(const QString& comment);
  // Gives the current sign a gloss and reading (one undo step). The sign gets
  // its own copy of its entry: the dictionary and other signs keep theirs.
  void setGlossOfCurrentSign(const QString& gloss, const QString& reading);
  // Puts the current sign in a lane (< 0 left, 0 middle, > 0 right) as one
  // undo step; vertical writing moves it there at once.
  void setLaneOfCurrentSign(int lane);
  // Puts a dictionary entry before the current sign; the cursor ends up after it.
  bool insertSignAtCursorPositionBySignID(qint64 signID);
  // Inserts signs in order at the cursor as one undo step named by the
  // localisation key (notation input); each is centred in its view line.
  bool insertSigns(const QList<SignPtr>& signs, const QString& undoTextKey);
  // Hands a copy of the current sign to the dictionary editor; an empty sign
  // gives an alert instead.
  void addSignToDB();

  // A palette drop: a symbol code in text form dropped at a canvas point.
  // False (nothing added) when the text is no symbol code of the archive.
  bool dropSymbolString(const QString& text, const QPointF& point);

 Q_SIGNALS:
  // Files dropped on the canvas, to be opened as documents.
  void filesDropped(const QStringList& paths);
  // A copy of the current sign for the dictionary entry editor.
  void addSignToDictionaryRequested(const SignPtr& sign);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Runs edit as one undo step, then lays out, redraws and notifies.
  // Copy or cut, with the text in the given form.
  void copySigns(bool cut, Fsw::Form form);
  bool edit(const QString& textKey, const std::function<void()>& change, const QString& mergeKey = QString());
  // An edit of the selected symbols of the current sign; nothing without a selection.
  bool symbolEdit(const QString& textKey, const std::function<void(Sign&)>& change);
  void changed();
  void dragSelectedSymbols(const QPointF& point);

  SignLoader m_signLoader;
  DocumentEditor* m_editor = nullptr;  // owned by the window
  QList<QPointer<QAction>> m_keyActions;
};

}  // namespace quabe
