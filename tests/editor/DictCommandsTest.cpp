// The dictionary commands of the document window: adding the current sign,
// opening the entry and compound editors, the sign list and its insertion
// at the cursor, and the window's search field.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>

#include "DictCommandsTestSupport.h"
#include "core/Localization.h"
#include "dictionary/ui/CompoundWindow.h"
#include "dictionary/ui/DictEditWindow.h"
#include "dictionary/ui/SignListModel.h"
#include "dictionary/ui/SignListWindow.h"
#include "document/Compound.h"
#include "editor/app/PreferencePanel.h"

namespace quabe::test {
namespace {

// Alt+A, Ctrl+T and the menu command open the entry editor or the compound
// editor, by the kind of the current sign, on a copy of it; a compound with a
// constituent the dictionary lacks and an empty sign are refused with alerts.
TEST_F(DictCommandsTest, TheEditorsOpenOnACopyOfTheCurrentSignByItsKind) {
  const qint64 one = dictionary.addEntry("ONE", {HandCode});
  const qint64 two = dictionary.addEntry("TWO", {HeadCode});
  const qint64 both = dictionary.addCompound("BOTH", {one, two});
  Dictionary& db = dictionary.db();
  auto compound = db.makeCompound(std::make_shared<DbSign>(*db.getSign(both)));
  auto broken = db.makeCompound(std::make_shared<DbSign>(*db.getSign(both)));
  broken->constituents->first()->jjs->signID = 999;  // not in the dictionary
  const SignPtr sign = makeSign({{"01-01-001-01-01-01", 30, 40}, {"04-01-001-01-01-01", 60, 20}}, "PLAIN");
  WindowController* window = openWindow(makeDocument({{sign, compound, broken}}));
  QAction* open = controller().toolAction(ToolCommand::OpenDictionaryEditor);

  placeCursor(window, 0, 0);
  key(window->canvasView(), Qt::Key_A, Qt::AltModifier);
  DictEditWindow* editor = commands().dictEditController();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->glossTextField()->text(), "PLAIN");
  EXPECT_EQ(editor->originalSign()->symbols.size(), 2);
  EXPECT_NE(editor->originalSign(), sign);
  EXPECT_NE(editor->targetSign()->symbols[0], sign->symbols[0]);
  editor->close();
  key(window->canvasView(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(editor->isVisible());
  // Escape closes it, as Close does.
  editor->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
  QTest::keyClick(editor->glossTextField(), Qt::Key_Escape);
  EXPECT_FALSE(editor->isVisible());

  placeCursor(window, 0, 1);
  open->trigger();
  CompoundWindow* compoundEditor = commands().compoundWindow();
  ASSERT_TRUE(compoundEditor->isVisible());
  EXPECT_EQ(compoundEditor->glossTextField()->text(), "BOTH");
  EXPECT_NE(compoundEditor->targetCompound(), compound);  // a copy
  EXPECT_EQ(compoundEditor->targetCompound()->constituentIDs, QList<qint64>({one, two}));
  compoundEditor->close();

  placeCursor(window, 0, 2);
  open->trigger();
  showActive(window);
  placeCursor(window, 0, 3);  // the line break
  key(window->canvasView(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(alerts->informativeTexts.last(), loc("SelectSignForDictionary"));
  open->trigger();
  EXPECT_EQ(alerts->messages, QStringList({loc("InvalidCompound"), loc("SignHasNoSymbol"), loc("SignHasNoSymbol")}));
  EXPECT_FALSE(compoundEditor->isVisible());
  EXPECT_FALSE(editor->isVisible());
}

TEST_F(DictCommandsTest, SignListInsertsAtTheCursorAsOneUndoStep) {
  const qint64 hello = dictionary.addEntry("HELLO", {HandCode, ArrowCode});
  const qint64 world = dictionary.addEntry("WORLD", {HeadCode});
  const qint64 both = dictionary.addCompound("GREETING", {world, hello});
  WindowController* window = openWindow(makeDocument(
      {{makeSign({{"01-01-001-01-01-01", 30, 40}}, "A"), makeSign({{"04-01-001-01-01-01", 30, 40}}, "B")}}));
  placeCursor(window, 0, 1);
  key(window->canvasView(), Qt::Key_L, Qt::AltModifier);
  SignListWindow* list = commands().signListWindow();
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->signs().size(), 3);  // the first opening lists everything

  QUndoStack& undo = window->document()->undoStack();
  list->selectRow(list->model()->rowOfSignID(hello));
  list->insertButton()->click();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "HELLO", "B"}));
  EXPECT_EQ(lineOf(window)[1]->symbols.size(), 2);
  EXPECT_EQ(undo.count(), 1);
  EXPECT_TRUE(window->document()->isModified());

  // The cursor stands after the inserted sign: a double click puts the next one there.
  list->doubleClicked(list->model()->rowOfSignID(world));
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "HELLO", "WORLD", "B"}));
  EXPECT_EQ(undo.count(), 2);

  // A compound's constituents come in as one step.
  list->selectRow(list->model()->rowOfSignID(both));
  list->insertConstituentsButton()->click();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "HELLO", "WORLD", "WORLD", "HELLO", "B"}));
  EXPECT_EQ(undo.count(), 3);
  undo.undo();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "HELLO", "WORLD", "B"}));
  for (int step = 0; step < 2; ++step) undo.undo();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "B"}));

  // A compound entry itself is inserted whole.
  list->insertButtonClicked();
  const SignPtr inserted = lineOf(window)[1];
  EXPECT_NE(std::dynamic_pointer_cast<Compound>(inserted), nullptr);
  EXPECT_EQ(inserted->jjs->signID, both);
}

TEST_F(DictCommandsTest, TheWindowsSearchFieldSearchesTheListForThatWindow) {
  dictionary.addEntry("RAIN", {HandCode}, {"rain"});
  dictionary.addEntry("RAINBOW", {HeadCode});
  dictionary.addEntry("SUN", {HeadCode});
  WindowController* first = openWindow(makeDocument({{}}));
  WindowController* second = openWindow(makeDocument({{}}));
  second->searchField()->setText("RAIN");
  QTest::keyClick(second->searchField(), Qt::Key_Return);
  SignListWindow* list = commands().signListWindow();
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->signs().size(), 2);
  EXPECT_EQ(list->searchField()->text(), "RAIN");

  // The chosen entry goes to the window that searched.
  list->selectRow(0);
  list->insertButtonClicked();
  EXPECT_EQ(glossesOfFirstLine(second).size(), 1);
  EXPECT_TRUE(glossesOfFirstLine(first).isEmpty());

  // An empty search field does nothing.
  first->searchField()->clear();
  QTest::keyClick(first->searchField(), Qt::Key_Return);
  EXPECT_EQ(list->signs().size(), 2);
}

// Another dictionary chosen in the preferences while the sign list is open:
// the window names it, the list shows that file's rows, Insert inserts the
// row shown, and a search without hits says which dictionary it searched.
TEST_F(DictCommandsTest, ChoosingAnotherDictionaryRelistsTheOpenSignList) {
  dictionary.addEntry("ONE", {HandCode});
  TemporaryDictionary other;
  ASSERT_TRUE(other.create());
  other.addEntry("UNO", {HeadCode});  // the same id as ONE
  other.addEntry("DOS", {HandCode});
  WindowController* window = openWindow(makeDocument({{}}));
  controller().toolAction(ToolCommand::SignList)->trigger();
  SignListWindow* list = commands().signListWindow();
  ASSERT_EQ(list->signs().size(), 1);

  window->openPreferenceWindow();
  PreferencePanel* panel = window->preferencePanelController();
  ASSERT_TRUE(panel->chooseAltDictPath(other.path));
  panel->findChild<QPushButton*>(QStringLiteral("saveSettings"))->click();
  ASSERT_EQ(controller().dictionary().path(), other.path);
  EXPECT_EQ(window->dictionaryLabel()->toolTip(), QDir::toNativeSeparators(other.path));
  QStringList shown;
  for (const DbSign& entry : list->signs()) shown << entry.gloss;
  shown.sort();
  EXPECT_EQ(shown, QStringList({"DOS", "UNO"}));

  list->selectRow(list->model()->rowOfSignID(1));
  const QString chosen = list->signs().at(list->selectedRow()).gloss;
  list->insertButton()->click();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList{chosen});

  list->searchGloss(QStringLiteral("NOTHERE"));
  EXPECT_EQ(list->model()->rowCount(), 0);
  const QString status = list->findChild<QLabel*>(QStringLiteral("statusLabel"))->text();
  EXPECT_TRUE(status.contains(QStringLiteral("NOTHERE")) && status.contains(QFileInfo(other.path).fileName()))
      << status.toStdString();
}

}  // namespace
}  // namespace quabe::test
