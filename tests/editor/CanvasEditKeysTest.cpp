#include <QLineEdit>
#include <QPushButton>

#include "CanvasEditTestSupport.h"
#include "editor/layout/ViewLineManager.h"
#include "editor/window/TextInputPanel.h"

namespace quabe::test {
namespace {

class CanvasEditKeysTest : public EditorGuiTest {
 protected:
  // One line: a sign with a hand and an arrow, a sign with a dynamics symbol
  // (it has two variations), a sign with a head.
  WindowController* openStandard(bool vertical = false) {
    window = openWindow(
        makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}, {"02-03-001-01-01-01", 60, 90}}),
                       makeSign({{"03-01-003-01-01-01", 40, 40}}), makeSign({{"04-01-001-01-01-01", 40, 30}})}},
                     vertical));
    canvas = window->canvasView();
    layout = canvas->viewLineMan();
    return window;
  }
  SignPtr current() const { return canvas->viewLineMan()->currentSign(); }
  // Makes sign index of view line 0 current and selects its symbol at.
  ISWAPtr selectSymbol(qint64 index, qsizetype at) {
    clickSign(canvas, 0, index);
    const ISWAPtr symbol = current()->symbols[at];
    click(canvas, centreOf(canvas, symbol));
    return symbol;
  }
  qsizetype lineLength(qsizetype line = 0) const {
    return window->document()->bufferManager.editBuffer[line]->signArray.size();
  }

  WindowController* window = nullptr;
  EditingCanvas* canvas = nullptr;
  ViewLineManager* layout = nullptr;
};

// R, L, H, V, F, Shift+F and N turn, flip, fill and vary the selected symbols.
TEST_F(CanvasEditKeysTest, SymbolShapeKeys) {
  openStandard();
  const ISWAPtr hand = selectSymbol(0, 0);
  ASSERT_TRUE(hand->selected);
  const SymbolCode start = hand->sss();
  key(canvas, Qt::Key_R);
  EXPECT_EQ(SSS::rotation(hand->sss()), 8) << "45 degrees clockwise";
  key(canvas, Qt::Key_L);
  EXPECT_EQ(hand->sss(), start);
  key(canvas, Qt::Key_H);
  EXPECT_EQ(SSS::rotation(hand->sss()), 9) << "mirrored left-right";
  key(canvas, Qt::Key_H);
  key(canvas, Qt::Key_V);
  EXPECT_NE(hand->sss(), start) << "flipped top-bottom";
  key(canvas, Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(hand->sss(), start);
  key(canvas, Qt::Key_F);
  EXPECT_EQ(SSS::fill(hand->sss()), 2);
  key(canvas, Qt::Key_F, Qt::ShiftModifier);
  EXPECT_EQ(SSS::fill(hand->sss()), 1);

  const ISWAPtr dynamics = selectSymbol(1, 0);
  key(canvas, Qt::Key_N);
  EXPECT_EQ(SSS::variation(dynamics->sss()), 2);
  EXPECT_EQ(window->document()->undoStack().count(), 9);
}

// D, M, Backspace, X, Ctrl+C, Ctrl+V, A, S and Shift+S work on the symbols of the current sign.
TEST_F(CanvasEditKeysTest, SymbolSetKeys) {
  openStandard();
  const ISWAPtr hand = selectSymbol(0, 0);
  SignPtr sign = current();
  key(canvas, Qt::Key_D);
  ASSERT_EQ(sign->symbols.size(), 3);
  EXPECT_EQ(sign->symbols[2]->rect.topLeft(), hand->rect.topLeft() + QPointF(5, 5));
  EXPECT_TRUE(sign->symbols[2]->selected);
  key(canvas, Qt::Key_M);
  ASSERT_EQ(sign->symbols.size(), 4);
  EXPECT_EQ(SSS::rotation(sign->symbols[3]->sss()), 9);
  key(canvas, Qt::Key_Backspace);
  EXPECT_EQ(sign->symbols.size(), 3);
  key(canvas, Qt::Key_Delete);
  EXPECT_EQ(sign->symbols.size(), 3) << "nothing selected any more: Delete changes nothing";

  key(canvas, Qt::Key_A);
  EXPECT_EQ(EditorState::shared().selectedSymbols.size(), 3);
  key(canvas, Qt::Key_A);
  EXPECT_TRUE(EditorState::shared().selectedSymbols.isEmpty()) << "A again selects none";
  key(canvas, Qt::Key_S);
  EXPECT_EQ(EditorState::shared().selectedSymbols, QList<ISWAPtr>{sign->symbols[0]});
  key(canvas, Qt::Key_S);
  EXPECT_EQ(EditorState::shared().selectedSymbols, QList<ISWAPtr>{sign->symbols[1]});
  key(canvas, Qt::Key_S, Qt::ShiftModifier);
  EXPECT_EQ(EditorState::shared().selectedSymbols, QList<ISWAPtr>{sign->symbols[0]});

  pictures.images.clear();
  key(canvas, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(EditorState::shared().symbolClipboard, QList<ISWAPtr>{sign->symbols[0]});
  EXPECT_EQ(pictures.images.size(), 1) << "a picture of the copied symbols";
  key(canvas, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(sign->symbols.size(), 4);
  EXPECT_EQ(sign->symbols[3]->rect.topLeft(), sign->symbols[0]->rect.topLeft() + QPointF(3, 3));
  key(canvas, Qt::Key_C, Qt::MetaModifier);
  key(canvas, Qt::Key_X);
  EXPECT_EQ(sign->symbols.size(), 3);
  key(canvas, Qt::Key_V, Qt::MetaModifier);
  EXPECT_EQ(sign->symbols.size(), 4);
  key(canvas, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(sign->symbols.size(), 3);
  key(canvas, Qt::Key_X, Qt::ShiftModifier);
  EXPECT_EQ(sign->symbols.size(), 3) << "Shift+X is no command";
}

// Ctrl+] and Ctrl+[ change the drawing order (menu commands).
TEST_F(CanvasEditKeysTest, DrawingOrderCommands) {
  openStandard();
  const ISWAPtr hand = selectSymbol(0, 0);
  window->action(QStringLiteral("conMoveForward"))->trigger();
  EXPECT_EQ(current()->symbols.last(), hand);
  window->action(QStringLiteral("conMoveBackward"))->trigger();
  EXPECT_EQ(current()->symbols.first(), hand);
}

// Return, Backspace on an empty sign, Alt+Backspace, Meta+W, the sign copy
// keys, Y, Ctrl+Shift+V and Ctrl+E edit the signs of the text.
TEST_F(CanvasEditKeysTest, SignKeys) {
  openStandard();
  BufferManager& buffer = window->document()->bufferManager;
  ASSERT_EQ(lineLength(), 4);
  clickSign(canvas, 0, 1);
  const SignPtr second = current();
  key(canvas, Qt::Key_Return);
  ASSERT_EQ(buffer.lineCount(), 2);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.first(), second);
  EXPECT_EQ(current(), second);

  key(canvas, Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(current()->isEmpty()) << "an empty sign before the current one";
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 4);
  key(canvas, Qt::Key_Backspace);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 3) << "Backspace on an empty sign cuts it";
  EXPECT_EQ(current(), second);

  key(canvas, Qt::Key_Backspace);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 3) << "no symbol selected: nothing happens";
  key(canvas, Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 2) << "Alt+Backspace cuts the sign";
  EXPECT_EQ(EditorState::shared().signClipboard.signArray, QList<SignPtr>{second});
  key(canvas, Qt::Key_Y);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 3);
  key(canvas, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 4);
  key(canvas, Qt::Key_V, Qt::MetaModifier | Qt::ShiftModifier);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 5);
  key(canvas, Qt::Key_W, Qt::MetaModifier);
  EXPECT_EQ(buffer.editBuffer[1]->signArray.size(), 4);

  clickSign(canvas, 0, 0);
  const SignPtr first = current();
  pictures.images.clear();
  key(canvas, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(EditorState::shared().signClipboard.signArray, QList<SignPtr>{first});
  ASSERT_EQ(pictures.images.size(), 1);
  EXPECT_EQ(pictures.images[0].size(), QSize(qRound(first->width), qRound(first->height)));
  EditorState::shared().signClipboard.signArray.clear();
  key(canvas, Qt::Key_R, Qt::MetaModifier);
  EXPECT_EQ(EditorState::shared().signClipboard.signArray, QList<SignPtr>{first});
  EXPECT_EQ(pictures.images.size(), 2);
}

// Arrows move the cursor without a symbol selection; Shift extends the
// range across view lines; Ctrl gives the far moves; the Meta keys move by one.
TEST_F(CanvasEditKeysTest, CursorKeys) {
  QList<SignPtr> signs;
  for (int i = 0; i < 40; ++i) signs << makeSign({{"01-01-001-01-01-01", 30, 40}});
  window = openWindow(makeDocument({signs, {makeSign({{"04-01-001-01-01-01", 40, 30}})}}));
  canvas = window->canvasView();
  ViewLineManager* man = canvas->viewLineMan();
  ASSERT_GE(man->viewLines.size(), 3) << "the first line needs two rows";
  clickSign(canvas, 0, 0);
  key(canvas, Qt::Key_Right);
  EXPECT_EQ(man->cursorOffset, 1);
  key(canvas, Qt::Key_Left);
  EXPECT_EQ(man->cursorOffset, 0);
  key(canvas, Qt::Key_Down);
  EXPECT_EQ(man->cursorLine, 1);
  key(canvas, Qt::Key_Up);
  EXPECT_EQ(man->cursorLine, 0);

  // Shift+Right from the end of the first row extends into the second.
  const qint64 rowEnd = man->viewLines[0].count - 1;
  key(canvas, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(man->cursorOffset, rowEnd);
  key(canvas, Qt::Key_Right, Qt::ShiftModifier);
  key(canvas, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(man->cursorLine, 1);
  EXPECT_EQ(man->selectStart, ViewLineManager::pack(0, rowEnd));
  EXPECT_EQ(man->selectEnd, ViewLineManager::pack(1, 1));
  key(canvas, Qt::Key_Left);
  EXPECT_FALSE(man->hasRangeSelection()) << "a plain move clears the range";

  key(canvas, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(man->cursorLine, man->viewLines.size() - 1);
  key(canvas, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(man->cursorLine, 0);
  key(canvas, Qt::Key_E, Qt::MetaModifier);
  EXPECT_EQ(man->cursorOffset, rowEnd);
  key(canvas, Qt::Key_A, Qt::MetaModifier);
  EXPECT_EQ(man->cursorOffset, 0);
  key(canvas, Qt::Key_F, Qt::MetaModifier);
  EXPECT_EQ(man->cursorOffset, 1);
  key(canvas, Qt::Key_B, Qt::MetaModifier);
  EXPECT_EQ(man->cursorOffset, 0);
  key(canvas, Qt::Key_N, Qt::MetaModifier);
  EXPECT_EQ(man->cursorLine, 1);
  key(canvas, Qt::Key_P, Qt::MetaModifier);
  EXPECT_EQ(man->cursorLine, 0);
  key(canvas, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(man->cursorOffset, 0);
  EXPECT_EQ(window->document()->undoStack().count(), 0) << "cursor moves change nothing";
}

// Arrows move selected symbols by 1, with Shift by 10, never out of the box
// limits of the layout (horizontal: 300 x 150, vertical: 150 x 300).
TEST_F(CanvasEditKeysTest, ArrowMovesKeepBoxLimits) {
  for (const bool vertical : {false, true}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    EditorState::shared().reset();
    openStandard(vertical);
    const ISWAPtr hand = selectSymbol(0, 0);
    const QPointF start = hand->rect.topLeft();
    key(canvas, Qt::Key_Right);
    EXPECT_EQ(hand->rect.topLeft(), start + QPointF(1, 0));
    key(canvas, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(hand->rect.topLeft(), start + QPointF(1, 10));
    for (int i = 0; i < 40; ++i) key(canvas, Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 40; ++i) key(canvas, Qt::Key_Down, Qt::ShiftModifier);
    const qreal boxWidth = vertical ? 150 : 300;
    const qreal boxHeight = vertical ? 300 : 150;
    EXPECT_LT(hand->rect.right(), boxWidth);
    EXPECT_GE(hand->rect.right() + 10, boxWidth);
    EXPECT_LT(hand->rect.bottom(), boxHeight);
    EXPECT_GE(hand->rect.bottom() + 10, boxHeight);
    for (int i = 0; i < 40; ++i) key(canvas, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_GE(current()->leftMost, 0);
    EXPECT_EQ(window->document()->undoStack().count(), 1) << "one run of moves";
    window->document()->setModified(false);
    window->close();
  }
}

// Space cycles an ambiguous sign through its candidates and back; a plain
// sign and an ambiguous sign without candidates stay as they are.
TEST_F(CanvasEditKeysTest, SpaceCyclesAmbiguousSigns) {
  QList<qint64> loaded;
  EditingCanvas::setSignLoader([&loaded](qint64 id) -> SignPtr {
    loaded << id;
    const char* codes[] = {"01-02-001-01-01-01", "01-03-001-01-01-01", "01-04-001-01-01-01"};
    SignPtr sign = makeSign({{codes[id % 3], 35, 45}}, QStringLiteral("G%1").arg(id));
    sign->jjs->signID = id;
    return sign;
  });
  SignPtr ambiguous = makeSign({{"01-05-001-01-01-01", 40, 40}});
  ambiguous->jjs->signID = 30;
  ambiguous->jjs->isAmbiguous = true;
  ambiguous->jjs->candidates = {31, 32};
  ambiguous->jjs->comment = QStringLiteral("kept");
  SignPtr lonely = makeSign({{"01-05-001-01-01-01", 40, 40}});
  lonely->jjs->isAmbiguous = true;
  window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}}), ambiguous, lonely}}));
  canvas = window->canvasView();

  clickSign(canvas, 0, 0);
  const QByteArray plain = window->document()->swmlData();
  key(canvas, Qt::Key_Space);
  EXPECT_EQ(window->document()->swmlData(), plain);
  clickSign(canvas, 0, 2);
  key(canvas, Qt::Key_Space);
  EXPECT_EQ(current(), lonely) << "no candidates: unchanged";
  EXPECT_TRUE(loaded.isEmpty());

  clickSign(canvas, 0, 1);
  key(canvas, Qt::Key_Space);
  EXPECT_EQ(current()->jjs->signID, 31);
  EXPECT_EQ(current()->jjs->candidates, (QList<qint64>{32, 30}));
  EXPECT_TRUE(current()->jjs->isAmbiguous);
  EXPECT_EQ(current()->jjs->comment, QStringLiteral("kept"));
  key(canvas, Qt::Key_Space);
  EXPECT_EQ(current()->jjs->signID, 32);
  key(canvas, Qt::Key_Space);
  EXPECT_EQ(current()->jjs->signID, 30);
  EXPECT_EQ(current()->jjs->candidates, (QList<qint64>{31, 32}));
  EXPECT_EQ(loaded, (QList<qint64>{31, 32, 30}));
  EXPECT_EQ(window->document()->bufferManager.editBuffer[0]->signArray.size(), 4);
}

// Shift+Space, Alt+L, Alt+A and Ctrl+T reach the comment panel, the sign
// list and the dictionary editor (Alt+Space and the notation input: see
// NotationInputTest).
TEST_F(CanvasEditKeysTest, PanelAndDictionaryKeys) {
  openStandard();
  DocumentController& app = DocumentController::shared();
  QList<SignPtr> handed;
  app.setAddSignHandler([&handed](WindowController*, const SignPtr& sign) { handed << sign; });
  int signLists = 0;
  app.setToolHandler(ToolCommand::SignList, [&signLists](WindowController*) { ++signLists; });

  clickSign(canvas, 0, 0);
  const SignPtr first = current();
  whenModal([](QWidget* modal) {
    auto* panel = qobject_cast<TextInputPanel*>(modal);
    ASSERT_NE(panel, nullptr);
    panel->textField()->setText(QStringLiteral("note"));
    panel->okButton()->click();
  });
  key(canvas, Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(first->comment, QStringLiteral("note"));
  whenModal([](QWidget* modal) {
    auto* panel = qobject_cast<TextInputPanel*>(modal);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->textField()->text(), QStringLiteral("note")) << "the panel shows the sign's comment";
    panel->textField()->setText(QStringLiteral("discarded"));
    panel->closeButton()->click();
  });
  key(canvas, Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(first->comment, QStringLiteral("note"));

  key(canvas, Qt::Key_L, Qt::AltModifier);
  EXPECT_EQ(signLists, 1);
  key(canvas, Qt::Key_A, Qt::AltModifier);
  key(canvas, Qt::Key_T, Qt::ControlModifier);
  ASSERT_EQ(handed.size(), 2);
  EXPECT_NE(handed[0], first) << "a copy goes to the editor";
  EXPECT_EQ(handed[0]->symbols.size(), first->symbols.size());

  key(canvas, Qt::Key_E, Qt::ControlModifier);
  key(canvas, Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(handed.size(), 2) << "an empty sign goes nowhere";
  ASSERT_EQ(alerts->messages.size(), 1);
  EXPECT_EQ(alerts->messages[0], QStringLiteral("The sign has no symbol"));

  app.setAddSignHandler({});
  app.setToolHandler(ToolCommand::SignList, {});
}

// A key that is both a canvas key and a menu shortcut acts once; menu
// shortcuts the canvas does not use still work while it has the focus.
TEST_F(CanvasEditKeysTest, CanvasKeysAndMenuShortcutsShareTheKeyboard) {
  openStandard();
  const ISWAPtr hand = selectSymbol(0, 0);
  // Ctrl+X is also the Cut Symbols menu shortcut: it acts once.
  key(canvas, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(current()->symbols.size(), 1);
  EXPECT_EQ(window->document()->undoStack().count(), 1);
  // Ctrl+Z is a menu shortcut only.
  key(canvas, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(current()->symbols.size(), 2);
  key(canvas, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(current()->symbols.size(), 1);
}

}  // namespace
}  // namespace quabe::test
