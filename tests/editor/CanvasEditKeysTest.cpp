#include <QClipboard>
#include <QMimeData>

#include "CanvasEditTestSupport.h"
#include "core/Localization.h"
#include "document/Fsw.h"
#include "editor/SymbolClipboardAdapter.h"
#include "editor/layout/ViewLineManager.h"

namespace quabe::test {
namespace {

class CanvasEditKeysTest : public EditorGuiTest {
 protected:
  // One line: a sign with a hand and an arrow, a sign with a dynamics symbol
  // (it has two variations), a sign with a head.
  void openStandard() {
    window = openWindow(
        makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}, {"02-03-001-01-01-01", 60, 90}}),
                       makeSign({{"03-01-003-01-01-01", 40, 40}}), makeSign({{"04-01-001-01-01-01", 40, 30}})}}));
    canvas = window->canvasView();
  }
  SignPtr current() const { return canvas->viewLineMan()->currentSign(); }

  WindowController* window = nullptr;
  EditingCanvas* canvas = nullptr;
};

// Copy puts FSW text beside the picture; pasting that very text takes the
// signs with their glosses from the sign clipboard; FSW or SWU text from
// elsewhere pastes as signs in one undo step, and text without a sign is
// refused.
TEST_F(CanvasEditKeysTest, SignsTravelThroughTheSystemClipboardAsText) {
  SymbolClipboardAdapter adapter;
  Clipboards::shared().setPasteboard(&adapter);
  QClipboard* clipboard = QGuiApplication::clipboard();
  openStandard();
  const auto line = [this] { return lineOf(window); };
  line()[0]->jjs->gloss = QStringLiteral("first");
  clickSign(canvas, 0, 0);
  canvas->viewLineMan()->setRangeSelection(ViewLineManager::pack(0, 0), ViewLineManager::pack(0, 1));
  key(canvas, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QString fsw = QStringLiteral("AS10000S22a00M522x533S10000479x468S22a00509x518 AS2f900M506x503S2f900495x498");
  EXPECT_EQ(clipboard->text(), fsw);
  EXPECT_FALSE(clipboard->mimeData()->data(QStringLiteral("image/tiff")).isEmpty());
  clickSign(canvas, 0, 2);
  key(canvas, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(line().size(), 6);
  EXPECT_EQ(line()[2]->jjs->gloss, QStringLiteral("first"));

  canvas->viewLineMan()->setRangeSelection(ViewLineManager::pack(0, 0), ViewLineManager::pack(0, 1));
  controller().action(QStringLiteral("copySignAsSwu"))->trigger();
  EXPECT_EQ(FswSign::parse(clipboard->text().section(QLatin1Char(' '), 1))->fsw(), fsw.section(QLatin1Char(' '), 1));

  // A line of SWU from another program: M518x529S14c20481x471S27106503x489 twice.
  const QString swu = QString::fromUcs4(
      U"\U0001D803\U0001D918\U0001D923\U00041CA1\U0001D8F3\U0001D8E9\U00048A67"
      U"\U0001D909\U0001D8FB");
  clipboard->setText(swu + QLatin1Char(' ') + swu + QLatin1Char('\n'));
  clickSign(canvas, 0, 0);
  const int steps = window->document()->undoStack().count();
  key(canvas, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(line().size(), 8);
  for (const SignPtr& pasted : line().mid(0, 2)) {
    ASSERT_EQ(pasted->symbols.size(), 2);
    EXPECT_EQ(SSS::toFswKey(pasted->symbols[1]->sss()), QStringLiteral("S27106"));
    EXPECT_EQ(pasted->symbols[1]->rect.topLeft() - pasted->symbols[0]->rect.topLeft(), QPointF(22, 18));
  }
  EXPECT_EQ(current(), line()[2]);
  EXPECT_EQ(window->document()->undoStack().count(), steps + 1);
  window->document()->undoStack().undo();
  EXPECT_EQ(line().size(), 6);

  clipboard->setText(QStringLiteral("See you at M5, 10:00"));
  key(canvas, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(line().size(), 6);
  EXPECT_EQ(alerts->messages, QStringList{Localization::text("ClipboardHoldsNoSign")});
}

// Space cycles an ambiguous sign through its candidates and back; a plain
// sign and an ambiguous sign without candidates stay as they are.
TEST_F(CanvasEditKeysTest, SpaceCyclesAmbiguousSigns) {
  QList<qint64> loaded;
  SignPtr ambiguous = makeSign({{"01-05-001-01-01-01", 40, 40}});
  ambiguous->jjs->signID = 30;
  ambiguous->jjs->isAmbiguous = true;
  ambiguous->jjs->candidates = {31, 32};
  ambiguous->jjs->comment = QStringLiteral("kept");
  SignPtr lonely = makeSign({{"01-05-001-01-01-01", 40, 40}});
  lonely->jjs->isAmbiguous = true;
  window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}}), ambiguous, lonely}}));
  canvas = window->canvasView();
  canvas->setSignLoader([&loaded](qint64 id) {
    loaded << id;
    return candidateSign(id);
  });

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

// Shift+Space opens the comment panel on the current sign (the undo session
// stores a comment with OK): Close leaves the comment as it was.
TEST_F(CanvasEditKeysTest, CommentPanelStoresOnOkOnly) {
  openStandard();
  clickSign(canvas, 0, 0);
  const SignPtr first = current();
  first->comment = QStringLiteral("note");
  QString shown;
  answerTextPanel(QStringLiteral("discarded"), false, &shown);
  key(canvas, Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(shown, QStringLiteral("note")) << "the panel shows the sign's comment";
  EXPECT_EQ(first->comment, QStringLiteral("note"));
  EXPECT_EQ(window->document()->undoStack().count(), 0);
}

}  // namespace
}  // namespace quabe::test
