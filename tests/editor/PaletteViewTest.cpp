#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "common/TestSupport.h"
#include "editor/palette/PaletteTabWidget.h"
#include "editor/palette/PaletteView.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {

QPoint centerOf(int item) { return Palette::cellRect(item).center().toPoint(); }

// A palette view whose drags are recorded instead of run (a real drag
// would wait for a drop in its own event loop).
class RecordingPaletteView : public PaletteView {
 public:
  using PaletteView::PaletteView;
  QStringList dragTexts;
  QPixmap lastPixmap;

 protected:
  void performDrag(QMimeData* data, const QPixmap& pixmap, const QPoint&) override {
    dragTexts << data->text();
    lastPixmap = pixmap;
    delete data;
  }
};

}  // namespace

// The main palette opens a family's sub palette on the second tab (a click
// below the 49 families or a double click does not); a sub palette click
// selects and reports its symbol, and a second click or a context click
// clears it and goes back to the main palette.
TEST(PaletteView, FamiliesOpenSubPalettesWhoseClicksSelectAndReturn) {
  PaletteTabWidget tabs;
  tabs.resize(260, 520);
  tabs.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
  PaletteView* main = tabs.mainPaletteView();
  PaletteView* sub = tabs.subPaletteView();
  QSignalSpy families(&tabs, &PaletteTabWidget::familyChosen);
  QSignalSpy chosen(&tabs, &PaletteTabWidget::symbolChosen);
  QTest::mouseClick(main, Qt::LeftButton, {}, centerOf(52));
  QTest::mouseDClick(main, Qt::LeftButton, {}, centerOf(3));
  QTest::mouseRelease(main, Qt::LeftButton, {}, centerOf(3));
  EXPECT_EQ(families.count(), 0);
  EXPECT_EQ(tabs.currentIndex(), 0);
  QTest::mouseClick(main, Qt::LeftButton, {}, centerOf(20));
  EXPECT_EQ(sub->currentPaletteNumber(), 20);
  EXPECT_EQ(tabs.currentIndex(), 1);
  EXPECT_EQ(families.count(), 1);

  QTest::mouseClick(sub, Qt::LeftButton, {}, centerOf(4));  // empty cell
  EXPECT_EQ(sub->selectedItem(), PaletteView::NoItem);
  QTest::mouseClick(sub, Qt::LeftButton, {}, centerOf(6));
  EXPECT_EQ(sub->selectedItem(), 6);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen.at(0).at(0).toUInt(), SSS::make(3, 1, 2, 1, 1, 2));
  EXPECT_EQ(tabs.currentIndex(), 1);
  QTest::mouseClick(sub, Qt::LeftButton, {}, centerOf(6));
  EXPECT_EQ(sub->menuSSS(), 0u);
  EXPECT_EQ(tabs.currentIndex(), 0);

  tabs.setCurrentIndex(1);
  QTest::mouseClick(sub, Qt::LeftButton, {}, centerOf(0));
  QContextMenuEvent context(QContextMenuEvent::Mouse, centerOf(0), sub->mapToGlobal(centerOf(0)));
  QApplication::sendEvent(sub, &context);
  EXPECT_TRUE(context.isAccepted());
  EXPECT_EQ(sub->selectedItem(), PaletteView::NoItem);
  EXPECT_EQ(tabs.currentIndex(), 0);
}

TEST(PaletteView, DraggingASymbolPutsItsTextFormOnTheDragData) {
  QUABE_REQUIRE_ARCHIVE();
  RecordingPaletteView view;
  view.showSubPalette(48);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QSignalSpy started(&view, &PaletteView::dragStarted);
  const int distance = QApplication::startDragDistance() + 2;

  // From an empty cell: no drag.
  QTest::mousePress(&view, Qt::LeftButton, {}, centerOf(8));
  QTest::mouseMove(&view, centerOf(8) + QPoint(distance, 0));
  QTest::mouseRelease(&view, Qt::LeftButton, {}, centerOf(8) + QPoint(distance, 0));
  EXPECT_TRUE(view.dragTexts.isEmpty());

  // From the third cell: 07-01-001, fill 2, rotation 1.
  QTest::mousePress(&view, Qt::LeftButton, {}, centerOf(2));
  QTest::mouseMove(&view, centerOf(2) + QPoint(distance, 0));
  ASSERT_EQ(view.dragTexts, QStringList{"07-01-001-01-02-01"});
  EXPECT_EQ(started.count(), 1);
  EXPECT_FALSE(view.lastPixmap.isNull());
  QTest::mouseRelease(&view, Qt::LeftButton, {}, centerOf(2) + QPoint(distance, 0));
  EXPECT_EQ(view.selectedItem(), 2);  // the release after a drag is not a click

  // A movement shorter than the drag distance starts nothing.
  QTest::mousePress(&view, Qt::LeftButton, {}, centerOf(0));
  QTest::mouseMove(&view, centerOf(0) + QPoint(1, 0));
  QTest::mouseRelease(&view, Qt::LeftButton, {}, centerOf(0) + QPoint(1, 0));
  EXPECT_EQ(view.dragTexts.size(), 1);
}
