#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "CanvasEditTestSupport.h"
#include "editor/interaction/BufferSnapshot.h"
#include "editor/layout/ViewLineManager.h"
#include "editor/window/TextInputPanel.h"

namespace quabe::test {
namespace {

class UndoTest : public EditorGuiTest {
 protected:
  // Two lines: a sign with a hand and an arrow, a head, a comma; then an
  // ambiguous sign whose candidates the injected loader supplies.
  std::unique_ptr<Document> sessionDocument() {
    SignPtr ambiguous = makeSign({{"01-05-001-01-01-01", 40, 40}}, QStringLiteral("A"));
    ambiguous->jjs->signID = 11;
    ambiguous->jjs->isAmbiguous = true;
    ambiguous->jjs->candidates = {12, 13};
    auto document = makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}, {"02-03-001-01-01-01", 60, 90}}),
                                   makeSign({{"04-01-001-01-01-01", 40, 30}}, QStringLiteral("HEAD")),
                                   makeSign({{"07-01-001-01-01-01", 10, 10}})},
                                  {ambiguous}});
    document->prefs.rotatePuncs = true;
    return document;
  }

  static void installLoader(EditingCanvas* canvas) {
    canvas->setSignLoader([](qint64 id) -> SignPtr {
      const char* codes[] = {"01-02-001-01-01-01", "01-03-001-01-01-01", "01-04-001-01-01-01"};
      SignPtr sign = makeSign({{codes[id % 3], 35, 45}}, QStringLiteral("G%1").arg(id));
      sign->jjs->signID = id;
      return sign;
    });
  }

  static QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  static SignPtr current(EditingCanvas* canvas) { return canvas->viewLineMan()->currentSign(); }
};

// A scripted session of mixed edits through real events, saved; undoing every
// step gives back the saved original byte for byte, redoing gives the edited file.
TEST_F(UndoTest, MixedSessionUndoesToTheOriginalAndRedoesToTheEdit) {
  WindowController* window = openWindow(sessionDocument());
  EditingCanvas* canvas = window->canvasView();
  installLoader(canvas);
  Document* document = window->document();
  ASSERT_TRUE(window->saveToPath(path("original.swml")));
  const QByteArray original = fileBytes(path("original.swml"));
  ASSERT_FALSE(original.isEmpty());
  QUndoStack& stack = document->undoStack();
  ASSERT_EQ(stack.count(), 0);

  // Select the hand of the first sign and edit it.
  clickSign(canvas, 0, 0);
  SignPtr first = current(canvas);
  ISWAPtr hand = first->symbols[0];
  click(canvas, centreOf(canvas, hand));
  ASSERT_TRUE(canvas->selection().contains(hand.get()));
  key(canvas, Qt::Key_R);
  key(canvas, Qt::Key_H);
  key(canvas, Qt::Key_F);
  EXPECT_EQ(stack.count(), 3);
  for (int i = 0; i < 3; ++i) key(canvas, Qt::Key_Right);
  key(canvas, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(stack.count(), 4) << "one run of arrow moves is one step";
  drag(canvas, centreOf(canvas, hand), centreOf(canvas, hand) + QPointF(12, 6));
  EXPECT_EQ(stack.count(), 5) << "one drag is one step";
  key(canvas, Qt::Key_D);
  key(canvas, Qt::Key_M);
  key(canvas, Qt::Key_Backspace);
  EXPECT_EQ(stack.count(), 8);

  // Symbols copied from the first sign, pasted into the head sign.
  key(canvas, Qt::Key_A);
  key(canvas, Qt::Key_C, Qt::ControlModifier);
  clickSign(canvas, 0, 1);
  key(canvas, Qt::Key_V, Qt::ControlModifier);
  key(canvas, Qt::Key_X);
  EXPECT_EQ(stack.count(), 10);

  // Signs: cut the head, paste it back twice, insert an empty sign, break the line.
  key(canvas, Qt::Key_W, Qt::MetaModifier);
  key(canvas, Qt::Key_Y);
  key(canvas, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  key(canvas, Qt::Key_E, Qt::ControlModifier);
  key(canvas, Qt::Key_Return);
  EXPECT_EQ(stack.count(), 15);

  // A comment through the panel.
  whenModal([](QWidget* modal) {
    auto* panel = qobject_cast<TextInputPanel*>(modal);
    ASSERT_NE(panel, nullptr);
    panel->textField()->setText(QStringLiteral("a comment"));
    panel->okButton()->click();
  });
  key(canvas, Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(current(canvas)->comment, QStringLiteral("a comment"));

  // The writing direction (which turns the comma), a dropped symbol, a
  // dictionary sign and the next candidate of the ambiguous sign.
  window->changeWritingDirection(true);
  EXPECT_TRUE(document->prefs.verticalWriting);
  clickSign(canvas, 0, 0);
  ASSERT_TRUE(
      canvas->dropSymbolString(QStringLiteral("02-05-001-01-01-01"), canvas->viewLineMan()->signRect(0, 0).center()));
  ASSERT_TRUE(canvas->insertSignAtCursorPositionBySignID(14));
  const ViewPosition ambiguous =
      canvas->viewLineMan()->position(document->bufferManager.editBuffer.last()->signArray.first().get());
  ASSERT_TRUE(ambiguous.isValid());
  clickSign(canvas, ambiguous.line, ambiguous.index);
  key(canvas, Qt::Key_Space);
  EXPECT_EQ(current(canvas)->jjs->signID, 12);
  const int steps = stack.count();
  EXPECT_EQ(steps, 20);

  ASSERT_TRUE(window->saveToPath(path("edited.swml")));
  const QByteArray edited = fileBytes(path("edited.swml"));
  ASSERT_NE(edited, original);
  EXPECT_FALSE(document->isModified());

  for (int i = 0; i < steps; ++i) stack.undo();
  EXPECT_EQ(document->swmlData(), original);
  EXPECT_FALSE(document->prefs.verticalWriting);
  EXPECT_FALSE(canvas->viewLineMan()->isVertical());
  EXPECT_TRUE(document->isModified());

  for (int i = 0; i < steps; ++i) stack.redo();
  EXPECT_EQ(document->swmlData(), edited);
  EXPECT_TRUE(canvas->viewLineMan()->isVertical());
  EXPECT_FALSE(document->isModified());
}

// Undo puts back the cursor and the selection of the moment before the step.
TEST_F(UndoTest, UndoRestoresCursorAndSelection) {
  WindowController* window =
      openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}, {"02-03-001-01-01-01", 60, 90}}),
                                makeSign({{"04-01-001-01-01-01", 40, 30}})}}));
  EditingCanvas* canvas = window->canvasView();
  clickSign(canvas, 0, 0);
  const ISWAPtr arrow = current(canvas)->symbols[1];
  click(canvas, centreOf(canvas, arrow));
  const SymbolCode before = arrow->sss();
  key(canvas, Qt::Key_R);
  ASSERT_NE(arrow->sss(), before);
  // The cursor moves on before the undo.
  clickSign(canvas, 0, 1);
  ASSERT_EQ(canvas->viewLineMan()->cursorOffset, 1);

  window->action(QStringLiteral("undo"))->trigger();
  EXPECT_EQ(canvas->viewLineMan()->cursorOffset, 0);
  const SignPtr restored = current(canvas);
  EXPECT_EQ(restored->symbols[1]->sss(), before);
  const QList<ISWAPtr>& selection = canvas->selection().symbols();
  ASSERT_EQ(selection.size(), 1);
  EXPECT_EQ(selection[0], restored->symbols[1]);

  window->action(QStringLiteral("redo"))->trigger();
  EXPECT_NE(current(canvas)->symbols[1]->sss(), before);
}

// Separate runs of arrow moves are separate steps: a click ends a run.
TEST_F(UndoTest, ArrowRunsEndAtOtherInput) {
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}));
  EditingCanvas* canvas = window->canvasView();
  clickSign(canvas, 0, 0);
  const ISWAPtr hand = current(canvas)->symbols[0];
  click(canvas, centreOf(canvas, hand));
  const QPointF start = hand->rect.topLeft();
  key(canvas, Qt::Key_Right);
  key(canvas, Qt::Key_Right);
  click(canvas, centreOf(canvas, hand));
  key(canvas, Qt::Key_Down, Qt::ShiftModifier);
  QUndoStack& stack = window->document()->undoStack();
  ASSERT_EQ(stack.count(), 2);
  stack.undo();
  EXPECT_EQ(current(canvas)->symbols[0]->rect.topLeft(), start + QPointF(2, 0));
  stack.undo();
  EXPECT_EQ(current(canvas)->symbols[0]->rect.topLeft(), start);
}

}  // namespace
}  // namespace quabe::test
