// The notation-input panel of the document window: a typed notation line
// becomes dictionary signs inserted at the cursor, in order, as one undo step.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>

#include "DictCommandsTestSupport.h"
#include "editor/window/NotationPanel.h"

namespace quabe::test {
namespace {

class NotationInputTest : public DictCommandsTest {
 protected:
  void SetUp() override {
    EditorGuiTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(dictionary.create());
    controller().installDictionaryCommands();
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
  EXPECT_EQ(line[2]->jjs->signID, world);
  EXPECT_EQ(window->jjsText, "HELLO WORLD HELLO");
  // The cursor stands after the inserted signs.
  EXPECT_EQ(window->canvasView()->viewLineMan()->currentSign(), line[4]);
  ASSERT_EQ(undo.count(), 1);
  undo.undo();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "B"}));
}

// A line with problems keeps the panel open with the problems listed and the
// offending word selected; nothing is inserted until the user accepts.
TEST_F(NotationInputTest, ProblemsAreShownAndNothingIsInsertedUnconfirmed) {
  WindowController* window = openWindow(makeDocument({{}}));
  const QList<SignPtr>& line = window->document()->bufferManager.editBuffer[0]->signArray;
  const qsizetype before = line.size();
  whenModal([&](QWidget* modal) {
    auto* panel = qobject_cast<NotationPanel*>(modal);
    ASSERT_NE(panel, nullptr);
    panel->textField()->setText("HELLO[B WORLD");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->messageLabel()->text(), "Column 1: unknown handshape: B\nColumn 9: ']' missing");
    EXPECT_EQ(panel->textField()->selectedText(), "WORLD");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible()) << "an unreadable line is never inserted";
    EXPECT_EQ(line.size(), before);

    panel->textField()->setText("HELLO NOPE");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->messageLabel()->text().startsWith("not in the dictionary: NOPE\n"));
    EXPECT_EQ(panel->textField()->selectedText(), "NOPE");
    EXPECT_EQ(line.size(), before);
    QTest::mouseClick(panel->closeButton(), Qt::LeftButton);
  });
  controller().action("openJSConvWindow")->trigger();
  EXPECT_EQ(line.size(), before);
  EXPECT_EQ(window->document()->undoStack().count(), 0);

  // Pressing OK again on the same line inserts the unknown word as an empty
  // sign carrying its gloss.
  whenModal([](QWidget* modal) {
    auto* panel = qobject_cast<NotationPanel*>(modal);
    ASSERT_NE(panel, nullptr);
    panel->textField()->setText("HELLO NOPE");
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
  });
  controller().action("openJSConvWindow")->trigger();
  ASSERT_EQ(line.size(), before + 2);
  EXPECT_EQ(line[0]->jjs->signID, hello);
  EXPECT_TRUE(line[1]->symbols.isEmpty());
  EXPECT_EQ(line[1]->jjs->gloss, "NOPE");
}

}  // namespace
}  // namespace quabe::test
