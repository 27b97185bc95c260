#include "CanvasEditTestSupport.h"
#include "editor/layout/ViewLineManager.h"

namespace quabe::test {
namespace {

using UndoTest = EditorGuiTest;

SignPtr current(EditingCanvas* canvas) { return canvas->viewLineMan()->currentSign(); }

// A scripted session of mixed edits through real events, saved; undoing every
// step gives back the saved original byte for byte, redoing gives the edited file.
TEST_F(UndoTest, MixedSessionUndoesToTheOriginalAndRedoesToTheEdit) {
  // Two lines: a sign with a hand and an arrow, a head, a comma; then an
  // ambiguous sign whose candidates the injected loader supplies.
  SignPtr choices = makeSign({{"01-05-001-01-01-01", 40, 40}}, QStringLiteral("A"));
  choices->jjs->signID = 11;
  choices->jjs->isAmbiguous = true;
  choices->jjs->candidates = {12, 13};
  auto made = makeDocument(
      {{makeSign({{"01-01-001-01-01-01", 30, 40}, {"02-03-001-01-01-01", 60, 90}}),
        makeSign({{"04-01-001-01-01-01", 40, 30}}, QStringLiteral("HEAD")), makeSign({{"07-01-001-01-01-01", 10, 10}})},
       {choices}});
  made->prefs.rotatePuncs = true;
  WindowController* window = openWindow(std::move(made));
  EditingCanvas* canvas = window->canvasView();
  canvas->setSignLoader(candidateSign);
  Document* document = window->document();
  ASSERT_TRUE(window->saveToPath(path("original.swml")));
  const QByteArray original = fileBytes(path("original.swml"));
  QUndoStack& stack = document->undoStack();

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
  click(canvas, centreOf(canvas, hand));
  key(canvas, Qt::Key_Left);
  EXPECT_EQ(stack.count(), 5) << "a click ends the run";
  drag(canvas, centreOf(canvas, hand), centreOf(canvas, hand) + QPointF(12, 6));
  EXPECT_EQ(stack.count(), 6) << "one drag is one step";
  key(canvas, Qt::Key_D);
  key(canvas, Qt::Key_M);
  key(canvas, Qt::Key_Backspace);
  EXPECT_EQ(stack.count(), 9);

  // Symbols copied from the first sign, pasted into the head sign.
  key(canvas, Qt::Key_A);
  key(canvas, Qt::Key_C, Qt::ControlModifier);
  clickSign(canvas, 0, 1);
  key(canvas, Qt::Key_V, Qt::ControlModifier);
  key(canvas, Qt::Key_X);
  EXPECT_EQ(stack.count(), 11);

  // Signs: cut the head, paste it back twice, insert an empty sign, break the line.
  key(canvas, Qt::Key_W, Qt::MetaModifier);
  key(canvas, Qt::Key_Y);
  key(canvas, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  key(canvas, Qt::Key_E, Qt::ControlModifier);
  key(canvas, Qt::Key_Return);
  EXPECT_EQ(stack.count(), 16);

  // A comment through the panel.
  answerTextPanel(QStringLiteral("a comment"));
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
  EXPECT_EQ(steps, 21);

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
}

}  // namespace
}  // namespace quabe::test
