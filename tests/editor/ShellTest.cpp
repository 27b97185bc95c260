#include <QMimeData>
#include <QUrl>

#include "CanvasEditTestSupport.h"
#include "core/Localization.h"
#include "dictionary/Dictionary.h"
#include "editor/commands/DictionaryCommands.h"

namespace quabe::test {
namespace {

class ShellTest : public EditorGuiTest {
 protected:
  QString writeDocument(const QString& name, bool vertical) {
    auto document = makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}})}}, vertical);
    const QString file = path(name);
    EXPECT_TRUE(document->writeToFile(file));
    return file;
  }
};

// Without the symbol archive the start fails with the message; with it the
// menus follow the user settings.
TEST_F(ShellTest, StartNeedsTheSymbolArchive) {
  DocumentController& app = controller();
  app.setResourceLocator(
      [](const QString& name) { return name == QLatin1String("iswa2010bin") ? QString() : Resources::path(name); });
  EXPECT_FALSE(app.start());
  ASSERT_EQ(alerts->messages.size(), 1);
  EXPECT_EQ(alerts->messages[0], loc("MissingSymbolArchive"));
  app.setResourceLocator({});

  QSettings().setValue(QStringLiteral("ShowBorders"), true);
  QSettings().setValue(QStringLiteral("ShowRules"), false);
  ASSERT_TRUE(app.start());
  EXPECT_TRUE(app.action(QStringLiteral("ShowBorders"))->isChecked());
  EXPECT_FALSE(app.action(QStringLiteral("ShowRules"))->isChecked());
}

// Documents open in their own windows; the same file twice gives the same
// window; a missing file gives an alert and no window.
TEST_F(ShellTest, DocumentsOpenInTheirOwnWindows) {
  DocumentController& app = controller();
  const QString a = writeDocument(QStringLiteral("a.swml"), true);
  const QString b = writeDocument(QStringLiteral("b.swml"), false);
  const QList<WindowController*> opened = app.openDocuments({a, b, a});
  ASSERT_EQ(opened.size(), 3);
  EXPECT_EQ(opened[0], opened[2]);
  EXPECT_EQ(app.windows().size(), 2);
  EXPECT_TRUE(opened[0]->document()->prefs.verticalWriting);
  EXPECT_FALSE(opened[1]->document()->prefs.verticalWriting);

  EXPECT_EQ(app.openDocument(path(QStringLiteral("nothing.swml"))), nullptr);
  EXPECT_EQ(alerts->messages.size(), 1);
  EXPECT_EQ(app.windows().size(), 2);
}

// SWML files dropped on a canvas open, each in its own window.
TEST_F(ShellTest, DroppedFilesOpenAsDocuments) {
  DocumentController& app = controller();
  WindowController* window = app.newDocument();
  showActive(window);
  const QString a = writeDocument(QStringLiteral("first.swml"), true);
  const QString b = writeDocument(QStringLiteral("second.swml"), false);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
  ASSERT_TRUE(dropOn(window->canvasView(), &data, QPointF(50, 50)));
  // The untouched window they were dropped on gives way to them.
  ASSERT_EQ(app.windows().size(), 2);
  QStringList paths;
  for (WindowController* w : app.windows()) paths << w->document()->filePath();
  EXPECT_TRUE(paths.contains(a));
  EXPECT_TRUE(paths.contains(b));
}

// A display toggle changes the front document and the stored default; other
// open documents keep their own preferences.
TEST_F(ShellTest, DisplayTogglesActOnTheFrontDocument) {
  DocumentController& app = controller();
  WindowController* back = app.newDocument();
  WindowController* front = app.newDocument();
  showActive(front);
  ASSERT_EQ(app.frontWindow(), front);
  for (const QString& keyName : DocumentController::toggleKeys()) {
    if (keyName == QLatin1String("VerticalWriting")) continue;
    SCOPED_TRACE(keyName.toStdString());
    QAction* toggle = app.action(keyName);
    const bool was = toggle->isChecked();
    const QByteArray backBefore = back->document()->swmlData();
    toggle->trigger();
    EXPECT_EQ(toggle->isChecked(), !was);
    EXPECT_EQ(QSettings().value(keyName).toBool(), !was);
    EXPECT_EQ(back->document()->swmlData(), backBefore);
  }
  EXPECT_NE(front->document()->prefs.showRules, back->document()->prefs.showRules);
  EXPECT_NE(front->document()->prefs.colorHands, back->document()->prefs.colorHands);
  EXPECT_EQ(front->layoutSettings().colorHands, front->document()->prefs.colorHands);

  const bool vertical = front->document()->prefs.verticalWriting;
  app.action(QStringLiteral("VerticalWriting"))->trigger();
  EXPECT_EQ(front->document()->prefs.verticalWriting, !vertical);
  EXPECT_EQ(back->document()->prefs.verticalWriting, vertical);
  EXPECT_EQ(front->canvasView()->viewLineMan()->isVertical(), !vertical);
}

// With no document open, the application menu's editing commands do nothing.
TEST_F(ShellTest, EditingCommandsWithoutDocumentsDoNothing) {
  DocumentController& app = controller();
  ASSERT_TRUE(app.windows().isEmpty());
  ASSERT_EQ(app.frontWindow(), nullptr);
  for (const char* name :
       {"cutSymbol", "copySymbol", "pasteSymbol", "selectAllSymbols", "cutSign", "copySign", "pasteSign",
        "insertEmptySign", "alignSignsCenter", "integrateArrows", "openCommentInputWindow", "showPreferenceWindow",
        "addSignToDB", "ShowRules", "VerticalWriting"})
    app.action(QLatin1String(name))->trigger();
  EXPECT_TRUE(app.windows().isEmpty());
  EXPECT_TRUE(alerts->messages.isEmpty());
}

}  // namespace
}  // namespace quabe::test
