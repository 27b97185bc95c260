// The command table as the user meets it: every command has a key that
// desktops leave free, no key is bound twice, each key reaches its command
// while the canvas has the focus and never while the user types elsewhere,
// and the help lists the keys the menus show.
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTreeWidget>

#include "CanvasEditTestSupport.h"
#include "editor/app/HelpWindows.h"
#include "editor/layout/ViewLineManager.h"
#include "editor/window/CommandTable.h"

namespace quabe::test {
namespace {

using CommandTableTest = EditorGuiTest;

void collectMenuActions(const QMenu* menu, QList<QAction*>& into) {
  for (QAction* action : menu->actions()) {
    if (action->menu())
      collectMenuActions(action->menu(), into);
    else if (!action->isSeparator())
      into << action;
  }
}

TEST_F(CommandTableTest, EveryCommandHasItsOwnKeyThatIsNotMetaOnly) {
  WindowController* window = openWindow(makeDocument({{}}));
  const QList<QAction*> actions = controller().commandActions(window);
  ASSERT_EQ(actions.size(), commandTable().size()) << "a command without an action";
  QHash<QKeySequence, QString> owner;
  for (const QAction* action : actions) {
    SCOPED_TRACE(action->objectName().toStdString());
    ASSERT_FALSE(action->shortcuts().isEmpty());
    EXPECT_FALSE(action->shortcuts().first()[0].keyboardModifiers() & Qt::MetaModifier)
        << "the default key needs the Super key, which desktops take";
    EXPECT_NE(action->shortcuts().first(), QKeySequence(Qt::ALT | Qt::Key_Space)) << "the window menu's key";
    for (const QKeySequence& key : action->shortcuts()) {
      EXPECT_FALSE(owner.contains(key)) << key.toString().toStdString() << " also " << owner.value(key).toStdString();
      owner.insert(key, action->objectName());
    }
  }
  // The menus hold only actions of the table (recent files aside).
  QList<QAction*> inMenus;
  for (QAction* menu : window->menuBar()->actions()) collectMenuActions(menu->menu(), inMenus);
  for (QAction* action : inMenus) {
    if (action->parent()->objectName().contains(QLatin1String("openRecent"))) continue;
    EXPECT_TRUE(actions.contains(action)) << action->text().toStdString();
  }
}

// Every key of a command that needs no dialog, sent to the canvas, runs that
// command once; typing in the search field runs none of them.
TEST_F(CommandTableTest, KeysReachTheirCommandsOnlyFromTheCanvas) {
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}));
  EditingCanvas* canvas = window->canvasView();
  // Commands that open a dialog or quit, between spaces.
  const QString needDialogs =
      " openDocument save saveAs saveAsPDF exportFsw exportSwu importSpmlIntoDictionary print quit close "
      "openJSConvWindow aboutQuabe openCommentInputWindow showPreferenceWindow ";
  int checked = 0;
  for (QAction* action : controller().commandActions(window)) {
    if (needDialogs.contains(u' ' + action->objectName() + u' ') || !action->isEnabled()) continue;
    for (const QKeySequence& key : action->shortcuts()) {
      SCOPED_TRACE((action->objectName() + QLatin1Char(' ') + key.toString()).toStdString());
      showActive(window);
      QSignalSpy triggered(action, &QAction::triggered);
      QTest::keyClick(canvas, key[0].key(), key[0].keyboardModifiers());
      EXPECT_EQ(triggered.count(), 1);
      ++checked;
    }
  }
  EXPECT_GE(checked, 80) << "keys were left out";

  showActive(window);
  window->document()->undoStack().clear();
  window->searchField()->setFocus();
  QTest::keyClicks(window->searchField(), QStringLiteral("rfx a"));
  QTest::keyClick(window->searchField(), Qt::Key_Backspace);
  EXPECT_EQ(window->searchField()->text(), QStringLiteral("rfx "));
  EXPECT_EQ(window->document()->undoStack().count(), 0);
}

// The manual shows the keys of the actions; the shortcut list finds a
// command by its name or its key.
TEST_F(CommandTableTest, HelpListsTheKeysOfTheActions) {
  WindowController* window = openWindow(makeDocument({{}}));
  QAction* gloss = window->action(QStringLiteral("editGloss"));
  controller().action(QStringLiteral("showSimpleManual"))->trigger();
  QTextBrowser* manual = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String("helpWindow") && widget->isVisible())
      manual = qobject_cast<QTextBrowser*>(widget);
  ASSERT_NE(manual, nullptr);
  const QString text = manual->toPlainText();
  EXPECT_TRUE(text.contains(HelpWindows::keysText(gloss) + QLatin1Char('\t') + HelpWindows::plainText(gloss)) ||
              text.contains(HelpWindows::keysText(gloss) + QLatin1Char('\n') + HelpWindows::plainText(gloss)))
      << text.toStdString();
  manual->close();

  QWidget* list = HelpWindows::showKeyboardShortcuts(window, controller().commandActions(window));
  auto* tree = list->findChild<QTreeWidget*>(QStringLiteral("shortcutList"));
  auto* filter = list->findChild<QLineEdit*>(QStringLiteral("shortcutFilter"));
  auto shown = [tree] {
    QStringList rows;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
      if (!tree->topLevelItem(i)->isHidden()) rows << tree->topLevelItem(i)->text(0);
    return rows;
  };
  filter->setText(HelpWindows::plainText(gloss).toUpper());
  EXPECT_EQ(shown(), QStringList{HelpWindows::plainText(gloss)});
  filter->setText(QStringLiteral("F2"));
  EXPECT_EQ(shown(), QStringList{HelpWindows::plainText(gloss)});
  list->close();
}

}  // namespace
}  // namespace quabe::test
