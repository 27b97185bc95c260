// The similar-sign search window, the similarity displays of the document
// window and the finder evaluation window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QUndoStack>
#include <tuple>

#include "DictCommandsTestSupport.h"
#include "core/Localization.h"
#include "dictionary/ui/SignListModel.h"
#include "dictionary/ui/SignListWindow.h"
#include "finder/ui/FinderEvaluationWindow.h"
#include "finder/ui/ResultSignView.h"
#include "finder/ui/SignFinderWindow.h"

namespace quabe::test {
namespace {

class FinderWindowTest : public DictCommandsTest {
 protected:
  void SetUp() override {
    DictCommandsTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    pair = dictionary.addEntry("PAIR", {HandCode, HandCode}, {"two"});
    single = dictionary.addEntry("SINGLE", {HandCode}, {"one", "alone"});
    face = dictionary.addEntry("FACE", {HeadCode});
  }
  // Waits for the running search of the finder window.
  static void waitForSearch(SignFinderWindow* finder) {
    QSignalSpy done(finder, &SignFinderWindow::searchFinished);
    ASSERT_TRUE(!finder->isSearching() || done.wait(20000));
  }
  // Makes the next search wait for the gate before it reads the dictionary's
  // features, so that the window can be seen while the search runs.
  std::shared_ptr<QSemaphore> holdNextSearch(SignFinderWindow* finder) {
    auto gate = std::make_shared<QSemaphore>(0);
    gates.append(gate);
    finder->setFeatureLoader([gate, path = dictionary.path] {
      gate->acquire();
      return SignFinder::loadDictionaryFeatures(Dictionary(path));
    });
    return gate;
  }
  void TearDown() override {
    for (const auto& gate : gates) gate->release(100);  // never leave a search waiting
    DictCommandsTest::TearDown();
  }
  QList<qint64> resultIDs(SignFinderWindow* finder) const {
    QList<qint64> ids;
    for (const SFResult& result : finder->results()) ids.append(result.signID);
    return ids;
  }
  qint64 pair = 0, single = 0, face = 0;
  QList<std::shared_ptr<QSemaphore>> gates;
};

TEST_F(FinderWindowTest, SearchRunsInTheBackgroundAndShowsRankedResults) {
  // The entry "SINGLE" drawn in the document: one right hand where the dictionary has it.
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 10, 20}})}}));
  placeCursor(window, 0, 0);
  SignFinderWindow* finder = commands().signFinderWindow();
  const auto gate = holdNextSearch(finder);
  controller().toolAction(ToolCommand::SimilarSigns)->trigger();
  ASSERT_TRUE(finder->isVisible());
  EXPECT_TRUE(finder->isSearching());
  EXPECT_FALSE(finder->closeButton()->isEnabled());
  EXPECT_TRUE(finder->stopButton()->isEnabled());
  EXPECT_TRUE(finder->progressIndicator()->isVisible());
  gate->release();
  waitForSearch(finder);
  // Showing the results takes the focus from the limit box, which commits
  // its unchanged text: that must not search again.
  finder->resultLimitChanged();
  EXPECT_FALSE(finder->isSearching());
  EXPECT_FALSE(finder->progressIndicator()->isVisible());
  EXPECT_TRUE(finder->closeButton()->isEnabled());
  EXPECT_EQ(resultIDs(finder), QList<qint64>({single, pair}));  // FACE: no hand, no match
  ASSERT_EQ(finder->resultSignViews().size(), 2);
  EXPECT_EQ(finder->resultTextFields().first()->text(), "alone / one");
  EXPECT_EQ(finder->resultSignViews().first()->similarityText(), "100.0 % similar");

  // One click selects; a double click, Return or the Insert button inserts
  // the selected entry at the document's cursor, once, as one step.
  const QUndoStack& undo = window->document()->undoStack();
  QTest::mouseClick(finder->resultSignViews().at(1), Qt::LeftButton);
  EXPECT_EQ(finder->selectedIndex(), 1);
  EXPECT_EQ(undo.count(), 0);
  QTest::mouseDClick(finder->resultSignViews().first(), Qt::LeftButton);
  EXPECT_EQ(finder->selectedIndex(), 0);
  EXPECT_EQ(undo.count(), 1);
  EXPECT_EQ(glossesOfFirstLine(window).first(), "SINGLE");
  QTest::keyClick(finder->resultView(), Qt::Key_End);
  QTest::keyClick(finder->resultView(), Qt::Key_Down);
  EXPECT_EQ(finder->selectedIndex(), 1);
  QTest::keyClick(finder->resultView(), Qt::Key_Up);
  EXPECT_EQ(finder->selectedIndex(), 0);
  QTest::keyClick(finder->resultView(), Qt::Key_Return);
  finder->insertButton()->click();
  EXPECT_EQ(undo.count(), 3);
}

TEST_F(FinderWindowTest, LimitStopAndOneSearchAtATime) {
  WindowController* window = openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 10, 20}})}}));
  placeCursor(window, 0, 0);
  SignFinderWindow* finder = commands().signFinderWindow();
  finder->resultLimitComboBox()->setCurrentText("1");
  commands().showSimilarSigns(window);
  waitForSearch(finder);
  EXPECT_EQ(finder->resultSignViews().size(), 1);

  // A limit that is not a number or below 1 searches with 20.
  for (const char* text : {"many", "0", "-3"}) {
    finder->resultLimitComboBox()->setCurrentText(text);
    EXPECT_EQ(finder->resultLimit(), SignFinderWindow::DefaultNumberOfResults) << text;
  }

  // A request made while a search runs is served when it ends, with the
  // limit it finds then.
  QSignalSpy finished(finder, &SignFinderWindow::searchFinished);
  auto gate = holdNextSearch(finder);
  finder->resultLimitComboBox()->setCurrentText("5");
  finder->resultLimitChanged();
  ASSERT_TRUE(finder->isSearching());
  finder->resultLimitComboBox()->setCurrentText("2");
  finder->resultLimitChanged();
  gate->release();
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(finished.count(), 1);
  EXPECT_EQ(finder->resultSignViews().size(), 2);  // the second request's limit: PAIR and SINGLE

  // Stop: the running search's results are dropped.
  gate = holdNextSearch(finder);
  finder->resultLimitComboBox()->setCurrentText("1");
  finder->showWindow();
  ASSERT_TRUE(finder->isSearching());
  finder->stopButton()->click();
  EXPECT_TRUE(finder->closeButton()->isEnabled());
  gate->release();
  waitForSearch(finder);
  EXPECT_EQ(finder->results().size(), 2);
}

TEST_F(FinderWindowTest, AStoredSignIsFoundByTheNextSearch) {
  // Drawn as the entry added below is stored.
  WindowController* window =
      openWindow(makeDocument({{makeSign({{"04-01-001-01-01-01", 10, 20}, {"01-01-001-01-01-01", 30, 20}})}}));
  placeCursor(window, 0, 0);
  SignFinderWindow* finder = commands().signFinderWindow();
  commands().showSimilarSigns(window);
  waitForSearch(finder);
  const QList<qint64> before = resultIDs(finder);
  const qint64 added = dictionary.addEntry("HEADHAND", {HeadCode, HandCode});
  commands().showSimilarSigns(window);
  waitForSearch(finder);
  EXPECT_FALSE(before.contains(added));
  ASSERT_FALSE(finder->results().isEmpty());
  EXPECT_EQ(finder->results().first().signID, added);
}

// A range compares its first and last sign; an empty sign is not searched.
TEST_F(FinderWindowTest, SimilarityOfTheFirstAndLastSignOfTheRange) {
  WindowController* window =
      openWindow(makeDocument({{makeSign({{"01-01-001-01-01-01", 10, 20}}), makeSign({{"04-01-001-01-01-01", 10, 20}}),
                                makeSign({{"01-01-001-01-01-01", 10, 20}})}}));
  ViewLineManager* layout = window->canvasView()->viewLineMan();
  QAction* compare = controller().toolAction(ToolCommand::SimilarityBetweenSigns);
  compare->trigger();
  EXPECT_EQ(alerts->messages, QStringList({loc("SelectSignsToCompare")}));

  // Three signs: the first and the last are compared (identical hands).
  layout->setRangeSelection(ViewLineManager::pack(0, 0), ViewLineManager::pack(0, 2));
  compare->trigger();
  EXPECT_EQ(alerts->messages.last(), QStringLiteral("Similarity: 100.0 %\n (shape+loc: 0.828, move: 0.100)"));
  layout->setRangeSelection(ViewLineManager::pack(0, 0), ViewLineManager::pack(0, 1));
  compare->trigger();
  EXPECT_TRUE(alerts->messages.last().startsWith("Similarity: 0.0 %"));

  placeCursor(window, 0, 3);
  commands().showSimilarSigns(window);
  EXPECT_EQ(alerts->messages.last(), loc("CurrentSignIsEmpty"));
  EXPECT_FALSE(commands().signFinderWindow()->isVisible());
}

TEST_F(FinderWindowTest, EvaluationRunsInTheBackgroundWithProgressAndReport) {
  FinderEvaluationWindow* tester = commands().finderEvaluationWindow();
  controller().toolAction(ToolCommand::FinderEvaluation)->trigger();
  ASSERT_TRUE(tester->isVisible());
  tester->testSingleSignRadioButton()->click();

  // The samples of one directory, answered by a recording collector.
  QList<std::tuple<QString, qint64, int>> calls;
  tester->evaluation().collector = [&calls](const QString& directory, qint64 answer, int limit, bool) {
    calls.append({directory, answer, limit});
    return QList<FinderEvaluationResult>{{.swmlFileName = "a.swml",
                                          .modificationDate = FinderEvaluation::referenceDate(),
                                          .order = 1,
                                          .similarity = 0.9}};
  };
  tester->answerSignIDTextField()->setText(QString::number(single));
  tester->sampleSignDirectoryTextField()->setText("/samples/one");
  tester->lowestOrderComboBox()->setCurrentText("not a number");
  QSignalSpy finished(tester, &FinderEvaluationWindow::runFinished);
  ASSERT_TRUE(tester->runButtonClicked());
  EXPECT_FALSE(tester->runButton()->isEnabled());
  EXPECT_FALSE(tester->closeButton()->isEnabled());
  EXPECT_FALSE(tester->runButtonClicked());  // one run at a time
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_TRUE(tester->runButton()->isEnabled());
  ASSERT_EQ(calls.size(), 1);
  EXPECT_EQ(calls[0], std::make_tuple(QString("/samples/one"), single, 9999999));
  EXPECT_TRUE(tester->resultTextView()->toPlainText().startsWith("1, 0.900, a.swml ("));

  // The answer can be chosen in the sign list.
  tester->selectAnswerSign();
  SignListWindow* signList = commands().signListWindow();
  ASSERT_TRUE(signList->isVisible());
  signList->selectRow(signList->model()->rowOfSignID(face));
  signList->insertButtonClicked();
  EXPECT_EQ(tester->answerSignIDTextField()->text(), QString::number(face));
}

}  // namespace
}  // namespace quabe::test
