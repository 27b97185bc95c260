// The editor-wide symbol selection as the sign operations walk and change it.
#include "SignTestSupport.h"

namespace quabe::test {
namespace {

class SignSelectionTest : public SelectionFixture {
 protected:
  void SetUp() override {
    SelectionFixture::SetUp();
    a = boxSymbol(0, 0, 10, 10);
    b = boxSymbol(20, 0, 10, 10);
    c = boxSymbol(40, 0, 10, 10);
    sign = signWith({a, b, c});
  }
  QList<ISWA*> selection() { return identities(sel.symbols()); }
  ISWAPtr a, b, c;
  SignPtr sign;
};

TEST_F(SignSelectionTest, NextAndPreviousWalkWithWrap) {
  sign->selectNextSymbol(sel);  // empty selection: the first symbol
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});
  sel.clear();
  sign->selectPreviousSymbol(sel);  // empty selection: the last symbol
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});

  sign->selectSymbol(sel, b);
  sel.remove(c.get());
  sign->selectNextSymbol(sel);
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
  sign->selectNextSymbol(sel);
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});
  sign->selectPreviousSymbol(sel);
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
  sign->selectPreviousSymbol(sel);
  EXPECT_EQ(selection(), QList<ISWA*>{b.get()});

  // Several selected: the step starts from the first selected one and leaves one.
  sel.add(a);
  sign->selectNextSymbol(sel);
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
}

TEST_F(SignSelectionTest, ClickAndShiftClick) {
  ISWAPtr foreign = boxSymbol(0, 0, 5, 5);
  auto other = signWith({foreign});
  other->selectSymbol(sel, foreign);
  sign->selectSymbol(sel, a);  // a click in another sign drops the first sign's selection
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});

  sign->selectSymbol(sel, a);  // clicking again does not list it twice
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});

  sign->toggleSymbolSelection(sel, c);
  EXPECT_EQ(selection(), (QList<ISWA*>{a.get(), c.get()}));
  sign->toggleSymbolSelection(sel, a);  // shift-click on a selected symbol unselects it
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
  sign->toggleSymbolSelection(sel, c);
  EXPECT_TRUE(sel.symbols().isEmpty());
  sign->toggleSymbolSelection(sel, b);  // with nothing selected it selects
  EXPECT_EQ(selection(), QList<ISWA*>{b.get()});
}

TEST_F(SignSelectionTest, ForwardAndBackwardKeepSelectionOrder) {
  select({a, c});
  sign->moveSelectedForward(sel);
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{b.get(), a.get(), c.get()}));
  sign->moveSelectedBackward(sel);
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{a.get(), c.get(), b.get()}));

  // Selection order decides; a symbol listed twice still moves once.
  select({c, a, c});
  sign->moveSelectedForward(sel);
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{b.get(), c.get(), a.get()}));
}

TEST_F(SignSelectionTest, DeleteRemovesOnlyOwnSymbolsAndDeselectsThem) {
  ISWAPtr foreign = boxSymbol(0, 0, 5, 5);
  auto other = signWith({foreign});
  select({c, foreign});
  sign->deleteSelectedSymbols(sel);
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{a.get(), b.get()}));
  EXPECT_DOUBLE_EQ(sign->rightMost, 30);
  EXPECT_EQ(other->symbols.size(), 1);
  EXPECT_EQ(selection(), QList<ISWA*>{foreign.get()});
}

TEST_F(SignSelectionTest, CopyAndPasteSymbols) {
  RecordingPasteboard pasteboard;
  clipboards().setPasteboard(&pasteboard);
  sign->copySelectedSymbols(sel);  // nothing selected: nothing happens
  EXPECT_TRUE(clipboards().symbolClipboard.isEmpty());
  EXPECT_TRUE(pasteboard.images.isEmpty());

  select({c, a});
  sign->copySelectedSymbols(sel);
  EXPECT_EQ(identities(clipboards().symbolClipboard), (QList<ISWA*>{c.get(), a.get()}));
  ASSERT_EQ(pasteboard.images.size(), 1);
  EXPECT_EQ(pasteboard.images[0].size(), QSize(50, 10));  // union of the rectangles

  auto target = signWith({});
  target->pasteSymbols(sel);
  target->pasteSymbols(sel);
  ASSERT_EQ(target->symbols.size(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(target->symbols[i]->rect.topLeft(), i % 2 ? QPointF(3, 3) : QPointF(43, 3)) << i;
  EXPECT_EQ(selection(), (QList<ISWA*>{target->symbols[2].get(), target->symbols[3].get()}));
}

TEST_F(SignSelectionTest, CutThenPasteStillHasTheSymbols) {
  select({b});
  sign->cutSelectedSymbols(sel);
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{a.get(), c.get()}));
  EXPECT_TRUE(sel.symbols().isEmpty());
  sign->pasteSymbols(sel);
  ASSERT_EQ(sign->symbols.size(), 3);
  EXPECT_EQ(sign->symbols[2]->rect.topLeft(), QPointF(23, 3));
}

}  // namespace
}  // namespace quabe::test
