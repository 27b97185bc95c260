// The compound entry editor against a temporary dictionary: filling, the
// meanings split, the store flow with its questions and its failures.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "DictTestSupport.h"
#include "core/Localization.h"
#include "dictionary/ui/CompoundWindow.h"
#include "document/Compound.h"

namespace quabe::test {
namespace {

class CompoundWindowTest : public DictionaryWindowFixture {
 protected:
  void SetUp() override {
    DictionaryWindowFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    one = addEntry("ONE", {HandCode});
    two = addEntry("TWO", {HeadCode});
    three = addEntry("THREE", {ArrowCode});
    four = addEntry("FOUR", {HandCode, HeadCode});
  }
  // A compound as the sign list builds it from a stored entry.
  std::shared_ptr<Compound> stored(qint64 id) {
    auto entry = std::make_shared<DbSign>(*dictionary.db().getSign(id));
    return dictionary.db().makeCompound(entry);
  }
  // A compound made in the document: not a dictionary entry yet.
  std::shared_ptr<Compound> fresh(const QList<qint64>& ids, qint64 signID = -1) {
    auto entry = std::make_shared<DbSign>();
    entry->signID = signID;
    entry->isCompound = true;
    entry->constituentIDs = ids;
    return dictionary.db().makeCompound(entry);
  }
  void open(const std::shared_ptr<Compound>& compound) {
    window.setCompound(compound);
    window.show();
  }
  QList<qint64> constituentsOf(qint64 id) {
    QList<qint64> ids;
    for (const QString& text :
         texts("SELECT ConstituentID FROM Compounds WHERE CompoundID=? ORDER BY ComponentOrder", {id})) {
      ids.append(text.toLongLong());
    }
    return ids;
  }

  qint64 one = 0, two = 0, three = 0, four = 0;
  CompoundWindow window{dictionary.db()};
};

TEST(CompoundMeanings, SplitAtTheListedSeparators) {
  EXPECT_EQ(CompoundWindow::meaningsFromText("雨、雪　風", "G"), QStringList({"雨", "雪", "風"}));
  EXPECT_EQ(CompoundWindow::meaningsFromText("a\tb c\n d；e;f，g．h。i", "G"),
            QStringList({"a", "b", "c", "d", "e", "f", "g", "h", "i"}));
  EXPECT_EQ(CompoundWindow::meaningsFromText("a,b", "G"), QStringList({"a,b"}));  // an ASCII comma is kept
  EXPECT_EQ(CompoundWindow::meaningsFromText(" 、\n", "GLOSS"), QStringList({"GLOSS"}));
  EXPECT_TRUE(CompoundWindow::meaningsFromText("", "").isEmpty());
}

TEST_F(CompoundWindowTest, NewCompoundIsAddedAfterMakeSureAdd) {
  open(fresh({two, one, three}));
  window.glossTextField()->setText("NEWC");
  window.meaningsTextView()->setPlainText("neu、new");
  const QStringList before = snapshot();
  sink->answer = 1;
  EXPECT_FALSE(window.okButtonClicked());
  EXPECT_EQ(sink->messages, QStringList({loc("MakeSureAdd")}));
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(window.isVisible());

  sink->answer = 0;
  ASSERT_TRUE(window.okButtonClicked());
  EXPECT_FALSE(window.isVisible());
  const qint64 id = window.targetCompound()->jjs->signID;
  EXPECT_EQ(id, four + 1);
  EXPECT_EQ(constituentsOf(id), QList<qint64>({two, one, three}));
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=? ORDER BY Japanese", {id}),
            QStringList({"neu", "new"}));

  // A compound with the id 0 and a new gloss is added as well.
  open(fresh({one, one}, 0));
  window.glossTextField()->setText("TWICE");
  ASSERT_TRUE(window.okButtonClicked());
  EXPECT_EQ(window.targetCompound()->jjs->signID, id + 1);
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=?", {id + 1}), QStringList({"TWICE"}));
}

// A stored compound is updated in place after MakeSureUpdate, renamed as the
// same entry; another compound given its gloss is refused (a record id of 0)
// or overwrites it under its id after the question.
TEST_F(CompoundWindowTest, StoredCompoundIsUpdatedOrOverwrittenUnderItsId) {
  const qint64 id = addCompound("PAIR", {one, two}, {"pair"});
  ASSERT_TRUE(exec("UPDATE Signs SET CreationTime=7, ModificationTime=8 WHERE SignID=?", {id}));
  const QString fields =
      "SELECT Gloss || '|' || IFNULL(Yomi, '') || '|' || CreationTime || '|' || (ModificationTime > 8) "
      "FROM Signs WHERE SignID=?";
  open(stored(id));
  window.meaningsTextView()->setPlainText("couple");
  window.yomiTextField()->setText("pea");
  sink->answer = 0;
  ASSERT_TRUE(window.okButtonClicked());
  EXPECT_EQ(sink->messages, QStringList({loc("MakeSureUpdate")}));
  EXPECT_EQ(texts(fields, {id}), QStringList({"PAIR|pea|7|1"}));
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=?", {id}), QStringList({"couple"}));
  EXPECT_EQ(constituentsOf(id), QList<qint64>({one, two}));
  open(stored(id));
  window.glossTextField()->setText("COUPLE");
  ASSERT_TRUE(window.okButtonClicked());
  EXPECT_EQ(texts(fields, {id}), QStringList({"COUPLE|pea|7|1"}));
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM Signs"), 5);

  const QStringList before = snapshot();
  sink->messages.clear();
  open(fresh({three, four}, 0));
  window.glossTextField()->setText("COUPLE");
  EXPECT_FALSE(window.okButtonClicked());
  open(fresh({three, four}));
  window.glossTextField()->setText("COUPLE");
  sink->answer = 1;
  EXPECT_FALSE(window.okButtonClicked());
  EXPECT_EQ(sink->messages, QStringList({loc("CompoundNameInUse"), loc("CompoundAlreadyExists")}));
  EXPECT_EQ(snapshot(), before);
  sink->answer = 0;
  ASSERT_TRUE(window.okButtonClicked());
  EXPECT_EQ(window.targetCompound()->jjs->signID, id);
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM Signs"), 5);
  EXPECT_EQ(constituentsOf(id), QList<qint64>({three, four}));
  EXPECT_EQ(texts(fields, {id}), QStringList({"COUPLE||7|1"}));
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=?", {id}), QStringList({"COUPLE"}));
}

TEST_F(CompoundWindowTest, EmptyGlossAndFailedWritesKeepTheWindowAndTheDictionary) {
  const qint64 id = addCompound("PAIR", {one, two}, {"pair"});
  open(stored(id));
  window.glossTextField()->clear();
  const QStringList before = snapshot();
  EXPECT_FALSE(window.okButtonClicked());
  EXPECT_EQ(sink->messages, QStringList({loc("SpecifyGloss")}));
  EXPECT_TRUE(window.isVisible());

  ASSERT_TRUE(exec("CREATE TRIGGER refuse BEFORE INSERT ON Translation BEGIN SELECT RAISE(ABORT, 'no'); END"));
  window.glossTextField()->setText("PAIR");
  window.meaningsTextView()->setPlainText("zwei");
  sink->answer = 0;
  EXPECT_FALSE(window.okButtonClicked());
  EXPECT_EQ(sink->messages.last(), loc("FailedToUpdateDictionary"));
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.meaningsTextView()->toPlainText(), "zwei");

  open(fresh({three, one}));
  window.glossTextField()->setText("NEWPAIR");
  EXPECT_FALSE(window.okButtonClicked());
  EXPECT_EQ(snapshot(), before);
  EXPECT_LT(window.targetCompound()->jjs->signID, 1);
}

}  // namespace
}  // namespace quabe::test
