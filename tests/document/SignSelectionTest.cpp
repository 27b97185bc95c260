// The editor-wide symbol selection as the sign operations walk and change it.
#include "SignTestSupport.h"

namespace quabe::test {
namespace {

class SignSelectionTest : public EditorStateFixture {
 protected:
  void SetUp() override {
    EditorStateFixture::SetUp();
    a = boxSymbol(0, 0, 10, 10);
    b = boxSymbol(20, 0, 10, 10);
    c = boxSymbol(40, 0, 10, 10);
    sign = signWith({a, b, c});
  }
  QList<ISWA*> selection() { return identities(state().selectedSymbols); }
  ISWAPtr a, b, c;
  SignPtr sign;
};

TEST_F(SignSelectionTest, NextAndPreviousWalkWithWrap) {
  sign->selectNextSymbol();  // empty selection: the first symbol
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});
  state().clearSymbolSelection();
  sign->selectPreviousSymbol();  // empty selection: the last symbol
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});

  sign->selectSymbol(b);
  state().removeFromSelection(c.get());
  sign->selectNextSymbol();
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
  EXPECT_TRUE(c->selected);
  EXPECT_FALSE(b->selected);
  sign->selectNextSymbol();
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});
  sign->selectPreviousSymbol();
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
  sign->selectPreviousSymbol();
  EXPECT_EQ(selection(), QList<ISWA*>{b.get()});

  // Several selected: the step starts from the first selected one and leaves one.
  state().addToSelection(a);
  sign->selectNextSymbol();
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
  EXPECT_FALSE(a->selected);
}

TEST_F(SignSelectionTest, ClickAndShiftClick) {
  ISWAPtr foreign = boxSymbol(0, 0, 5, 5);
  auto other = signWith({foreign});
  other->selectSymbol(foreign);
  sign->selectSymbol(a);  // a click in another sign drops the first sign's selection
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});
  EXPECT_FALSE(foreign->selected);

  sign->selectSymbol(a);  // clicking again does not list it twice
  EXPECT_EQ(selection(), QList<ISWA*>{a.get()});

  sign->toggleSymbolSelection(c);
  EXPECT_EQ(selection(), (QList<ISWA*>{a.get(), c.get()}));
  sign->toggleSymbolSelection(a);  // shift-click on a selected symbol unselects it
  EXPECT_EQ(selection(), QList<ISWA*>{c.get()});
  EXPECT_FALSE(a->selected);
  sign->toggleSymbolSelection(c);
  EXPECT_TRUE(state().selectedSymbols.isEmpty());
  sign->toggleSymbolSelection(b);  // with nothing selected it selects
  EXPECT_EQ(selection(), QList<ISWA*>{b.get()});
}

TEST_F(SignSelectionTest, ForwardAndBackwardKeepSelectionOrder) {
  state().selectedSymbols = {a, c};
  sign->moveSelectedForward();
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{b.get(), a.get(), c.get()}));
  sign->moveSelectedBackward();
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{a.get(), c.get(), b.get()}));

  // Selection order decides; a symbol listed twice still moves once.
  state().selectedSymbols = {c, a, c};
  sign->moveSelectedForward();
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{b.get(), c.get(), a.get()}));
}

TEST_F(SignSelectionTest, DeleteRemovesOnlyOwnSymbolsAndDeselectsThem) {
  ISWAPtr foreign = boxSymbol(0, 0, 5, 5);
  auto other = signWith({foreign});
  state().selectedSymbols = {c, foreign};
  c->selected = true;
  sign->deleteSelectedSymbols();
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{a.get(), b.get()}));
  EXPECT_DOUBLE_EQ(sign->rightMost, 30);
  EXPECT_EQ(other->symbols.size(), 1);
  EXPECT_EQ(selection(), QList<ISWA*>{foreign.get()});
  EXPECT_FALSE(c->selected);
}

TEST_F(SignSelectionTest, CopyAndPasteSymbols) {
  RecordingPasteboard pasteboard;
  state().setPasteboard(&pasteboard);
  sign->copySelectedSymbols();  // nothing selected: nothing happens
  EXPECT_TRUE(state().symbolClipboard.isEmpty());
  EXPECT_TRUE(pasteboard.images.isEmpty());

  state().selectedSymbols = {c, a};
  sign->copySelectedSymbols();
  EXPECT_EQ(identities(state().symbolClipboard), (QList<ISWA*>{c.get(), a.get()}));
  ASSERT_EQ(pasteboard.images.size(), 1);
  EXPECT_EQ(pasteboard.images[0].size(), QSize(50, 10));  // union of the rectangles

  auto target = signWith({});
  target->pasteSymbols();
  target->pasteSymbols();
  ASSERT_EQ(target->symbols.size(), 4);
  EXPECT_EQ(target->symbols[0]->rect.topLeft(), QPointF(43, 3));
  EXPECT_EQ(target->symbols[1]->rect.topLeft(), QPointF(3, 3));
  EXPECT_EQ(target->symbols[2]->rect.topLeft(), QPointF(43, 3));
  EXPECT_EQ(target->symbols[3]->rect.topLeft(), QPointF(3, 3));
  EXPECT_EQ(selection(), (QList<ISWA*>{target->symbols[2].get(), target->symbols[3].get()}));
  EXPECT_FALSE(target->symbols[0]->selected);
}

TEST_F(SignSelectionTest, CutThenPasteStillHasTheSymbols) {
  state().selectedSymbols = {b};
  sign->cutSelectedSymbols();
  EXPECT_EQ(identities(sign->symbols), (QList<ISWA*>{a.get(), c.get()}));
  EXPECT_TRUE(state().selectedSymbols.isEmpty());
  sign->pasteSymbols();
  ASSERT_EQ(sign->symbols.size(), 3);
  EXPECT_EQ(sign->symbols[2]->rect.topLeft(), QPointF(23, 3));
}

}  // namespace
}  // namespace quabe::test
