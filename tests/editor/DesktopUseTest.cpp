// Everyday use of a document window: glosses of one's own signs, lanes, the
// focus after a palette drop and untitled windows.

#include "DictCommandsTestSupport.h"
#include "core/Localization.h"
#include "editor/palette/PaletteView.h"
#include "editor/window/GlossPanel.h"

namespace quabe::test {
namespace {

class DesktopUseTest : public DictCommandsTest {
 protected:
  // Fills the gloss panel once it is up and presses OK.
  static void answerGlossPanel(const QString& gloss, const QString& reading) {
    whenModal([gloss, reading](QWidget* modal) {
      auto* panel = qobject_cast<GlossPanel*>(modal);
      ASSERT_NE(panel, nullptr);
      panel->glossField()->setText(gloss);
      panel->readingField()->setText(reading);
      panel->accept();
    });
  }
};

// A gloss typed for a sign is the document's own: one undo step, and the
// entry the sign came from (shared with the dictionary's copy) keeps its
// gloss. A double click on the shown gloss edits it again.
TEST_F(DesktopUseTest, GlossOfASignIsUndoneAndLeavesTheEntryAlone) {
  QSettings().setValue(QStringLiteral("ShowGlosses"), true);
  const SignPtr sign = makeSign({{"01-01-001-01-01-01", 30, 40}}, QStringLiteral("DICT"));
  const std::shared_ptr<DbSign> entry = sign->jjs;
  entry->signID = 7;
  auto document = makeDocument({{sign}});
  document->prefs.showGlosses = true;
  WindowController* window = openWindow(std::move(document));
  placeCursor(window, 0, 0);

  answerGlossPanel(QStringLiteral("雨②"), QStringLiteral("あめ"));
  window->action(QStringLiteral("editGloss"))->trigger();
  EXPECT_EQ(sign->jjs->gloss, QStringLiteral("雨"));
  EXPECT_EQ(sign->jjs->tag, QStringLiteral("②"));
  EXPECT_EQ(sign->jjs->yomi, QStringLiteral("あめ"));
  EXPECT_EQ(entry->gloss, QStringLiteral("DICT")) << "the entry the sign came from changed";
  ASSERT_EQ(window->document()->undoStack().count(), 1);

  EditingCanvas* canvas = window->canvasView();
  const QRectF glossArea = canvas->viewLineMan()->glossRect(0, 0);
  ASSERT_FALSE(glossArea.isEmpty());
  placeCursor(window, 0, 1);
  answerGlossPanel(QStringLiteral("RAIN"), QString());
  QTest::mouseDClick(canvas, Qt::LeftButton, Qt::NoModifier, glossArea.center().toPoint());
  EXPECT_EQ(canvas->viewLineMan()->currentSign(), sign);
  EXPECT_EQ(sign->jjs->gloss, QStringLiteral("RAIN"));

  window->document()->undoStack().undo();
  window->document()->undoStack().undo();
  EXPECT_EQ(window->canvasView()->viewLineMan()->signs(0)[0]->jjs->gloss, QStringLiteral("DICT"));
}

// The lane commands move a sign across its column in vertical writing, one
// undo step each.
TEST_F(DesktopUseTest, LaneKeysMoveTheSignAcrossTheColumn) {
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}, true));
  EditingCanvas* canvas = window->canvasView();
  ViewLineManager* man = canvas->viewLineMan();
  placeCursor(window, 0, 0);
  auto across = [&] { return man->signs(0)[0]->symbols[0]->rect.translated(man->signOrigin(0, 0)).center().x(); };
  key(canvas, Qt::Key_3, Qt::AltModifier);
  EXPECT_EQ(man->signs(0)[0]->lane, 1);
  const qreal right = across();
  window->action(QStringLiteral("laneMiddle"))->trigger();
  EXPECT_EQ(man->signs(0)[0]->lane, 0);
  const qreal middle = across();
  key(canvas, Qt::Key_1, Qt::AltModifier);
  EXPECT_EQ(man->signs(0)[0]->lane, -1);
  EXPECT_GT(right, middle + 10);
  EXPECT_LT(across(), middle - 10);
  EXPECT_EQ(window->document()->undoStack().count(), 3);
  window->document()->undoStack().undo();
  EXPECT_EQ(man->signs(0)[0]->lane, 0);
  EXPECT_NEAR(across(), middle, 0.5);
}

// After a palette symbol is dropped, the canvas has the keyboard and only the
// dropped symbol is selected: R turns it and nothing else.
TEST_F(DesktopUseTest, KeysAfterADropActOnTheDroppedSymbolOnly) {
  const SignPtr sign = makeSign({{"01-01-001-01-01-01", 30, 40}});
  WindowController* window = openWindow(makeDocument({{sign}}));
  EditingCanvas* canvas = window->canvasView();
  placeCursor(window, 0, 0);
  click(canvas, centreOf(canvas, sign->symbols[0]));
  ASSERT_TRUE(canvas->selection().contains(sign->symbols[0].get()));
  const QString before = SSS::toString(sign->symbols[0]->sss());

  window->mainPaletteView()->setFocus();
  ASSERT_TRUE(dropOn(canvas, ArrowCode, centreOf(canvas, sign->symbols[0]) + QPointF(8, 8)));
  ASSERT_EQ(sign->symbols.size(), 2);
  EXPECT_EQ(QApplication::focusWidget(), canvas);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_R);
  EXPECT_EQ(SSS::toString(sign->symbols[0]->sss()), before);
  EXPECT_NE(SSS::toString(sign->symbols[1]->sss()), ArrowCode);
}

// Untitled windows are numbered; opening a file replaces an untouched one
// but never one that has been edited.
TEST_F(DesktopUseTest, OpenReplacesTheUntouchedUntitledWindow) {
  Document saved;
  ASSERT_TRUE(saved.writeToFile(path(QStringLiteral("a.swml"))));
  ASSERT_TRUE(saved.writeToFile(path(QStringLiteral("b.swml"))));
  QPointer<WindowController> first = controller().newDocument();
  WindowController* second = controller().newDocument();
  EXPECT_EQ(first->displayName(), loc("Untitled"));
  EXPECT_EQ(second->displayName(), loc("UntitledNumbered").arg(2));

  WindowController* opened = controller().openDocument(path(QStringLiteral("a.swml")));
  ASSERT_NE(opened, nullptr);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(controller().windows().size(), 2);
  EXPECT_FALSE(controller().windows().contains(second));
  EXPECT_TRUE(first);

  showActive(first);
  first->canvasView()->insertEmptySign();
  ASSERT_GT(first->document()->undoStack().count(), 0);
  ASSERT_NE(controller().openDocument(path(QStringLiteral("b.swml"))), nullptr);
  EXPECT_EQ(controller().windows().size(), 3);
  EXPECT_TRUE(controller().windows().contains(first.data()));
}

}  // namespace
}  // namespace quabe::test
