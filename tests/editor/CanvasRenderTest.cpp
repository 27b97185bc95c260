#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

#include "CanvasTestSupport.h"
#include "common/TestSupport.h"

namespace quabe {
namespace {

using namespace quabe::test;

constexpr const char* kHand = "01-01-001-01-01-01";  // 15 x 30
constexpr const char* kHead = "04-01-001-01-01-01";

class CanvasRender : public ::testing::Test {
 protected:
  void SetUp() override { QUABE_REQUIRE_ARCHIVE(); }

  // Two logical lines: [a b br] and [c br]. Symbols stand at x >= 100 so
  // that glosses at the left of the column have room.
  void buildDocument(bool vertical, QSize size = QSize(600, 400)) {
    prefs = standardSettings(vertical);
    a = makeSign({{kHand, 100, 20}}, QStringLiteral("HELLO"));
    a->comment = QStringLiteral("note");
    b = makeSign({{kHead, 100, 0}, {kHand, 110, 40}}, QStringLiteral("NEWLINE"));
    c = makeSign({{kHand, 100, 0}});
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
  EXPECT_GE(countPixels(image, QRect(170, 100, 2, 280), isColor(CanvasView::ruleColor())), 270);
  // The cursor cell of the first sign: filled and outlined.
  EXPECT_TRUE(sameColor(image.pixelColor(60, 20), CanvasView::selectionColor()));
  EXPECT_GT(countPixels(image, man().cursorCellRect().toRect(), isColor(CanvasView::cursorOutlineColor())), 150);
  // The symbols are drawn in their rectangles.
  EXPECT_EQ(symbolRect(0, 0).left(), 110);
  EXPECT_GT(countPixels(image, symbolRect(0, 0), isInk), 30);
  EXPECT_GT(countPixels(image, symbolRect(0, 1, 0), isInk), 30);
  EXPECT_GT(countPixels(image, symbolRect(1, 0), isInk), 30);
  // b's gloss NEWLINE is not shown.
  EXPECT_GT(countPixels(image, man().glossRect(0, 0).toRect(), isInk), 15);
  EXPECT_TRUE(man().glossRect(0, 1).isEmpty());
  // Line-break signs away from the cursor show a faint mark, not their box;
  // the one at the cursor shows its box.
  const QRectF br = man().signRect(0, 2);
  const QRect boxEdge(int(br.left()) + 30, int(br.top()) - 1, 100, 3);
  EXPECT_EQ(countPixels(image, boxEdge, [](QColor c) { return c != Qt::white; }), 0);
  EXPECT_GT(countPixels(image, br.toRect(), [](QColor c) { return c != Qt::white; }), 10);
  man().cursorOffset = 2;
  EXPECT_GT(countPixels(renderCanvas(canvas), boxEdge, isColor(CanvasView::emptySignColor())), 90);
}

// Glosses and comments have bands of their own in both directions: long
// comments and Japanese glosses never cover a symbol (not even one placed
// outside the sign box's origin) or reach into another cell, and nothing is
// drawn outside the symbols and the text bands.
TEST_F(CanvasRender, GlossesAndCommentsKeepToTheirOwnBands) {
  for (const bool vertical : {true, false}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    prefs = standardSettings(vertical);
    prefs.showRules = false;
    const QList<SignPtr> first{makeSign({{kHand, 20, 0}, {kHead, 60, 110}}, QStringLiteral("両手が近づく")),
                               makeSign({{"07-01-001-01-01-01", 0, 0}}, QStringLiteral("。")),
                               makeSign({{kHand, 0, 0}}, QStringLiteral("手話を学ぶ")), emptySign()};
    first[0]->comment = QStringLiteral("両手を胸の前で向かい合わせ、ゆっくり近づけて最後に指先を軽く触れ合わせる");
    first[1]->comment = QStringLiteral("文末");
    first[2]->comment = QStringLiteral("A long comment in English that has to wrap over several lines of its band");
    const QList<SignPtr> second{makeSign({{kHead, -15, -12}}, QStringLiteral("見る")),
                                makeSign({{kHand, 130, 125}}, QStringLiteral("雨")), emptySign()};
    setLines(buffer, {first, second});
    canvas.resize(vertical ? QSize(700, 560) : QSize(560, 700));
    canvas.setDocument(&document);
    canvas.setBufferManager(&buffer);
    QList<QRectF> symbols, cells, texts;
    for (qint64 line = 0; line < man().viewLines.size(); ++line)
      for (qint64 k = 0; k < man().viewLines[line].count; ++k) {
        cells << man().cellRect(line, k);
        for (const ISWAPtr& symbol : man().signAt(line, k)->symbols)
          symbols << symbol->rect.translated(man().signOrigin(line, k));
        for (const QRectF& text : {man().glossRect(line, k), man().commentRect(line, k)}) {
          if (text.isEmpty()) continue;
          texts << text;
          EXPECT_TRUE(cells.last().contains(text)) << line << "," << k;
        }
      }
    ASSERT_EQ(texts.size(), 8);
    for (const QRectF& text : texts) {
      for (const QRectF& symbol : symbols) EXPECT_FALSE(text.intersects(symbol));
      int cellsReached = 0;
      for (const QRectF& cell : cells) cellsReached += text.intersects(cell);
      EXPECT_EQ(cellsReached, 1);
    }
    canvas.printing = true;
    const QImage image = renderCanvas(canvas);
    canvas.printing = false;
    int stray = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == Qt::white) continue;
        bool inside = false;
        for (const QList<QRectF>* rects : {&symbols, &texts})
          for (const QRectF& r : *rects)
            inside = inside || r.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5));
        stray += !inside;
      }
    EXPECT_EQ(stray, 0);
  }
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

TEST_F(CanvasRender, RangeSelectionHighlightsTailAndHeadOfTwoViewLines) {
  buildDocument(true, QSize(600, 170));  // a and b fill the first column
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

TEST_F(CanvasRender, ScrollAreaSizesTheCanvasAndFollowsTheCursor) {
  prefs = standardSettings(true);
  QList<SignPtr> signs;
  for (int i = 0; i < 40; ++i) signs << makeSign({{kHand, 60, 0}});
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
  ASSERT_GT(layout->viewLines.size(), 3);
  EXPECT_GT(view->width(), viewport.width());
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
  canvas.selection().beginEditing(*a);
  canvas.refreshLayout();
  EXPECT_TRUE(canvas.selection().editingSigns().isEmpty());
  EXPECT_DOUBLE_EQ(man().signRect(0, 0).height(), a->bottomMost - a->topMost);
  EXPECT_GT(a->height, 200);
}

TEST(CanvasLifetime, ClosingTheDocumentLeavesAnEmptyCanvas) {
  auto document = std::make_unique<Document>();
  document->prefs = standardSettings(true);
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
  const QImage image = renderCanvas(canvas);
  EXPECT_EQ(countPixels(image, image.rect(), isColor(Qt::white)), 300 * 200);
}

}  // namespace
}  // namespace quabe
