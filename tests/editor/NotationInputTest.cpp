// The notation-input panel of the document window: a typed notation line
// becomes dictionary signs inserted at the cursor, in order, as one undo step.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>

#include "DictCommandsTestSupport.h"
#include "editor/window/TextInputPanel.h"

namespace quabe::test {
namespace {

class NotationInputTest : public DictCommandsTest {
 protected:
  void SetUp() override {
    EditorGuiTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(dictionary.create());
    DocumentController::shared().installDictionaryCommands();
    hello = dictionary.addEntry("HELLO", {HandCode, ArrowCode});
    world = dictionary.addEntry("WORLD", {HeadCode});
  }
  // Answers the next notation panel with the text (OK) or closes it.
  static void answerPanel(const QString& text, bool ok = true) {
    whenModal([text, ok](QWidget* modal) {
      auto* panel = qobject_cast<TextInputPanel*>(modal);
      ASSERT_NE(panel, nullptr);
      panel->textField()->setText(text);
      QTest::mouseClick(ok ? panel->okButton() : panel->closeButton(), Qt::LeftButton);
    });
  }
  qint64 hello = 0;
  qint64 world = 0;
};

TEST_F(NotationInputTest, TypedLineBecomesSignsAtTheCursorInOneStep) {
  WindowController* window = openWindow(makeDocument(
      {{makeSign({{"04-01-001-01-01-01", 30, 40}}, "A"), makeSign({{"04-01-001-01-01-01", 30, 40}}, "B")}}));
  placeCursor(window, 0, 1);
  QUndoStack& undo = window->document()->undoStack();
  answerPanel("HELLO WORLD HELLO");
  key(window->canvasView(), Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "HELLO", "WORLD", "HELLO", "B"}));
  const QList<SignPtr>& line = window->document()->bufferManager.editBuffer[0]->signArray;
  EXPECT_EQ(line[1]->jjs->signID, hello);
  EXPECT_EQ(line[1]->symbols.size(), 2);
  EXPECT_EQ(line[2]->jjs->signID, world);
  EXPECT_EQ(window->jjsText, "HELLO WORLD HELLO");
  // The cursor stands after the inserted signs.
  EXPECT_EQ(window->canvasView()->viewLineMan()->currentSign(), line[4]);
  ASSERT_EQ(undo.count(), 1);
  undo.undo();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "B"}));
  undo.redo();
  EXPECT_EQ(glossesOfFirstLine(window).size(), 5);
}

TEST_F(NotationInputTest, MenuCommandAndClosingThePanel) {
  WindowController* window = openWindow(makeDocument({{}}));
  // Close leaves the document alone.
  answerPanel("HELLO", false);
  controller().action("openJSConvWindow")->trigger();
  EXPECT_TRUE(glossesOfFirstLine(window).isEmpty());
  EXPECT_EQ(window->document()->undoStack().count(), 0);
  // The menu command runs the same panel; the last text is offered again.
  whenModal([](QWidget* modal) {
    auto* panel = qobject_cast<TextInputPanel*>(modal);
    ASSERT_NE(panel, nullptr);
    panel->textField()->setText("WORLD");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
  });
  controller().action("openJSConvWindow")->trigger();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"WORLD"}));
  EXPECT_EQ(window->document()->undoStack().count(), 1);
}

TEST_F(NotationInputTest, AutoCenteringCentresEverySignAfterTheInsertion) {
  const SignPtr offCentre = makeSign({{"04-01-001-01-01-01", 0, 0}}, "A");
  auto document = makeDocument({{offCentre}});
  document->prefs.autoCentering = true;
  WindowController* window = openWindow(std::move(document));
  window->applyPreferences(false);
  placeCursor(window, 0, 1);
  answerPanel("WORLD");
  key(window->canvasView(), Qt::Key_J, Qt::ControlModifier);
  ASSERT_EQ(glossesOfFirstLine(window), QStringList({"A", "WORLD"}));
  const SignPtr inserted = window->document()->bufferManager.editBuffer[0]->signArray[1];
  // Both signs stand where centring puts them: the same head at the same place.
  EXPECT_EQ(offCentre->symbols[0]->rect.topLeft(), inserted->symbols[0]->rect.topLeft());
}

}  // namespace
}  // namespace quabe::test
