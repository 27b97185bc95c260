#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

#include "CanvasTestSupport.h"
#include "common/TestSupport.h"
#include "document/EditorState.h"

namespace quabe {
namespace {

using namespace quabe::test;

constexpr const char* kHand = "01-01-001-01-01-01";  // 15 x 30
constexpr const char* kHead = "04-01-001-01-01-01";

class CanvasRender : public ::testing::Test {
 protected:
  void SetUp() override {
    QUABE_REQUIRE_ARCHIVE();
    EditorState::shared().reset();
    ISWA::setHandColoring(false);
  }
  void TearDown() override {
    EditorState::shared().reset();
    ISWA::setHandColoring(false);
  }

  // Two logical lines: [a b br] and [c br]. Symbols stand at x >= 100 so
  // that glosses at the left of the column have room.
  void buildDocument(bool vertical, QSize size = QSize(600, 400)) {
    prefs = canvasSettings(vertical);
    a = symbolSign({{kHand, 100, 20}}, QStringLiteral("HELLO"));
    a->comment = QStringLiteral("note");
    b = symbolSign({{kHead, 100, 0}, {kHand, 110, 40}}, QStringLiteral("NEWLINE"));
    c = symbolSign({{kHand, 100, 0}});
    setLines(buffer, {{a, b, emptySign()}, {c, emptySign()}});
    canvas.resize(size);
    canvas.setDocument(&document);
    canvas.setBufferManager(&buffer);
    ASSERT_NE(canvas.viewLineMan(), nullptr);
  }
  ViewLineManager& man() { return *canvas.viewLineMan(); }
  // The canvas rectangle of a symbol of the sign at (line, index).
  QRect symbolRect(qint64 line, qint64 index, int symbol = 0) {
    const SignPtr sign = man().signAt(line, index);
    return sign->symbols[symbol]->rect.translated(man().signOrigin(line, index)).toRect();
  }

  Document document;
  Preferences& prefs = document.prefs;
  BufferManager& buffer = document.bufferManager;
  CanvasView canvas;
  SignPtr a, b, c;
};

TEST_F(CanvasRender, VerticalScreenShowsRulesCursorSymbolsGlossesAndEmptySigns) {
  buildDocument(true);
  ASSERT_EQ(man().viewLines.size(), 2);
  const QImage image = renderCanvas(canvas);
  // Nothing unpainted.
  EXPECT_EQ(countPixels(image, image.rect(), isColor(Qt::red)), 0);
  // The rule of the second column stands half a line space left of it (x 170.5).
  const int ruleInk = countPixels(image, QRect(170, 100, 2, 280), isColor(CanvasView::ruleColor()));
  EXPECT_GE(ruleInk, 270);
  // The cursor cell of the first sign: filled and outlined.
  const QRectF cell = man().cursorCellRect();
  EXPECT_TRUE(sameColor(image.pixelColor(60, 20), CanvasView::selectionColor()));
  EXPECT_GT(countPixels(image, cell.toRect(), isColor(CanvasView::cursorOutlineColor())), 150);
  // The symbols are drawn in their rectangles.
  EXPECT_EQ(symbolRect(0, 0).topLeft(), QPoint(110, 5));
  EXPECT_GT(countPixels(image, symbolRect(0, 0), isInk), 30);
  EXPECT_GT(countPixels(image, symbolRect(0, 1, 0), isInk), 30);
  EXPECT_GT(countPixels(image, symbolRect(1, 0), isInk), 30);
  // The gloss of a; b's gloss NEWLINE is not shown.
  EXPECT_GT(countPixels(image, QRect(3, 2, 60, 13), isInk), 15);
  const QRectF bRect = man().signRect(0, 1);
  EXPECT_EQ(countPixels(image, QRect(3, int(bRect.top()) - 3, 60, 13), isInk), 0);
  // The comment of a under it.
  const QRectF aRect = man().signRect(0, 0);
  EXPECT_GT(countPixels(image, QRect(4, int(aRect.bottom() + 5 - 16), 60, 14), isInk), 10);
  // The line-break sign shows as a gray outline of the default box.
  const QRectF br = man().signRect(0, 2);
  EXPECT_GT(
      countPixels(image, QRect(int(br.left()) + 10, int(br.top()) - 1, 120, 3), isColor(CanvasView::emptySignColor())),
      100);
}

TEST_F(CanvasRender, PrintingLeavesOutCursorEmptySignsAndAmbiguityMarks) {
  buildDocument(true);
  a->jjs->isAmbiguous = true;
  man().cursorLine = 0;
  man().cursorOffset = 2;  // the line-break sign, far from a's mark
  const QRectF cell = man().cellRect(0, 0);
  const QRect mark(int(cell.right()) - 12, int(cell.top()) + 1, 11, 7);
  const QImage screen = renderCanvas(canvas);
  EXPECT_GT(countPixels(screen, mark, isColor(CanvasView::ruleColor(), 40)), 10);
  EXPECT_GT(countPixels(screen, screen.rect(), isColor(CanvasView::selectionColor())), 1000);

  canvas.printing = true;
  const QImage printed = renderCanvas(canvas);
  canvas.printing = false;
  EXPECT_EQ(countPixels(printed, printed.rect(), isColor(CanvasView::selectionColor())), 0);
  EXPECT_EQ(countPixels(printed, printed.rect(), isColor(CanvasView::cursorOutlineColor())), 0);
  const QRect br = man().signRect(0, 2).toRect();
  EXPECT_EQ(countPixels(printed, br.adjusted(-2, -2, 2, 2), [](QColor c) { return c != Qt::white; }), 0);
  EXPECT_EQ(countPixels(printed, mark, [](QColor c) { return c != Qt::white; }), 0);
  // What the document says is still there.
  EXPECT_GT(countPixels(printed, symbolRect(0, 0), isInk), 30);
  EXPECT_GT(countPixels(printed, QRect(170, 100, 2, 280), isColor(CanvasView::ruleColor())), 270);
  EXPECT_GT(countPixels(printed, QRect(3, 2, 60, 13), isInk), 15);
}

TEST_F(CanvasRender, BordersWithoutRulesDrawSeparatorsAndTheBorderedCursor) {
  buildDocument(true);
  prefs.showRules = false;
  prefs.showBorders = true;
  const QImage image = renderCanvas(canvas);
  EXPECT_LT(countPixels(image, QRect(170, 100, 2, 280), isColor(CanvasView::ruleColor())), 10);
  // Separator before b, across the column.
  const QRectF bRect = man().signRect(0, 1);
  const int y = int(bRect.top() - man().viewLines[0].signSpace / 2 + 0.5);
  EXPECT_GT(countPixels(image, QRect(2, y - 1, 160, 3), isColor(CanvasView::borderColor())), 120);
  // The bordered cursor cell is filled and outlined.
  EXPECT_TRUE(sameColor(image.pixelColor(60, 20), CanvasView::selectionColor()));
  EXPECT_GT(countPixels(image, man().cursorCellRect().toRect(), isColor(CanvasView::cursorOutlineColor())), 150);
}

TEST_F(CanvasRender, HorizontalRowsHaveHorizontalRules) {
  buildDocument(false);
  ASSERT_FALSE(man().isVertical());
  ASSERT_EQ(man().viewLines.size(), 2);
  const QImage image = renderCanvas(canvas);
  const int ruleY = int(man().viewLines[1].top - prefs.lineSpace / 2);
  EXPECT_GT(countPixels(image, QRect(0, ruleY - 1, 600, 3), isColor(CanvasView::ruleColor())), 580);
  EXPECT_EQ(symbolRect(0, 0).topLeft(), QPoint(5, 30));
  EXPECT_GT(countPixels(image, symbolRect(0, 0), isInk), 30);
  EXPECT_GT(countPixels(image, symbolRect(1, 0), isInk), 30);
  EXPECT_TRUE(sameColor(image.pixelColor(int(man().cursorCellRect().center().x()), 150), CanvasView::selectionColor()));
  // The gloss at the top of a's cell.
  EXPECT_GT(countPixels(image, QRect(2, 2, 60, 13), isInk), 15);
}

TEST_F(CanvasRender, RangeSelectionHighlightsTailAndHeadOfTwoViewLines) {
  buildDocument(true, QSize(600, 130));  // a and b fill the first column
  ASSERT_GE(man().viewLines.size(), 3);
  ASSERT_EQ(man().viewLines[0].count, 2);
  man().cursorLine = 2;
  man().cursorOffset = 0;
  man().setRangeSelection(ViewLineManager::pack(0, 1), ViewLineManager::pack(1, 0));
  const QImage image = renderCanvas(canvas);
  auto filled = [&](QRectF r) {
    return countPixels(image, r.adjusted(3, 3, -3, -3).toRect(), isColor(CanvasView::selectionColor()));
  };
  EXPECT_EQ(filled(man().cellRect(0, 0)), 0);
  EXPECT_GT(filled(man().cellRect(0, 1)), 300);
  EXPECT_GT(filled(man().cellRect(1, 0)), 300);
  // Nothing beyond the last sign of the first column.
  const QRectF tail = man().cellRect(0, 1);
  EXPECT_EQ(countPixels(image, QRect(int(tail.left()) + 3, int(tail.bottom()) + 2, 140, 10),
                        isColor(CanvasView::selectionColor())),
            0);
}

TEST_F(CanvasRender, HandsTakeTheirColourWhenHandColouringIsOn) {
  buildDocument(true);
  auto reddish = [](QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; };
  EXPECT_EQ(countPixels(renderCanvas(canvas), symbolRect(0, 0), reddish), 0);
  prefs.colorHands = true;
  EXPECT_GT(countPixels(renderCanvas(canvas), symbolRect(0, 0), reddish), 20);
}

TEST_F(CanvasRender, OnlyViewLinesNearTheVisibleAreaAreDrawn) {
  buildDocument(true);
  QImage image(canvas.size(), QImage::Format_ARGB32);
  const QRectF firstColumnOnly(0, 0, 150, 400);
  {
    QPainter painter(&image);
    canvas.drawContents(painter, image.rect(), firstColumnOnly);
  }
  EXPECT_GT(countPixels(image, symbolRect(0, 0), isInk), 30);
  EXPECT_EQ(countPixels(image, symbolRect(1, 0), isInk), 0);
  canvas.printing = true;
  {
    QPainter painter(&image);
    canvas.drawContents(painter, image.rect(), firstColumnOnly);
  }
  canvas.printing = false;
  EXPECT_GT(countPixels(image, symbolRect(1, 0), isInk), 30);
}

TEST_F(CanvasRender, ScrollAreaSizesTheCanvasAndFollowsTheCursor) {
  prefs = canvasSettings(true);
  QList<SignPtr> signs;
  for (int i = 0; i < 40; ++i) signs << symbolSign({{kHand, 60, 0}});
  signs << emptySign();
  setLines(buffer, {signs});
  QScrollArea area;
  area.resize(400, 300);
  auto* view = new CanvasView;  // owned by the scroll area
  view->setScrollView(&area);
  area.show();
  QCoreApplication::processEvents();
  view->setDocument(&document);
  view->setBufferManager(&buffer);
  view->setWritingMode(true);
  ViewLineManager* layout = view->viewLineMan();
  const QSize viewport = area.viewport()->size();
  EXPECT_EQ(view->height(), viewport.height());
  const int columns = int(layout->viewLines.size());
  ASSERT_GT(columns, 3);
  EXPECT_EQ(view->width(), int(std::ceil(10 + columns * 170.0 - 20 + 10)));
  layout->lastLine();
  view->scrollCursorIntoView();
  EXPECT_GT(area.horizontalScrollBar()->value(), 0);
  EXPECT_TRUE(view->visibleRect().contains(layout->cursorCellRect()));

  // The other direction keeps the current sign current.
  const SignPtr current = layout->currentSign();
  view->setWritingMode(false);
  layout = view->viewLineMan();
  EXPECT_FALSE(layout->isVertical());
  EXPECT_EQ(view->width(), area.viewport()->width());
  EXPECT_EQ(layout->currentSign(), current);
  EXPECT_TRUE(view->visibleRect().contains(layout->cursorCellRect()));

  // A smaller window lays the text out again for its size.
  area.resize(300, 300);
  QCoreApplication::processEvents();
  EXPECT_EQ(view->width(), area.viewport()->width());
  EXPECT_LE(view->viewLineMan()->canvasWidth, 300);
}

TEST_F(CanvasRender, RefreshLayoutTakesNewBoundsOfEditedSigns) {
  buildDocument(true);
  auto extra = std::make_shared<ISWA>(SSS::fromString(QString::fromLatin1(kHead)));
  extra->rect.moveTopLeft(QPointF(0, 200));
  a->symbols << extra;
  EditorState::shared().editingSigns << a;
  canvas.refreshLayout();
  EXPECT_TRUE(EditorState::shared().editingSigns.isEmpty());
  EXPECT_DOUBLE_EQ(man().signRect(0, 0).height(), a->bottomMost - a->topMost);
  EXPECT_GT(a->height, 200);
}

}  // namespace
}  // namespace quabe

namespace quabe {
namespace {

TEST(CanvasLifetime, ClosingTheDocumentLeavesAnEmptyCanvas) {
  auto document = std::make_unique<Document>();
  document->prefs = test::canvasSettings(true);
  CanvasView canvas;
  canvas.resize(300, 200);
  canvas.setDocument(document.get());
  canvas.setBufferManager(&document->bufferManager);
  ASSERT_NE(canvas.viewLineMan(), nullptr);
  document.reset();
  EXPECT_EQ(canvas.viewLineMan(), nullptr);
  EXPECT_EQ(canvas.bufferMan(), nullptr);
  canvas.setWritingMode(false);
  canvas.refreshLayout();
  canvas.scrollCursorIntoView();
  const QImage image = test::renderCanvas(canvas);
  EXPECT_EQ(test::countPixels(image, image.rect(), test::isColor(Qt::white)), 300 * 200);
}

}  // namespace
}  // namespace quabe

namespace quabe {
namespace {

TEST(CanvasSettings, SettingsGivenWithTheBufferWinOverTheDocuments) {
  Document document;
  document.prefs = test::canvasSettings(true);
  LayoutSettings own;
  static_cast<Preferences&>(own) = test::canvasSettings(false);
  CanvasView canvas;
  canvas.resize(300, 200);
  canvas.setDocument(&document);
  canvas.setBufferManager(&document.bufferManager, &own);
  EXPECT_EQ(canvas.prefs(), &own);
  ASSERT_NE(canvas.viewLineMan(), nullptr);
  EXPECT_FALSE(canvas.viewLineMan()->isVertical());
  canvas.setBufferManager(&document.bufferManager, nullptr);
  EXPECT_EQ(canvas.prefs(), &document.prefs);
  EXPECT_TRUE(canvas.viewLineMan()->isVertical());
}

}  // namespace
}  // namespace quabe
