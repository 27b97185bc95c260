#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMenu>
#include <QPushButton>

#include "CanvasEditTestSupport.h"
#include "core/Localization.h"
#include "editor/app/PreferencePanel.h"
#include "editor/layout/ViewLineManager.h"

namespace quabe::test {
namespace {

class WindowTest : public EditorGuiTest {
 protected:
  std::unique_ptr<Document> sample() {
    return makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}}, QStringLiteral("ONE")),
                          makeSign({{"04-01-001-01-01-01", 40, 30}})},
                         {makeSign({{"02-03-001-01-01-01", 50, 60}})}},
                        true);
  }
};

// Open a document, switch the direction with the control, save, reopen:
// the file keeps the direction and the text.
TEST_F(WindowTest, OpenSwitchDirectionSaveAndReopen) {
  ASSERT_TRUE(sample()->writeToFile(path("sample.swml")));
  DocumentController& app = controller();
  WindowController* window = app.openDocument(path("sample.swml"));
  ASSERT_NE(window, nullptr);
  showActive(window);
  Document* document = window->document();
  EXPECT_TRUE(document->prefs.verticalWriting);
  EXPECT_EQ(window->writingDirectionControl()->checkedId(), 1);
  EXPECT_TRUE(window->canvasView()->viewLineMan()->isVertical());
  EXPECT_FALSE(document->isModified());

  // Clicking the segment already chosen changes nothing.
  window->writingDirectionControl()->button(1)->click();
  EXPECT_EQ(document->undoStack().count(), 0);
  window->writingDirectionControl()->button(0)->click();
  EXPECT_FALSE(document->prefs.verticalWriting);
  EXPECT_FALSE(window->canvasView()->viewLineMan()->isVertical());
  EXPECT_FALSE(QSettings().value(QStringLiteral("VerticalWriting")).toBool());
  EXPECT_TRUE(document->isModified());
  EXPECT_FALSE(app.action(QStringLiteral("VerticalWriting"))->isChecked());

  window->action(QStringLiteral("save"))->trigger();
  EXPECT_FALSE(document->isModified());
  const QByteArray saved = fileBytes(path("sample.swml"));
  EXPECT_TRUE(saved.contains("horizontal"));
  window->close();
  QApplication::processEvents();
  EXPECT_TRUE(app.windows().isEmpty());

  WindowController* reopened = app.openDocument(path("sample.swml"));
  ASSERT_NE(reopened, nullptr);
  showActive(reopened);
  EXPECT_EQ(reopened->writingDirectionControl()->checkedId(), 0);
  EXPECT_EQ(reopened->document()->swmlData(), saved);
}

// The preference sheet edits a copy; Save applies it (sizes relayout the
// canvas, one undo step), Discard leaves everything alone.
TEST_F(WindowTest, PreferenceSheetSavesAndDiscards) {
  WindowController* window = openWindow(sample());
  Document* document = window->document();
  window->openPreferenceWindow();
  PreferencePanel* panel = window->preferencePanelController();
  ASSERT_TRUE(panel && panel->isVisible());
  panel->signBoxWidthComboBox->setCurrentText(QStringLiteral("200"));
  panel->showRulesCheckBox->setChecked(!document->prefs.showRules);
  panel->discardSettings();
  EXPECT_EQ(document->prefs.defaultSignBoxWidth, 150);

  const bool rules = document->prefs.showRules;
  window->openPreferenceWindow();
  EXPECT_EQ(panel->signBoxWidthComboBox->currentText(), QStringLiteral("150")) << "the sheet starts from the document";
  // Values a document file cannot keep are refused: the sheet stays open.
  for (const char* wrong : {"300", "12.5", "x"}) {
    panel->signBoxWidthComboBox->setCurrentText(QString::fromLatin1(wrong));
    panel->findChild<QPushButton*>(QStringLiteral("saveSettings"))->click();
    EXPECT_TRUE(panel->isVisible()) << wrong;
    EXPECT_EQ(alerts->messages.last(), loc("PrefOutOfRange").arg(loc("SignBoxWidth")).arg(1).arg(256));
  }
  panel->lineSpaceComboBox->setCurrentText(QStringLiteral("150"));
  panel->signBoxWidthComboBox->setCurrentText(QStringLiteral("200"));
  panel->findChild<QPushButton*>(QStringLiteral("saveSettings"))->click();
  EXPECT_EQ(alerts->messages.last(), loc("PrefOutOfRange").arg(loc("LineSpace")).arg(0).arg(100));
  EXPECT_EQ(document->undoStack().count(), 0);
  panel->lineSpaceComboBox->setCurrentText(QStringLiteral("20"));
  panel->showRulesCheckBox->setChecked(!rules);
  panel->findChild<QPushButton*>(QStringLiteral("saveSettings"))->click();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(document->prefs.defaultSignBoxWidth, 200);
  EXPECT_EQ(document->prefs.showRules, !rules);
  EXPECT_EQ(window->canvasView()->viewLineMan()->maxSignWidth(), 200);
  EXPECT_EQ(QSettings().value(QStringLiteral("SignBoxWidth")).toDouble(), 200);
  ASSERT_EQ(document->undoStack().count(), 1);
  document->undoStack().undo();
  EXPECT_EQ(document->prefs.defaultSignBoxWidth, 150);
  EXPECT_EQ(window->canvasView()->viewLineMan()->maxSignWidth(), 150);
}

// Saving, Save as PDF and closing with unsaved changes.
TEST_F(WindowTest, SavePdfAndCloseWithUnsavedChanges) {
  WindowController* window = openWindow(sample());
  Document* document = window->document();
  EXPECT_TRUE(window->windowTitle().startsWith(loc("Untitled")));
  ASSERT_TRUE(window->saveToPath(path("one.swml")));
  EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("one.swml")));
  ASSERT_TRUE(window->saveAsPDFToPath(path("one.pdf")));
  EXPECT_TRUE(fileBytes(path("one.pdf")).startsWith("%PDF"));
  EXPECT_FALSE(window->saveToPath(path("missing-dir/two.swml")));
  EXPECT_EQ(alerts->messages.size(), 1) << "a failed save is reported";

  clickSign(window->canvasView(), 0, 0);
  key(window->canvasView(), Qt::Key_E, Qt::ControlModifier);
  ASSERT_TRUE(document->isModified());
  alerts->answer = 2;  // Cancel
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  alerts->answer = 0;  // Save
  const QByteArray before = fileBytes(path("one.swml"));
  EXPECT_TRUE(window->close());
  EXPECT_NE(fileBytes(path("one.swml")), before);
  EXPECT_EQ(alerts->messages.last(), loc("SaveChangesQuestion").arg(QStringLiteral("one.swml")));

  WindowController* other = openWindow(sample());
  clickSign(other->canvasView(), 0, 0);
  key(other->canvasView(), Qt::Key_E, Qt::ControlModifier);
  alerts->answer = 1;  // Don't Save
  EXPECT_TRUE(other->close());
  EXPECT_TRUE(other->document()->isModified());
  delete other;  // with its unsaved undo steps
}

// A file that was not read as it stands (symbols without an image, a
// position beyond the limit, not SWML at all) opens with one alert naming
// the loss, as a new document: Save asks for a file, proposing the original,
// which stays as it was unless the user picks it.
TEST_F(WindowTest, DamagedFilesAreNeverOverwrittenUnasked) {
  const QMap<QString, QByteArray> files = {
      {path("damaged.swml"),
       "<swml><sign><gloss>A</gloss><symbol x=\"100000\" y=\"5\">01-01-001-01-01-01</symbol>"
       "<symbol>01-01-001-01-01-17</symbol><symbol>09-99-999-99-99-99</symbol></sign></swml>"},
      {path("notes.xml"), "<notes>just some notes</notes>\n"}};
  for (auto file = files.begin(); file != files.end(); ++file) {
    ASSERT_TRUE(writeFile(file.key(), file.value()));
    WindowController* window = controller().openDocument(file.key());
    ASSERT_NE(window, nullptr);
    showActive(window);
    EXPECT_TRUE(window->document()->filePath().isEmpty());
    QStringList proposed;
    window->setSavePathChooser([&](const QString& suggested) {
      proposed << suggested;
      return path("saved.swml");
    });
    clickSign(window->canvasView(), 0, 0);
    key(window->canvasView(), Qt::Key_E, Qt::ControlModifier);
    window->action(QStringLiteral("save"))->trigger();
    EXPECT_EQ(proposed, QStringList{file.key()});
    EXPECT_EQ(fileBytes(file.key()), file.value());
    window->action(QStringLiteral("save"))->trigger();  // now the document's own file
    EXPECT_EQ(proposed.size(), 1);
  }
  ASSERT_EQ(alerts->messages.size(), 2);
  EXPECT_EQ(alerts->messages[0], loc("SwmlDamaged").arg(QStringLiteral("damaged.swml")));
  for (const char* part : {"2 symbols", "01-01-001-01-01-17", "09-99-999-99-99-99", "100000", "2000"})
    EXPECT_TRUE(alerts->informativeTexts[0].contains(QString::fromLatin1(part))) << part;
}

// Revert puts the saved file back after the question (Cancel keeps the
// changes); opened and saved files are offered again under Open Recent.
TEST_F(WindowTest, RevertToSavedAndOpenRecent) {
  DocumentController& app = controller();
  WindowController* window = openWindow(sample());
  Document* document = window->document();
  ASSERT_TRUE(window->saveToPath(path("kept.swml")));
  const QByteArray saved = fileBytes(path("kept.swml"));
  EXPECT_EQ(app.recentDocuments().value(0), QFileInfo(path("kept.swml")).absoluteFilePath());

  EXPECT_FALSE(window->revertDocument()) << "nothing to revert";
  clickSign(window->canvasView(), 0, 0);
  key(window->canvasView(), Qt::Key_E, Qt::ControlModifier);
  window->changeWritingDirection(false);
  ASSERT_TRUE(document->isModified());
  alerts->answer = 1;  // Cancel
  EXPECT_FALSE(window->revertDocument());
  EXPECT_TRUE(document->isModified());
  alerts->answer = 0;  // Revert
  ASSERT_TRUE(window->revertDocument());
  EXPECT_EQ(alerts->messages.last(), loc("RevertQuestion").arg(QStringLiteral("kept.swml")));
  EXPECT_FALSE(document->isModified());
  EXPECT_EQ(document->undoStack().count(), 0);
  EXPECT_EQ(document->swmlData(), saved);
  EXPECT_TRUE(window->canvasView()->viewLineMan()->isVertical());
  EXPECT_EQ(window->writingDirectionControl()->checkedId(), 1);
  // Editing goes on from the reverted text.
  clickSign(window->canvasView(), 0, 0);
  key(window->canvasView(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(document->undoStack().count(), 1);
  document->undoStack().undo();
  EXPECT_EQ(document->swmlData(), saved);

  // A file that went away cannot be put back: the text stays.
  key(window->canvasView(), Qt::Key_E, Qt::ControlModifier);
  ASSERT_TRUE(QFile::remove(path("kept.swml")));
  EXPECT_FALSE(window->revertDocument());
  EXPECT_TRUE(document->isModified());

  // The recent list: most recent first, no repeats, at most ten.
  for (int i = 0; i < 12; ++i) app.noteRecentDocument(path(QStringLiteral("f%1.swml").arg(i)));
  app.noteRecentDocument(path("f5.swml"));
  const QStringList recent = app.recentDocuments();
  EXPECT_EQ(recent.size(), DocumentController::MaxRecentDocuments);
  EXPECT_EQ(recent.first(), QFileInfo(path("f5.swml")).absoluteFilePath());
  EXPECT_EQ(recent.count(QFileInfo(path("f5.swml")).absoluteFilePath()), 1);
  QMenu* menu = window->findChild<QMenu*>(QStringLiteral("openRecent"));
  ASSERT_NE(menu, nullptr);
  Q_EMIT menu->aboutToShow();
  ASSERT_GE(menu->actions().size(), recent.size());
  EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("f5.swml"));
  EXPECT_FALSE(menu->actions().first()->isEnabled()) << "the file does not exist";
  menu->actions().last()->trigger();  // Clear Menu
  EXPECT_TRUE(app.recentDocuments().isEmpty());
  document->setModified(false);
}

}  // namespace

// Every window has a symbol selection of its own: selecting in one leaves the
// other's alone, and closing one leaves the other's selection working.
TEST_F(WindowTest, EachWindowKeepsItsOwnSymbolSelection) {
  WindowController* first = openWindow(sample());
  WindowController* second = openWindow(sample());
  EditingCanvas* a = first->canvasView();
  EditingCanvas* b = second->canvasView();
  a->selectNextSymbol();
  ASSERT_EQ(a->selection().symbols().size(), 1);
  const ISWAPtr chosen = a->selection().symbols().first();
  b->selectNextSymbol();
  EXPECT_EQ(b->selection().symbols(), QList<ISWAPtr>{b->viewLineMan()->currentSign()->symbols.first()});
  EXPECT_EQ(a->selection().symbols(), QList<ISWAPtr>{chosen});

  ASSERT_TRUE(second->close());
  EXPECT_EQ(a->selection().symbols(), QList<ISWAPtr>{chosen});
  const SymbolCode before = chosen->sss();
  a->rotateSelected(45);
  EXPECT_NE(chosen->sss(), before);
}

}  // namespace quabe::test
