#include <gtest/gtest.h>

#include "LayoutTestSupport.h"
#include "core/Diagnostics.h"
#include "document/DbSign.h"
#include "document/EditorState.h"

namespace quabe {
namespace {

using test::boxSign;
using test::emptySign;
using test::setLines;

class LayoutEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    EditorState::shared().reset();
    setDiagnosticsEnabled(false);
  }
  void TearDown() override {
    EditorState::shared().reset();
    setDiagnosticsEnabled(true);
  }
  QList<SignPtr> line(qsizetype i) { return buffer.line(i)->signArray; }

  Preferences prefs = test::standardSettings();
  BufferManager buffer;
};

TEST_F(LayoutEditing, CursorIsClampedWhenItsViewLineShrinks) {
  const SignPtr a = boxSign(60, 90), b = boxSign(60, 90), c = boxSign(60, 90);
  setLines(buffer, {{a, b, c, emptySign()}});
  ViewLineManager man(&buffer, &prefs, 800, 330);
  man.layout();
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
  EXPECT_EQ(man.cursorLine, 0);
  EXPECT_EQ(man.cursorOffset, 1);
  EXPECT_EQ(man.currentSign(), b);
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
  ViewLineManager man(&buffer, &prefs, 800, 330);
  man.layout();
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
  EXPECT_TRUE(remaining.contains(a));
  EXPECT_TRUE(remaining.contains(b));
  EXPECT_FALSE(remaining.contains(c));
  EXPECT_FALSE(remaining.contains(d));
  for (qsizetype i = 0; i < buffer.lineCount(); ++i) EXPECT_TRUE(line(i).last()->isEmpty());
  EXPECT_TRUE(man.currentSign() != nullptr);
}

TEST_F(LayoutEditing, BreakLineMovesTheCurrentSignToANewLogicalLine) {
  const SignPtr a = boxSign(60, 90), b = boxSign(60, 90), c = boxSign(60, 90);
  setLines(buffer, {{a, b, c, emptySign()}});
  ViewLineManager man(&buffer, &prefs, 800, 1000);
  man.layout();
  man.cursorOffset = 1;
  man.breakLine();
  ASSERT_EQ(buffer.lineCount(), 2);
  EXPECT_EQ(line(0).size(), 2);
  EXPECT_EQ(line(0).first(), a);
  EXPECT_TRUE(line(0).last()->isEmpty());
  EXPECT_EQ(line(1).first(), b);
  EXPECT_EQ(line(1).size(), 3);
  EXPECT_EQ(man.cursorLine, 1);
  EXPECT_EQ(man.cursorOffset, 0);
  EXPECT_EQ(man.currentSign(), b);
}

TEST_F(LayoutEditing, BreakLineFollowsTheSignWhenTheShortenedLineWraps) {
  // [a b] fill a column, so [a b br] needs two columns after the break.
  const SignPtr a = boxSign(60, 150), b = boxSign(60, 150), c = boxSign(60, 90);
  setLines(buffer, {{a, b, c, emptySign()}});
  ViewLineManager man(&buffer, &prefs, 800, 330);
  man.layout();
  ASSERT_EQ(man.position(c.get()), (ViewPosition{1, 0}));
  man.cursorLine = 1;
  man.cursorOffset = 0;
  man.breakLine();
  EXPECT_EQ(man.currentSign(), c);
  EXPECT_EQ(man.cursorLine, 2);
}

TEST_F(LayoutEditing, InsertAndReplaceAtTheCursor) {
  const SignPtr a = boxSign(60, 90), b = boxSign(60, 90);
  setLines(buffer, {{a, b, emptySign()}});
  ViewLineManagerH man(&buffer, &prefs, 1000, 800);
  man.layout();
  man.cursorOffset = 1;
  const SignPtr inserted = boxSign(40, 40);
  man.insertSign(inserted);
  EXPECT_EQ(line(0).mid(0, 3), (QList<SignPtr>{a, inserted, b}));
  EXPECT_EQ(man.currentSign(), inserted);
  const SignPtr replacement = boxSign(30, 30);
  man.replaceAtCursor(replacement);
  EXPECT_EQ(line(0).mid(0, 3), (QList<SignPtr>{a, replacement, b}));
  EXPECT_EQ(man.position(b.get()), (ViewPosition{0, 2}));
  EXPECT_EQ(man.position(inserted.get()), (ViewPosition{}));
}

TEST_F(LayoutEditing, PasteSignsPutsTheCursorAfterThePastedSigns) {
  const SignPtr a = boxSign(60, 90), b = boxSign(60, 90);
  setLines(buffer, {{a, b, emptySign()}});
  ViewLineManagerH man(&buffer, &prefs, 1000, 800);
  man.layout();
  buffer.copySign(a);
  man.cursorOffset = 1;
  man.pasteSigns();
  ASSERT_EQ(line(0).size(), 4);
  EXPECT_NE(line(0)[1], a);  // a copy
  EXPECT_EQ(man.currentSign(), b);
  EXPECT_EQ(man.cursorOffset, 2);
}

TEST_F(LayoutEditing, DroppingOnTheLineBreakStartsASignAndANewLineBreak) {
  const SignPtr a = boxSign(60, 90);
  const SignPtr lineBreak = emptySign();
  lineBreak->jjs->gloss = QStringLiteral("NEWLINE");
  setLines(buffer, {{a, lineBreak}});
  ViewLineManager man(&buffer, &prefs, 800, 1000);
  man.layout();
  const QRectF r = man.signRect(0, 1);
  man.placeCursor(r.topLeft() + QPointF(30, 40));
  ASSERT_EQ(man.currentSign(), lineBreak);
  auto symbol = std::make_shared<ISWA>();
  man.dropSymbol(symbol, r.topLeft() + QPointF(30, 40));
  EXPECT_EQ(lineBreak->symbols.size(), 1);
  EXPECT_TRUE(symbol->selected);
  EXPECT_EQ(EditorState::shared().selectedSymbols, (QList<ISWAPtr>{symbol}));
  EXPECT_EQ(symbol->rect.topLeft(), QPointF(30, 40));
  EXPECT_TRUE(lineBreak->jjs->gloss.isEmpty());
  ASSERT_EQ(line(0).size(), 3);
  EXPECT_TRUE(line(0).last()->isEmpty());
  // A second symbol keeps the line as it is.
  man.dropSymbol(std::make_shared<ISWA>(), r.topLeft() + QPointF(5, 5));
  EXPECT_EQ(line(0).size(), 3);
}

TEST_F(LayoutEditing, DroppedSymbolIsOffsetByTheSignsOwnMinimumAlongTheLine) {
  const SignPtr a = boxSign(60, 90);
  a->leftMost = 11;
  a->topMost = 13;
  setLines(buffer, {{a, emptySign()}});
  ViewLineManager vertical(&buffer, &prefs, 800, 1000);
  vertical.layout();
  auto sv = std::make_shared<ISWA>();
  vertical.dropSymbol(sv, vertical.signRect(0, 0).topLeft() + QPointF(20, 30));
  EXPECT_EQ(sv->rect.topLeft(), QPointF(20, 30 + 13));
  EXPECT_EQ(a->symbols.last(), sv);

  a->leftMost = 11;
  a->topMost = 13;
  ViewLineManagerH horizontal(&buffer, &prefs, 1000, 800);
  horizontal.layout();
  auto sh = std::make_shared<ISWA>();
  horizontal.dropSymbol(sh, horizontal.signRect(0, 0).topLeft() + QPointF(20, 30));
  EXPECT_EQ(sh->rect.topLeft(), QPointF(20 + 11, 30));
  EXPECT_EQ(EditorState::shared().selectedSymbols, (QList<ISWAPtr>{sv, sh}));
}

TEST_F(LayoutEditing, PastingSymbolsIntoTheLineBreakTerminatesTheLineAgain) {
  const SignPtr a = boxSign(60, 90);
  auto copied = std::make_shared<ISWA>();
  copied->rect = QRectF(10, 10, 0, 0);
  a->symbols << copied;
  setLines(buffer, {{a, emptySign()}});
  ViewLineManager man(&buffer, &prefs, 800, 1000);
  man.layout();
  EditorState::shared().symbolClipboard = {copied};
  man.cursorOffset = 1;
  man.pasteSymbols();
  EXPECT_EQ(line(0)[1]->symbols.size(), 1);
  ASSERT_EQ(line(0).size(), 3);
  EXPECT_TRUE(line(0).last()->isEmpty());
}

TEST_F(LayoutEditing, KeyMovesFollowTheWritingDirection) {
  // Two view lines of three signs each in both directions.
  QList<SignPtr> signs;
  for (int i = 0; i < 5; ++i) signs << boxSign(100, 100);
  signs << emptySign();
  setLines(buffer, {signs});
  ViewLineManager vertical(&buffer, &prefs, 800, 400);
  vertical.layout();
  ASSERT_EQ(vertical.viewLines.size(), 2);
  ASSERT_EQ(vertical.viewLines[0].count, 3);
  vertical.cursorDown(1);
  EXPECT_EQ(vertical.cursorOffset, 1);
  vertical.cursorRight(1);
  EXPECT_EQ(vertical.cursorLine, 1);
  vertical.cursorFarDown();
  EXPECT_EQ(vertical.cursorOffset, 2);
  vertical.cursorFarUp();
  EXPECT_EQ(vertical.cursorOffset, 0);
  vertical.cursorUp(1);  // previous sign wraps to the end of the previous column
  EXPECT_EQ(vertical.cursorLine, 0);
  EXPECT_EQ(vertical.cursorOffset, 2);
  vertical.cursorFarRight();
  EXPECT_EQ(vertical.cursorLine, 1);
  vertical.cursorFarLeft();
  EXPECT_EQ(vertical.cursorLine, 0);

  ViewLineManagerH horizontal(&buffer, &prefs, 400, 800);
  horizontal.layout();
  ASSERT_EQ(horizontal.viewLines.size(), 2);
  horizontal.cursorRight(1);
  EXPECT_EQ(horizontal.cursorOffset, 1);
  horizontal.cursorDown(1);
  EXPECT_EQ(horizontal.cursorLine, 1);
  horizontal.cursorFarRight();
  EXPECT_EQ(horizontal.cursorOffset, 2);
  horizontal.cursorFarLeft();
  EXPECT_EQ(horizontal.cursorOffset, 0);
  horizontal.cursorLeft(1);
  EXPECT_EQ(horizontal.cursorLine, 0);
  EXPECT_EQ(horizontal.cursorOffset, 2);
  horizontal.cursorFarDown();
  EXPECT_EQ(horizontal.cursorLine, 1);
  horizontal.cursorFarUp();
  EXPECT_EQ(horizontal.cursorLine, 0);
  // The ends of the text stop the moves.
  horizontal.cursorFarLeft();
  horizontal.cursorLeft(1);
  horizontal.cursorUp(1);
  EXPECT_EQ(horizontal.cursorLine, 0);
  EXPECT_EQ(horizontal.cursorOffset, 0);
}

TEST_F(LayoutEditing, ExtendingFromNoRangeAnchorsAtTheOldCursor) {
  QList<SignPtr> signs{boxSign(100, 100), boxSign(100, 100), boxSign(100, 100), emptySign()};
  setLines(buffer, {signs});
  ViewLineManager man(&buffer, &prefs, 800, 1000);
  man.layout();
  man.cursorOffset = 1;
  man.cursorDown(10);
  EXPECT_EQ(man.selectStart, 1);
  EXPECT_EQ(man.selectEnd, 2);
  // The far moves leave the range alone.
  man.cursorFarUp();
  EXPECT_EQ(man.selectEnd, 2);
  man.lastLine();
  EXPECT_EQ(man.selectStart, 1);
  man.cursorUp(1);
  EXPECT_EQ(man.selectStart, -1);
  EXPECT_EQ(man.selectEnd, -1);
}

}  // namespace
}  // namespace quabe
