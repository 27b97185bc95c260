#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>

#include "DictCommandsTestSupport.h"
#include "dictionary/Dictionary.h"
#include "dictionary/ui/DictMergeWindow.h"
#include "dictionary/ui/SpmlImportWindow.h"
#include "editor/commands/ImportCommands.h"

using namespace quabe;
using namespace quabe::test;

namespace {
using ImportWindowsTest = DictCommandsTest;

const QByteArray kSpml = R"(<spml>
<entry id="20"><term>AS10000M510x530S10000490x470</term><term><![CDATA[zebra]]></term>
  <text>M518x518S2ff00482x483 S38800464x496</text></entry>
<entry id="10"><term>B530x520S10000500x490S20500470x505</term><term><![CDATA[apple]]></term></entry>
</spml>)";
}  // namespace

// File ▸ Import SPML lists the entries; filtering and Show put the
// entry's signs at the cursor of the front document as one undo step.
TEST_F(ImportWindowsTest, ShowInsertsTheEntrysSignsAtTheCursorAsOneStep) {
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 30, 40}}, "A")}}));
  placeCursor(window, 0, 1);
  ASSERT_TRUE(writeFile(path("list.spml"), kSpml));
  ASSERT_TRUE(commands().importCommands().openSpml(path("list.spml")));
  SpmlImportWindow* list = commands().importCommands().spmlImportWindow();
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->visibleEntry(0)->title, "apple");  // by id
  list->filterField()->setText("ZEB");
  ASSERT_EQ(list->visibleRowCount(), 1);

  QUndoStack& undo = window->document()->undoStack();
  list->tableView()->selectRow(0);
  ASSERT_TRUE(list->showSelected());
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A", "zebra", "", ""}));
  EXPECT_EQ(undo.count(), 1);
  undo.undo();
  EXPECT_EQ(glossesOfFirstLine(window), QStringList({"A"}));
}

// File ▸ Merge Dictionary: the panel asks for the new entry, Add All takes
// the rest, and the alert gives the counts.
TEST_F(ImportWindowsTest, TheMergeSheetAsksThroughThePanelAndReportsTheCounts) {
  dictionary.addEntry("rain", {HandCode});
  TemporaryDictionary other;
  ASSERT_TRUE(other.create());
  for (const char* gloss : {"other 1", "other 2", "other 3"}) other.addEntry(gloss, {HeadCode});
  ASSERT_TRUE(other.exec("UPDATE Signs SET CreationTime = 5"));  // none is the counterpart of rain
  WindowController* window = openWindow(makeDocument({{}}));
  controller().toolAction(ToolCommand::MergeDictionary)->trigger();
  DictMergeWindow* sheet = window->findChild<DictMergeWindow*>();
  ASSERT_NE(sheet, nullptr);
  sheet->pathField()->setText(other.path);
  QStringList prompts;
  std::function<void()> answer = [&] {
    MergeComparisonPanel* panel = sheet->comparisonPanel();
    if (!panel->isVisible()) return QTimer::singleShot(10, answer);
    prompts << panel->prompt();
    EXPECT_FALSE(panel->button(MergeResponse::replace)->isEnabled());
    panel->button(MergeResponse::addAll)->click();
  };
  QTimer::singleShot(10, answer);
  QSignalSpy changed(&controller().dictionary(), &Dictionary::changed);
  ASSERT_TRUE(sheet->merge().has_value());
  EXPECT_EQ(prompts, QStringList{"Adding it as a new sign"});
  EXPECT_EQ(dictionary.scalar("SELECT COUNT(*) FROM Signs"), 4);
  EXPECT_EQ(changed.count(), 1) << "the sign list re-reads the merged dictionary";
  EXPECT_EQ(alerts->messages.last(), "Merge was finished");
  EXPECT_TRUE(alerts->informativeTexts.last().contains("added 3")) << alerts->informativeTexts.last().toStdString();
}
