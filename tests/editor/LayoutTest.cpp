#include <gtest/gtest.h>

#include "LayoutTestSupport.h"
#include "document/Compound.h"

namespace quabe {
namespace {

using test::boxSign;
using test::emptySign;
using test::LaidOut;
using test::setLines;

class LayoutVertical : public ::testing::Test {
 protected:
  Preferences prefs = test::standardSettings();
  BufferManager buffer;
};

class LayoutHorizontal : public LayoutVertical {};

TEST_F(LayoutVertical, SignsThatFitMakeOneColumnWithTheMinimumSpace) {
  setLines(buffer, {{boxSign(120, 100), boxSign(170, 100), boxSign(80, 100), emptySign()}});
  ViewLineManager man(&buffer, &prefs, 800, 1000);
  const qreal extent = man.layout();
  ASSERT_EQ(man.viewLines.size(), 1);
  const ViewLineInfo& line = man.viewLines[0];
  EXPECT_EQ(line.count, 4);
  EXPECT_EQ(line.offset, 0);
  EXPECT_DOUBLE_EQ(line.signSpace, 10);
  EXPECT_DOUBLE_EQ(line.left, 10);
  EXPECT_DOUBLE_EQ(line.width, 170);  // the widest sign beats the default box width
  EXPECT_DOUBLE_EQ(line.top, 0);
  EXPECT_DOUBLE_EQ(extent, 10 + 170 + 10);
  // The natural length counts the line-break sign with the default box.
  EXPECT_DOUBLE_EQ(man.lineHeight(0), 100 * 3 + 150 + 3 * 20);
}

TEST_F(LayoutVertical, FullColumnSpreadsTheRemainingSpaceAndTheRestBreaks) {
  // pos = 10 + 3 * 90 + 2 * 10 = 300 on a canvas 330 high; the line-break
  // sign (150 high) does not fit any more.
  const QList<SignPtr> signs{boxSign(60, 90), boxSign(60, 90), boxSign(60, 90), emptySign()};
  setLines(buffer, {signs, {boxSign(200, 200), emptySign()}});
  ViewLineManager man(&buffer, &prefs, 800, 330);
  const qreal extent = man.layout();
  ASSERT_EQ(man.viewLines.size(), 4);
  EXPECT_EQ(man.viewLines[0].count, 3);
  EXPECT_DOUBLE_EQ(man.viewLines[0].signSpace, 30.0 / 3 + 10 - 1.0);
  EXPECT_EQ(man.viewLines[1].count, 1);
  EXPECT_DOUBLE_EQ(man.viewLines[1].signSpace, 10);
  EXPECT_DOUBLE_EQ(man.viewLines[1].left, 10 + 150 + 20);
  // 10 + 200 + 10 + 150 = 370 >= 330: the second logical line breaks too.
  EXPECT_EQ(man.viewLines[2].logicalLine, 1);
  EXPECT_EQ(man.viewLines[2].count, 1);
  EXPECT_DOUBLE_EQ(man.viewLines[2].left, 350);
  EXPECT_DOUBLE_EQ(man.viewLines[2].width, 200);
  EXPECT_EQ(man.viewLines[3].offset, 1);
  EXPECT_DOUBLE_EQ(extent, 350 + 200 + 20 + 150 + 10);
  EXPECT_EQ(man.signs(1).first(), signs[3]);
}

TEST_F(LayoutVertical, OversizedSignStandsAloneWithTheMinimumSpace) {
  setLines(buffer, {{boxSign(100, 500), boxSign(100, 500), emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 330);
  ASSERT_EQ(man.viewLines.size(), 3);
  for (const ViewLineInfo& line : man.viewLines) {
    EXPECT_EQ(line.count, 1);
    EXPECT_DOUBLE_EQ(line.signSpace, 10);
  }
}

TEST_F(LayoutVertical, EmptySignTakesTheDefaultBoxWhateverItsStoredBounds) {
  SignPtr blank = emptySign();
  blank->width = 3;
  blank->height = 4;
  blank->leftMost = 7;
  blank->topMost = 9;
  setLines(buffer, {{blank, boxSign(40, 40), emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 1000);
  EXPECT_DOUBLE_EQ(blank->leftMost, 0);
  EXPECT_DOUBLE_EQ(blank->topMost, 0);
  EXPECT_EQ(man.signRect(0, 0), QRectF(10, 5, 150, 150));
  EXPECT_EQ(man.signRect(0, 1), QRectF(10, 5 + 150 + 10, 150, 40));
}

TEST_F(LayoutVertical, HitTestingSplitsGapsInTheMiddle) {
  setLines(buffer, {{boxSign(60, 100), boxSign(60, 50), boxSign(60, 70), emptySign()}, {boxSign(60, 60), emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 1000);
  ASSERT_EQ(man.viewLines.size(), 2);
  // Signs at y 5..105, 115..165, 175..245; gaps of 10, middles at 110 and 170.
  EXPECT_EQ(man.placeCursor(QPointF(50, 0)), (ViewPosition{0, 0}));
  EXPECT_EQ(man.placeCursor(QPointF(50, 110)), (ViewPosition{0, 0}));
  EXPECT_EQ(man.placeCursor(QPointF(50, 110.5)), (ViewPosition{0, 1}));
  EXPECT_EQ(man.placeCursor(QPointF(50, 170)), (ViewPosition{0, 1}));
  EXPECT_EQ(man.placeCursor(QPointF(50, 171)), (ViewPosition{0, 2}));
  EXPECT_EQ(man.placeCursor(QPointF(50, 5000)), (ViewPosition{0, 3}));  // the last sign takes the rest
  // Columns: the second starts at 180; its band starts half a line space earlier.
  EXPECT_EQ(man.placeCursor(QPointF(170, 20)), (ViewPosition{0, 0}));
  EXPECT_EQ(man.placeCursor(QPointF(170.5, 20)), (ViewPosition{1, 0}));
  EXPECT_EQ(man.placeCursor(QPointF(-40, 20)), (ViewPosition{0, 0}));
  EXPECT_EQ(man.placeCursor(QPointF(9000, 500)), (ViewPosition{1, 1}));
  EXPECT_EQ(man.cursorLine, 1);
  EXPECT_EQ(man.cursorOffset, 1);
}

TEST_F(LayoutVertical, CompoundsUseTheirSizeForTheDirection) {
  auto compound = std::make_shared<Compound>();
  compound->constituents = QList<SignPtr>{boxSign(100, 120), boxSign(80, 90)};
  compound->sizeInVMode = QSizeF(100, 226);
  compound->sizeInHMode = QSizeF(196, 120);
  setLines(buffer, {{compound, emptySign()}});
  ViewLineManager vertical(&buffer, &prefs, 800, 1000);
  vertical.layout();
  EXPECT_DOUBLE_EQ(vertical.signRect(0, 0).height(), 226);
  ViewLineManagerH horizontal(&buffer, &prefs, 1000, 800);
  horizontal.layout();
  EXPECT_DOUBLE_EQ(horizontal.signRect(0, 0).width(), 196);
  // A compound without constituents is an empty sign with the default box.
  compound->constituents = QList<SignPtr>{};
  horizontal.layout();
  EXPECT_DOUBLE_EQ(horizontal.signRect(0, 0).width(), 150);
}

TEST_F(LayoutVertical, EmptyBufferStillGetsOneViewLine) {
  buffer.editBuffer.clear();
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 1000);
  ASSERT_EQ(man.viewLines.size(), 1);
  ASSERT_EQ(buffer.lineCount(), 1);
  EXPECT_TRUE(buffer.line(0)->at(0)->isEmpty());
  EXPECT_EQ(man.currentSign(), buffer.line(0)->at(0));
}

TEST_F(LayoutHorizontal, FullRowSpreadsOverCountMinusOneGaps) {
  setLines(buffer, {{boxSign(90, 60), boxSign(90, 60), boxSign(90, 60), emptySign()}});
  LaidOut<ViewLineManagerH> man(&buffer, &prefs, 330, 800);
  ASSERT_EQ(man.viewLines.size(), 2);
  EXPECT_EQ(man.viewLines[0].count, 3);
  EXPECT_DOUBLE_EQ(man.viewLines[0].signSpace, 30.0 / 2 + 10);
  // The row is justified: the last sign ends half a minimum space before the edge.
  EXPECT_DOUBLE_EQ(man.signRect(0, 2).right(), 330 - 5);
  EXPECT_EQ(man.signRect(0, 1), QRectF(5 + 90 + 25, 10, 90, 150));
  EXPECT_EQ(man.cellRect(0, 1), QRectF(5 + 90 + 25 - 12.5, 0, 90 + 12.5 + 1 + 12.5 + 1, 170));
  man.signs(0)[1]->leftMost = 7;
  EXPECT_EQ(man.signOrigin(0, 1), QPointF(5 + 90 + 25 - 7, 10));
}

TEST_F(LayoutHorizontal, HitTestingFindsRowAndSign) {
  setLines(buffer, {{boxSign(100, 60), boxSign(50, 60), emptySign()}, {boxSign(40, 40), emptySign()}});
  LaidOut<ViewLineManagerH> man(&buffer, &prefs, 1000, 800);
  // Row 0 at y 10..160, row 1 from 180 (band from 170). Signs at x 5..105, 115..165, 175..325.
  EXPECT_EQ(man.placeCursor(QPointF(110, 50)), (ViewPosition{0, 0}));
  EXPECT_EQ(man.placeCursor(QPointF(111, 50)), (ViewPosition{0, 1}));
  EXPECT_EQ(man.placeCursor(QPointF(171, 169)), (ViewPosition{0, 2}));
  EXPECT_EQ(man.placeCursor(QPointF(0, 171)), (ViewPosition{1, 0}));
  EXPECT_EQ(man.placeCursor(QPointF(900, 900)), (ViewPosition{1, 1}));
}

TEST_F(LayoutHorizontal, RangeSelectionRunsAcrossRows) {
  const QList<SignPtr> first{boxSign(200, 60), boxSign(200, 60), emptySign()};
  const QList<SignPtr> second{boxSign(200, 60), emptySign()};
  setLines(buffer, {first, second});
  LaidOut<ViewLineManagerH> man(&buffer, &prefs, 480, 800);  // two 200-wide signs fill a row
  ASSERT_EQ(man.viewLines.size(), 3);
  man.placeCursor(man.signRect(0, 1).center());
  man.cursorRight(10);  // Shift+Right from the last sign of the row
  EXPECT_EQ(man.selectStart, 1);
  EXPECT_EQ(man.selectEnd, 1 * ViewLineManager::MaxLineCount + 0);
  EXPECT_EQ(man.cursorLine, 1);
  man.cursorDown(10);  // into the second logical line
  EXPECT_EQ(man.selectEnd, 2 * ViewLineManager::MaxLineCount + 0);
  EXPECT_EQ(man.selectedSigns(), (QList<SignPtr>{first[1], first[2], second[0]}));
  // Moving back past the anchor turns the range round; selectedSigns stays in reading order.
  man.cursorUp(10);
  man.cursorUp(10);
  man.cursorLeft(10);
  EXPECT_EQ(man.selectStart, 1);
  EXPECT_EQ(man.selectEnd, 0);
  EXPECT_EQ(man.selectedSigns(), (QList<SignPtr>{first[0], first[1]}));
  // A plain move clears the range.
  man.cursorRight(1);
  EXPECT_FALSE(man.hasRangeSelection());
  EXPECT_EQ(man.selectedSigns(), (QList<SignPtr>{first[1]}));
}

}  // namespace
}  // namespace quabe
