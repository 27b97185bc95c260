#include <gtest/gtest.h>

#include "LayoutTestSupport.h"
#include "document/Clipboards.h"
#include "document/DbSign.h"

namespace quabe {
namespace {

using test::boxSign;
using test::emptySign;
using test::LaidOut;
using test::setLines;

class LayoutEditing : public ::testing::Test {
 protected:
  void SetUp() override { Clipboards::shared().reset(); }
  void TearDown() override { Clipboards::shared().reset(); }
  QList<SignPtr> line(qsizetype i) { return buffer.line(i)->signArray; }

  Preferences prefs = test::standardSettings();
  BufferManager buffer;
};

TEST_F(LayoutEditing, CursorIsClampedWhenItsViewLineShrinks) {
  const SignPtr a = boxSign(60, 90), b = boxSign(60, 90), c = boxSign(60, 90);
  setLines(buffer, {{a, b, c, emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 330);
  man.cursorLine = 0;
  man.cursorOffset = 2;
  ASSERT_EQ(man.currentSign(), c);
  man.copySigns(true);  // cut c
  const SignPtr oldBreak = line(0).last();
  EXPECT_EQ(line(0), (QList<SignPtr>{a, b, oldBreak}));
  EXPECT_EQ(BufferManager::signClipboard().signArray, (QList<SignPtr>{c}));
  // [a b] still fill the column, the line break stands alone: the cursor
  // index is clamped to the new last sign of the column.
  ASSERT_EQ(man.viewLines.size(), 2);
  EXPECT_EQ(man.position(b.get()), (ViewPosition{man.cursorLine, man.cursorOffset}));
  // Cutting the line break: the tidy step gives the line a new one.
  man.cursorLine = 1;
  man.cursorOffset = 0;
  man.copySigns(true);
  EXPECT_EQ(line(0).size(), 3);
  EXPECT_TRUE(line(0).last()->isEmpty());
  EXPECT_NE(line(0).last(), oldBreak);
  // A cursor beyond the layout is clamped to the last sign of the last view line.
  man.cursorLine = 5;
  man.cursorOffset = 9;
  man.layout();
  EXPECT_EQ(man.cursorLine, 1);
  EXPECT_EQ(man.cursorOffset, 0);
}

TEST_F(LayoutEditing, CuttingARangeAcrossViewLinesEmptiesTheClipboardRange) {
  const SignPtr a = boxSign(60, 90), b = boxSign(60, 90), c = boxSign(60, 90), d = boxSign(60, 90);
  setLines(buffer, {{a, b, c, emptySign()}, {d, emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 330);
  ASSERT_EQ(man.viewLines.size(), 3);  // [a b c] [br] [d br]
  man.cursorOffset = 1;
  man.cursorRight(10);  // the next column: anchor at b, moving end on the line break
  EXPECT_EQ(man.selectedSigns(), (QList<SignPtr>{b, c, buffer.line(0)->at(3)}));
  man.copySigns(false);
  EXPECT_FALSE(man.hasRangeSelection());
  EXPECT_EQ(BufferManager::signClipboard().signArray.first(), b);
  EXPECT_EQ(line(0).size(), 4);  // copying changes nothing
  // Now cut from c to d over three view lines.
  man.cursorLine = 0;
  man.cursorOffset = 2;
  man.setRangeSelection(ViewLineManager::pack(0, 2), ViewLineManager::pack(2, 0));
  man.copySigns(true);
  EXPECT_FALSE(man.hasRangeSelection());
  QList<SignPtr> remaining;
  for (qsizetype i = 0; i < buffer.lineCount(); ++i) remaining << line(i);
  EXPECT_TRUE(remaining.contains(a) && remaining.contains(b));
  EXPECT_FALSE(remaining.contains(c) || remaining.contains(d));
  for (qsizetype i = 0; i < buffer.lineCount(); ++i) EXPECT_TRUE(line(i).last()->isEmpty());
  EXPECT_TRUE(man.currentSign() != nullptr);
}

TEST_F(LayoutEditing, BreakLineMovesTheCurrentSignToANewLogicalLine) {
  const SignPtr a = boxSign(60, 90), b = boxSign(60, 90), c = boxSign(60, 90);
  setLines(buffer, {{a, b, c, emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 1000);
  man.cursorOffset = 1;
  man.breakLine();
  ASSERT_EQ(buffer.lineCount(), 2);
  EXPECT_EQ(line(0).size(), 2);
  EXPECT_EQ(line(0).first(), a);
  EXPECT_TRUE(line(0).last()->isEmpty());
  EXPECT_EQ(line(1).first(), b);
  EXPECT_EQ(line(1).size(), 3);
  EXPECT_EQ(man.currentSign(), b);
}

TEST_F(LayoutEditing, BreakLineFollowsTheSignWhenTheShortenedLineWraps) {
  // [a b] fill a column, so [a b br] needs two columns after the break.
  const SignPtr a = boxSign(60, 150), b = boxSign(60, 150), c = boxSign(60, 90);
  setLines(buffer, {{a, b, c, emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 330);
  ASSERT_EQ(man.position(c.get()), (ViewPosition{1, 0}));
  man.cursorLine = 1;
  man.cursorOffset = 0;
  man.breakLine();
  EXPECT_EQ(man.currentSign(), c);
  EXPECT_EQ(man.cursorLine, 2);
}

TEST_F(LayoutEditing, PastingSymbolsIntoTheLineBreakTerminatesTheLineAgain) {
  const SignPtr a = boxSign(60, 90);
  auto copied = std::make_shared<ISWA>();
  copied->rect = QRectF(10, 10, 0, 0);
  a->symbols << copied;
  setLines(buffer, {{a, emptySign()}});
  LaidOut<ViewLineManager> man(&buffer, &prefs, 800, 1000);
  Clipboards::shared().symbolClipboard = {copied};
  man.cursorOffset = 1;
  SymbolSelection selection;
  man.pasteSymbols(selection);
  EXPECT_EQ(line(0)[1]->symbols.size(), 1);
  ASSERT_EQ(line(0).size(), 3);
  EXPECT_TRUE(line(0).last()->isEmpty());
}

}  // namespace
}  // namespace quabe
