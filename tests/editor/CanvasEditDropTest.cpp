#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>

#include "CanvasEditTestSupport.h"
#include "editor/SymbolClipboardAdapter.h"
#include "editor/layout/ViewLineManager.h"
#include "editor/palette/PaletteView.h"

namespace quabe::test {
namespace {

class CanvasEditDropTest : public EditorGuiTest {
 protected:
  // Drops mime data at a canvas point through drag-enter and drop events;
  // returns whether the canvas accepted the drag.
  static bool dropOn(EditingCanvas* canvas, QMimeData* data, QPointF at) {
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &drop);
    return true;
  }
};

// A palette drag dropped on the line-break sign fills it: the symbol lands
// at the pointer, is selected, a new line break follows and the NEWLINE gloss goes.
TEST_F(CanvasEditDropTest, PaletteSymbolDroppedIntoTheSignUnderThePointer) {
  for (const bool vertical : {false, true}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    Clipboards::shared().reset();
    WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}, vertical));
    EditingCanvas* canvas = window->canvasView();
    ViewLineManager* man = canvas->viewLineMan();
    BufferManager& buffer = window->document()->bufferManager;
    const SignPtr lineBreak = buffer.editBuffer[0]->signArray.last();
    lineBreak->jjs->gloss = QStringLiteral("NEWLINE");
    const QRectF cell = man->signRect(0, 1);
    const QPointF at = cell.topLeft() + QPointF(20, 25);

    std::unique_ptr<QMimeData> data(PaletteView::makeMimeData(SSS::fromString(QStringLiteral("02-05-001-01-01-01"))));
    ASSERT_TRUE(dropOn(canvas, data.get(), at));

    ASSERT_EQ(lineBreak->symbols.size(), 1);
    const ISWAPtr dropped = lineBreak->symbols[0];
    EXPECT_TRUE(canvas->selection().contains(dropped.get()));
    EXPECT_TRUE(lineBreak->jjs->gloss.isEmpty());
    ASSERT_EQ(buffer.editBuffer[0]->signArray.size(), 3);
    EXPECT_TRUE(buffer.editBuffer[0]->signArray.last()->isEmpty());
    // The symbol's top-left corner is where the pointer was.
    const QPointF placed = dropped->rect.translated(man->signOrigin(0, 1)).topLeft();
    EXPECT_NEAR(placed.x(), at.x(), 0.5);
    EXPECT_NEAR(placed.y(), at.y(), 0.5);
    EXPECT_EQ(window->document()->undoStack().count(), 1);

    // A second symbol joins the same sign.
    ASSERT_TRUE(dropOn(canvas, data.get(), man->signRect(0, 1).topLeft() + QPointF(5, 5)));
    EXPECT_EQ(lineBreak->symbols.size(), 2);
    EXPECT_EQ(buffer.editBuffer[0]->signArray.size(), 3);
    window->document()->setModified(false);
    window->close();
  }
}

// Texts that are no symbol code of the archive add nothing.
TEST_F(CanvasEditDropTest, InvalidStringsAddNothing) {
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}));
  EditingCanvas* canvas = window->canvasView();
  const QByteArray before = window->document()->swmlData();
  const QPointF at = canvas->viewLineMan()->signRect(0, 1).center();
  for (const char* text : {"hello", "", "01-01-001-01-01", "99-99-999-99-99-99", "01-01-001-01-01-01-01x"}) {
    SCOPED_TRACE(text);
    QMimeData data;
    data.setText(QString::fromLatin1(text));
    dropOn(canvas, &data, at);
    EXPECT_EQ(window->document()->swmlData(), before);
  }
  EXPECT_EQ(window->document()->undoStack().count(), 0);
}

// Symbols and signs copied in one document paste into another.
TEST_F(CanvasEditDropTest, ClipboardsWorkAcrossDocuments) {
  WindowController* source = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}));
  WindowController* target = openWindow(makeDocument({{makeSign({{"04-01-001-01-01-01", 40, 30}})}}));
  EditingCanvas* from = source->canvasView();
  showActive(source);
  clickSign(from, 0, 0);
  const ISWAPtr hand = from->viewLineMan()->currentSign()->symbols[0];
  click(from, centreOf(from, hand));
  key(from, Qt::Key_C, Qt::ControlModifier);
  key(from, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);

  showActive(target);
  EditingCanvas* to = target->canvasView();
  clickSign(to, 0, 0);
  key(to, Qt::Key_V, Qt::ControlModifier);
  const SignPtr head = to->viewLineMan()->currentSign();
  ASSERT_EQ(head->symbols.size(), 2);
  EXPECT_EQ(head->symbols[1]->sss(), hand->sss());
  EXPECT_NE(head->symbols[1], hand) << "pasting makes copies";
  key(to, Qt::Key_Y);
  const QList<SignPtr>& line = target->document()->bufferManager.editBuffer[0]->signArray;
  ASSERT_EQ(line.size(), 3);
  EXPECT_EQ(line[0]->symbols[0]->sss(), hand->sss());
  EXPECT_EQ(to->viewLineMan()->currentSign(), head) << "the cursor stays on the sign after the pasted one";
}

}  // namespace
}  // namespace quabe::test
