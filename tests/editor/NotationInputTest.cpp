// The notation-input panel of the document window: a typed notation line
// becomes dictionary signs inserted at the cursor, in order, as one undo step.
#include <QAction>
#include <QLabel>
#include <QUndoStack>

#include "DictCommandsTestSupport.h"
#include "editor/window/NotationPanel.h"

namespace quabe::test {
namespace {

class NotationInputTest : public DictCommandsTest {
 protected:
  void SetUp() override {
    DictCommandsTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    hello = dictionary.addEntry("HELLO", {HandCode, ArrowCode});
    dictionary.addEntry("WORLD", {HeadCode});
  }
  qint64 hello = 0;
};

TEST_F(NotationInputTest, TypedLineBecomesSignsAtTheCursorInOneStep) {
  WindowController* window = openWindow(makeDocument(
      {{makeSign({{"04-01-001-01-01-01", 30, 40}}, "A"), makeSign({{"04-01-001-01-01-01", 30, 40}}, "B")}}));
  placeCursor(window, 0, 1);
  QUndoStack& undo = window->document()->undoStack();
  answerTextPanel("HELLO WORLD HELLO");
  key(window->canvasView(), Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "HELLO", "WORLD", "HELLO", "B"}));
  const QList<SignPtr>& line = lineOf(window);
  EXPECT_EQ(line[1]->jjs->signID, hello);
  EXPECT_EQ(window->jjsText, "HELLO WORLD HELLO");
  // The cursor stands after the inserted signs.
  EXPECT_EQ(window->canvasView()->viewLineMan()->currentSign(), line[4]);
  ASSERT_EQ(undo.count(), 1);
  undo.undo();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "B"}));
}

// A line with problems keeps the panel open with the problems listed and the
// offending word selected; nothing is inserted until the user presses OK on
// a readable line a second time, which inserts an unknown word as an empty
// sign carrying its gloss.
TEST_F(NotationInputTest, ProblemsAreShownAndNothingIsInsertedUnconfirmed) {
  WindowController* window = openWindow(makeDocument({{}}));
  const QList<SignPtr>& line = lineOf(window);
  const qsizetype before = line.size();
  whenModal([&](QWidget* modal) {
    auto* panel = qobject_cast<NotationPanel*>(modal);
    ASSERT_NE(panel, nullptr);
    panel->textField()->setText("HELLO[B WORLD");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    EXPECT_EQ(panel->messageLabel()->text(), "Column 1: unknown handshape: B\nColumn 9: ']' missing");
    EXPECT_EQ(panel->textField()->selectedText(), "WORLD");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible()) << "an unreadable line is never inserted";

    panel->textField()->setText("HELLO NOPE");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->messageLabel()->text().startsWith("not in the dictionary: NOPE\n"));
    EXPECT_EQ(panel->textField()->selectedText(), "NOPE");
    EXPECT_EQ(line.size(), before);
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
  });
  controller().action("openJSConvWindow")->trigger();
  ASSERT_EQ(line.size(), before + 2);
  EXPECT_EQ(line[0]->jjs->signID, hello);
  EXPECT_TRUE(line[1]->symbols.isEmpty());
  EXPECT_EQ(line[1]->jjs->gloss, "NOPE");
  EXPECT_EQ(window->document()->undoStack().count(), 1);
}

}  // namespace
}  // namespace quabe::test
