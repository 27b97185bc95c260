#include <QWheelEvent>

#include "CanvasEditTestSupport.h"
#include "editor/layout/ViewLineManager.h"
#include "symbols/SymbolVectors.h"

namespace quabe::test {
namespace {

class CanvasEditMouseTest : public EditorGuiTest {
 protected:
  void openDocument(bool vertical) {
    QList<SignPtr> signs;
    signs << makeSign({{"01-01-001-01-01-01", 30, 40}, {"02-03-001-01-01-01", 70, 90}});
    for (int i = 0; i < 39; ++i) signs << makeSign({{"04-01-001-01-01-01", 40, 30}});
    window = openWindow(makeDocument({signs}, vertical));
    canvas = window->canvasView();
    man = canvas->viewLineMan();
  }
  SignPtr current() const { return canvas->viewLineMan()->currentSign(); }

  WindowController* window = nullptr;
  EditingCanvas* canvas = nullptr;
  ViewLineManager* man = nullptr;
};

// Clicks place the cursor and start a cell selection; Shift-click and drags
// over signs select ranges; a plain click cancels the range.
TEST_F(CanvasEditMouseTest, CellSelectionByClicksAndDrags) {
  openDocument(false);
  clickSign(canvas, 0, 2);
  EXPECT_EQ(man->cursorLine, 0);
  EXPECT_EQ(man->cursorOffset, 2);
  EXPECT_TRUE(canvas->cellSelecting);
  EXPECT_EQ(canvas->selectedCellIndex, ViewLineManager::pack(0, 2));
  EXPECT_FALSE(man->hasRangeSelection());

  const QRectF target = man->signRect(1, 1);
  click(canvas, QPointF(target.left() + 2, target.bottom() - 2), Qt::ShiftModifier);
  EXPECT_EQ(man->selectStart, ViewLineManager::pack(0, 2));
  EXPECT_EQ(man->selectEnd, ViewLineManager::pack(1, 1));
  EXPECT_EQ(man->selectedSigns().size(), man->viewLines[0].count - 2 + 2);

  clickSign(canvas, 0, 4);
  EXPECT_FALSE(man->hasRangeSelection());

  const QRectF from = man->signRect(0, 1);
  const QRectF to = man->signRect(0, 3);
  drag(canvas, QPointF(from.left() + 2, from.bottom() - 2), QPointF(to.left() + 2, to.bottom() - 2));
  EXPECT_EQ(man->selectStart, ViewLineManager::pack(0, 1));
  EXPECT_EQ(man->selectEnd, ViewLineManager::pack(0, 3));
  EXPECT_EQ(man->cursorOffset, 3);
  EXPECT_EQ(window->document()->undoStack().count(), 0);
}

// Clicks on symbols: a click selects one, Shift-click adds and removes, a
// plain click inside a selection narrows it on release, and dragging a
// selected symbol moves every selected one by the pointer's way as one undo
// step, keeping the selection.
TEST_F(CanvasEditMouseTest, SymbolSelectionByClicksAndDrags) {
  openDocument(true);
  clickSign(canvas, 0, 0);
  const ISWAPtr hand = current()->symbols[0];
  const ISWAPtr arrow = current()->symbols[1];
  const QList<ISWAPtr>& selection = canvas->selection().symbols();

  click(canvas, centreOf(canvas, hand));
  EXPECT_EQ(selection, QList<ISWAPtr>{hand});
  EXPECT_FALSE(canvas->cellSelecting);
  click(canvas, centreOf(canvas, arrow), Qt::ShiftModifier);
  EXPECT_EQ(selection, (QList<ISWAPtr>{hand, arrow}));
  const QPointF handStart = hand->rect.topLeft();
  const QPointF arrowStart = arrow->rect.topLeft();
  drag(canvas, centreOf(canvas, hand), centreOf(canvas, hand) + QPointF(7, 5));
  EXPECT_EQ(hand->rect.topLeft() - handStart, QPointF(7, 5));
  EXPECT_EQ(arrow->rect.topLeft() - arrowStart, QPointF(7, 5));
  EXPECT_EQ(selection.size(), 2) << "a drag keeps the selection";
  EXPECT_EQ(window->document()->undoStack().count(), 1);

  click(canvas, centreOf(canvas, hand), Qt::ShiftModifier);
  EXPECT_EQ(selection, QList<ISWAPtr>{arrow});
  EXPECT_FALSE(canvas->selection().contains(hand.get()));
  click(canvas, centreOf(canvas, hand), Qt::ShiftModifier);
  click(canvas, centreOf(canvas, arrow));
  EXPECT_EQ(selection, QList<ISWAPtr>{arrow}) << "a plain click narrows the selection";

  // A click on empty space of the sign clears the symbol selection.
  clickSign(canvas, 0, 0);
  EXPECT_TRUE(selection.isEmpty());
  EXPECT_FALSE(canvas->selection().contains(arrow.get()));
}

// Zoom by Ctrl+wheel and the View menu, kept within 50-400 %. At 200 % a
// click on a symbol selects it, a palette drop lands where it was dropped,
// and the symbols are drawn crisply at the scale from their outlines.
TEST_F(CanvasEditMouseTest, AtTwiceTheSizeClicksAndDropsMeetTheSymbols) {
  openDocument(true);
  window->action(QStringLiteral("zoomIn"))->trigger();
  QWheelEvent wheel(QPointF(5, 5), canvas->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  EXPECT_DOUBLE_EQ(canvas->zoom(), 1.25);
  window->action(QStringLiteral("actualSize"))->trigger();
  EXPECT_DOUBLE_EQ(canvas->zoom(), 1.0);
  canvas->setZoom(9);
  EXPECT_DOUBLE_EQ(canvas->zoom(), CanvasView::MaxZoom);
  canvas->setZoom(2.0);
  man = canvas->viewLineMan();
  const qreal zoom = canvas->zoom();

  const ISWAPtr hand = man->signAt(0, 0)->symbols[0];
  const QRectF handRect = hand->rect.translated(man->signOrigin(0, 0));
  click(canvas, handRect.center() * zoom);
  EXPECT_EQ(canvas->selection().symbols(), QList<ISWAPtr>{hand});

  const QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage outline = SymbolVectors::shared().rendered(hand->sss(), zoom, Qt::black);
  int off = 0;
  for (int y = 0; y < outline.height(); ++y)
    for (int x = 0; x < outline.width(); ++x)
      off += qAlpha(outline.pixel(x, y)) == 255 &&
             std::abs(qGray(outline.pixel(x, y)) -
                      qGray(shown.pixel(qRound(handRect.left() * zoom) + x, qRound(handRect.top() * zoom) + y))) > 64;
  EXPECT_EQ(off, 0);

  const QPointF at = (man->signRect(0, 1).topLeft() + QPointF(20, 25)) * zoom;
  const QPointF origin = man->signOrigin(0, 1);  // the drop may respace the column afterwards
  ASSERT_TRUE(dropOn(canvas, QStringLiteral("02-05-001-01-01-01"), at));
  const SignPtr target = canvas->viewLineMan()->signAt(0, 1);
  ASSERT_EQ(target->symbols.size(), 2);
  const QPointF placed = target->symbols.last()->rect.translated(origin).topLeft();
  EXPECT_NEAR(placed.x() * zoom, at.x(), 0.5);
  EXPECT_NEAR(placed.y() * zoom, at.y(), 0.5);
}

}  // namespace
}  // namespace quabe::test
