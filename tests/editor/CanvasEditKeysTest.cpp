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

  WindowController* window = nullptr;
  EditingCanvas* canvas = nullptr;
};

// Space cycles an ambiguous sign through its candidates and back; a plain
// sign and an ambiguous sign without candidates stay as they are.
TEST_F(CanvasEditKeysTest, SpaceCyclesAmbiguousSigns) {
  QList<qint64> loaded;
  const EditingCanvas::SignLoader loader = [&loaded](qint64 id) -> SignPtr {
    loaded << id;
    const char* codes[] = {"01-02-001-01-01-01", "01-03-001-01-01-01", "01-04-001-01-01-01"};
    SignPtr sign = makeSign({{codes[id % 3], 35, 45}}, QStringLiteral("G%1").arg(id));
    sign->jjs->signID = id;
    return sign;
  };
  SignPtr ambiguous = makeSign({{"01-05-001-01-01-01", 40, 40}});
  ambiguous->jjs->signID = 30;
  ambiguous->jjs->isAmbiguous = true;
  ambiguous->jjs->candidates = {31, 32};
  ambiguous->jjs->comment = QStringLiteral("kept");
  SignPtr lonely = makeSign({{"01-05-001-01-01-01", 40, 40}});
  lonely->jjs->isAmbiguous = true;
  window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}}), ambiguous, lonely}}));
  canvas = window->canvasView();
  canvas->setSignLoader(loader);

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

// Shift+Space opens the comment panel on the current sign: OK stores the
// text, Close leaves the comment as it was.
TEST_F(CanvasEditKeysTest, CommentPanelStoresOnOkOnly) {
  openStandard();
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
  EXPECT_EQ(window->document()->undoStack().count(), 1);
}

}  // namespace
}  // namespace quabe::test
