// The sign list against a temporary dictionary: progressive listing,
// searching, sorting and removal.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "DictTestSupport.h"
#include "core/Localization.h"
#include "dictionary/ui/SignListModel.h"
#include "dictionary/ui/SignListWindow.h"

namespace quabe::test {
namespace {

class SignListWindowTest : public DictionaryWindowFixture {
 protected:
  void SetUp() override {
    DictionaryWindowFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    list = std::make_unique<SignListWindow>(dictionary.db());
  }
  void TearDown() override {
    list.reset();
    DictionaryWindowFixture::TearDown();
  }
  // Lists everything and waits for the background rows.
  void showAll() {
    QSignalSpy finished(list.get(), &SignListWindow::loadFinished);
    list->showAllButtonClicked();
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(10000));
  }
  QStringList glosses() const {
    QStringList result;
    for (const DbSign& entry : list->signs()) result.append(entry.gloss);
    return result;
  }
  std::unique_ptr<SignListWindow> list;
};

TEST_F(SignListWindowTest, ShowAllListsInThreeStepsByReadingWithoutAliases) {
  // Stored in the reverse of their reading order.
  for (int i = 250; i >= 1; --i) {
    const QString gloss = QStringLiteral("G%1").arg(i, 3, 10, QLatin1Char('0'));
    addEntry(gloss, {HandCode}, {}, QString(), gloss.toLower());
  }
  ASSERT_TRUE(exec("UPDATE Signs SET StdGloss='G001' WHERE Gloss='G100'"));  // an alias
  QList<int> steps;
  QObject::connect(list->model(), &QAbstractItemModel::modelReset, [&] { steps.append(list->model()->rowCount()); });
  QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, [&] { steps.append(list->model()->rowCount()); });
  QSignalSpy finished(list.get(), &SignListWindow::loadFinished);
  list->fetchWholeSigns();
  // The first rows are there at once; the rest arrives while the events run.
  EXPECT_EQ(list->model()->rowCount(), 30);
  EXPECT_TRUE(list->progressIndicator()->isVisibleTo(list.get()));
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(steps, QList<int>({30, 100, 249}));
  EXPECT_FALSE(list->progressIndicator()->isVisibleTo(list.get()));
  const QStringList shown = glosses();
  EXPECT_FALSE(shown.contains("G100"));
  EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
}

// What matches a search is settled by the dictionary; the window searches
// with the field's text (the tag dropped) on Return, never with an empty
// field, and Show All clears the field.
TEST_F(SignListWindowTest, TheSearchFieldSearchesAndShowAllClearsIt) {
  const qint64 rain = addEntry("雨", {HandCode}, {"rain"}, "①");
  addEntry("SUN", {HandCode}, {"sun"});
  list->searchGloss("雨②");
  ASSERT_EQ(list->signs().size(), 1);
  EXPECT_EQ(list->signs().first().signID, rain);
  EXPECT_EQ(list->model()->index(0, SignListModel::CommentColumn).data().toString(),
            QStringLiteral("\n(#%1)").arg(rain));

  list->searchField()->setText("SUN");
  QTest::keyClick(list->searchField(), Qt::Key_Return);
  EXPECT_EQ(glosses(), QStringList({"SUN"}));
  list->searchField()->clear();
  list->searchFieldChanged();
  EXPECT_EQ(glosses(), QStringList({"SUN"}));
  showAll();
  EXPECT_EQ(list->signs().size(), 2);
  EXPECT_TRUE(list->searchField()->text().isEmpty());
}

TEST_F(SignListWindowTest, ChoosingAKeyTwiceReversesTheOrder) {
  const qint64 a = addEntry("A", {HandCode}, {"zz"}, QString(), "c");
  const qint64 b = addEntry("B", {HandCode}, {"aa"}, QString(), "a");
  const qint64 c = addEntry("C", {HandCode}, {"mm"}, QString(), "b");
  ASSERT_TRUE(
      exec("UPDATE Signs SET ModificationTime = 1000 + SignID * (CASE SignID WHEN 2 THEN 10 ELSE 1 END), "
           "CreationTime = 5000 - SignID"));
  showAll();
  auto order = [&] {
    QList<qint64> ids;
    for (const DbSign& entry : list->signs()) ids.append(entry.signID);
    return ids;
  };
  EXPECT_EQ(order(), QList<qint64>({b, c, a}));  // by reading

  list->sortBy(SignListWindow::ByModificationTime);  // newest first
  EXPECT_EQ(order(), QList<qint64>({b, c, a}));
  EXPECT_EQ(list->sortPopUpButton()->currentIndex(), SignListWindow::ByModificationTime);
  list->sortBy(SignListWindow::ByModificationTime);  // then oldest first
  EXPECT_EQ(order(), QList<qint64>({a, c, b}));

  // A header click sorts by that column's content (creation: newest first).
  list->tableView()->horizontalHeader()->sectionClicked(SignListModel::DateCreatedColumn);
  EXPECT_EQ(order(), QList<qint64>({a, b, c}));
  list->tableView()->horizontalHeader()->sectionClicked(SignListModel::DateCreatedColumn);
  EXPECT_EQ(order(), QList<qint64>({c, b, a}));
}

TEST_F(SignListWindowTest, RemovingAsksAndReloads) {
  const qint64 keep = addEntry("KEEP", {HandCode});
  const qint64 drop = addEntry("DROP", {HandCode}, {"weg"});
  showAll();
  list->selectRow(list->model()->rowOfSignID(drop));
  const QStringList before = snapshot();
  sink->answer = 1;  // No
  list->removeButton()->click();
  EXPECT_EQ(sink->messages, QStringList({loc("DoYouWantToDeleteSign")}));
  EXPECT_EQ(sink->informativeTexts, QStringList({loc("ThisOperationCannotBeUndone")}));
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(list->signs().size(), 2);

  // A dictionary that refuses the deletion reports it and keeps the row.
  ASSERT_TRUE(exec("CREATE TRIGGER refuse BEFORE DELETE ON Translation BEGIN SELECT RAISE(ABORT, 'no'); END"));
  sink->answer = 0;
  list->removeButtonClicked();
  EXPECT_EQ(sink->messages.last(), loc("FailedToUpdateDictionary"));
  EXPECT_EQ(snapshot(), before);
  ASSERT_TRUE(exec("DROP TRIGGER refuse"));

  list->removeButtonClicked();
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM Signs WHERE SignID=?", {drop}), 0);
  EXPECT_EQ(list->signs().size(), 1);
  EXPECT_EQ(list->signs().first().signID, keep);
}

}  // namespace
}  // namespace quabe::test
