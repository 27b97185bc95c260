#include "CanvasEditTestSupport.h"
#include "editor/layout/ViewLineManager.h"

namespace quabe::test {
namespace {

using CanvasEditDropTest = EditorGuiTest;

// A palette drag dropped on the line-break sign fills it: the symbol lands
// at the pointer, is selected, a new line break follows and the NEWLINE gloss goes.
TEST_F(CanvasEditDropTest, PaletteSymbolDroppedIntoTheSignUnderThePointer) {
  for (const bool vertical : {false, true}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}, vertical));
    EditingCanvas* canvas = window->canvasView();
    ViewLineManager* man = canvas->viewLineMan();
    const SignPtr lineBreak = lineOf(window).last();
    lineBreak->jjs->gloss = QStringLiteral("NEWLINE");
    const QPointF at = man->signRect(0, 1).topLeft() + QPointF(20, 25);
    ASSERT_TRUE(dropOn(canvas, QStringLiteral("02-05-001-01-01-01"), at));

    ASSERT_EQ(lineBreak->symbols.size(), 1);
    const ISWAPtr dropped = lineBreak->symbols[0];
    EXPECT_TRUE(canvas->selection().contains(dropped.get()));
    EXPECT_TRUE(lineBreak->jjs->gloss.isEmpty());
    ASSERT_EQ(lineOf(window).size(), 3);
    EXPECT_TRUE(lineOf(window).last()->isEmpty());
    const QPointF placed = dropped->rect.translated(man->signOrigin(0, 1)).topLeft();
    EXPECT_NEAR(placed.x(), at.x(), 0.5);
    EXPECT_NEAR(placed.y(), at.y(), 0.5);
    EXPECT_EQ(window->document()->undoStack().count(), 1);

    // A second symbol joins the same sign.
    ASSERT_TRUE(dropOn(canvas, QStringLiteral("02-05-001-01-01-01"), man->signRect(0, 1).topLeft() + QPointF(5, 5)));
    EXPECT_EQ(lineBreak->symbols.size(), 2);
    EXPECT_EQ(lineOf(window).size(), 3);
  }
}

// Texts that are no symbol code of the archive add nothing.
TEST_F(CanvasEditDropTest, InvalidStringsAddNothing) {
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}));
  const QByteArray before = window->document()->swmlData();
  const QPointF at = window->canvasView()->viewLineMan()->signRect(0, 1).center();
  for (const char* text : {"hello", "", "01-01-001-01-01", "99-99-999-99-99-99", "01-01-001-01-01-01-01x"})
    dropOn(window->canvasView(), QString::fromLatin1(text), at);
  EXPECT_EQ(window->document()->swmlData(), before);
  EXPECT_EQ(window->document()->undoStack().count(), 0);
}

// Symbols and signs copied in one document paste into another.
TEST_F(CanvasEditDropTest, ClipboardsWorkAcrossDocuments) {
  WindowController* source = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}));
  WindowController* target = openWindow(makeDocument({{makeSign({{"04-01-001-01-01-01", 40, 30}})}}));
  EditingCanvas* from = source->canvasView();
  showActive(source);
  clickSign(from, 0, 0);
  const ISWAPtr hand = lineOf(source)[0]->symbols[0];
  click(from, centreOf(from, hand));
  key(from, Qt::Key_C, Qt::ControlModifier);
  key(from, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);

  showActive(target);
  EditingCanvas* to = target->canvasView();
  clickSign(to, 0, 0);
  key(to, Qt::Key_V, Qt::ControlModifier);
  const SignPtr head = lineOf(target)[0];
  ASSERT_EQ(head->symbols.size(), 2);
  EXPECT_EQ(head->symbols[1]->sss(), hand->sss());
  EXPECT_NE(head->symbols[1], hand) << "pasting makes copies";
  key(to, Qt::Key_Y);
  ASSERT_EQ(lineOf(target).size(), 3);
  EXPECT_EQ(lineOf(target)[0]->symbols[0]->sss(), hand->sss());
  EXPECT_EQ(to->viewLineMan()->currentSign(), head) << "the cursor stays on the sign after the pasted one";
}

}  // namespace
}  // namespace quabe::test
