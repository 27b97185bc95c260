// The dictionary entry editor against a temporary dictionary: filling,
// symbol selection and flags, the store flow with its questions and chooser,
// failures that must leave the dictionary and the editor as they were.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "CanvasTestSupport.h"
#include "DictTestSupport.h"
#include "core/Localization.h"
#include "dictionary/ui/DictEditWindow.h"
#include "dictionary/ui/DictSignView.h"
#include "dictionary/ui/DictSymbolView.h"
#include "dictionary/ui/DisambiguationPanel.h"

namespace quabe::test {
namespace {

class DictEditWindowTest : public DictionaryWindowFixture {
 protected:
  // The entry as the sign list hands it to the editor.
  SignPtr storedSign(qint64 id) {
    auto entry = std::make_shared<DbSign>(*dictionary.db().getSign(id));
    return std::make_shared<Sign>(entry, dictionary.db().getSpelling(id));
  }
  // Opens the editor on a sign, as the document's command does.
  void open(const SignPtr& sign) {
    editor.setSign(*sign);
    editor.show();
  }
  DictEditWindow editor{dictionary.db()};
};

// A new gloss is added under the next free id after the question, with the
// flags chosen for its symbols.
TEST_F(DictEditWindowTest, NewGlossIsAddedUnderTheNextFreeIdAfterTheQuestion) {
  addEntry("OTHER", {HandCode});
  const qint64 last = addEntry("LAST", {HeadCode});
  open(makeSign({HandCode, ArrowCode}));
  editor.rightRadioButton()->click();
  EXPECT_EQ(editor.targetSign()->symbols[0]->hand, Hand::right);
  editor.leftRadioButton()->click();
  EXPECT_EQ(editor.targetSign()->symbols[0]->hand, Hand::left);
  editor.replaceableCheckBox()->click();
  editor.selectSymbol(1);
  editor.directionalCheckBox()->click();
  editor.modifiableCheckBox()->click();
  editor.isHandshapeCheckBox()->click();
  editor.glossTextField()->setText("NEW");
  editor.tagTextField()->setText("②");
  editor.posComboBox()->setEditText("R");

  // "No" stores nothing and keeps the editor open.
  sink->answer = 1;
  const QStringList before = snapshot();
  EXPECT_FALSE(editor.updateButtonClicked());
  EXPECT_EQ(sink->messages, QStringList({loc("DoYouWantToAddSign")}));
  EXPECT_EQ(sink->informativeTexts, QStringList({loc("SameNameSignDoesNotExist")}));
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(editor.isVisible());

  sink->answer = 0;
  ASSERT_TRUE(editor.updateButtonClicked());
  EXPECT_FALSE(editor.isVisible());
  const qint64 id = editor.targetSignID();
  EXPECT_EQ(id, last + 1);
  EXPECT_EQ(
      texts("SELECT Gloss || '|' || Tag || '|' || Position || '|' || forHandshape FROM Signs WHERE SignID=?", {id}),
      QStringList({"NEW|②|R|1"}));
  // The flags: hand, changeable hand, turnable and modifiable arrow.
  EXPECT_EQ(texts("SELECT SSS || hand || changeableHand || turnableArrow || modifiableArrow FROM Spelling "
                  "WHERE SignID=? ORDER BY SubID",
                  {id}),
            QStringList({HandCode + "2100", ArrowCode + "0011"}));
  // No translation text: the gloss is the one meaning.
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=?", {id}), QStringList({"NEW"}));
}

TEST_F(DictEditWindowTest, UnchangedEntryAsksToReplaceItself) {
  const qint64 id = addEntry("TREE", {HandCode, ArrowCode}, {"tree"});
  open(storedSign(id));
  // Move the arrow so that the replacement is visible in the rows.
  editor.selectSymbol(1);
  editor.signView()->moveSelectedSymbol(5, 7);
  sink->answer = 0;
  ASSERT_TRUE(editor.updateButtonClicked());
  EXPECT_EQ(sink->messages, QStringList({loc("AreYouSureYouWantToReplaceSign")}));
  EXPECT_EQ(sink->informativeTexts, QStringList({loc("SignAlreadyExists")}));
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM Signs"), 1);
  EXPECT_EQ(texts("SELECT pos_x || ',' || pos_y FROM Spelling WHERE SignID=? ORDER BY SubID", {id}),
            QStringList({"10,20", "35,27"}));
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=?", {id}), QStringList({"tree"}));
}

TEST_F(DictEditWindowTest, ChooserStoresAsNewOrOverwritesTheChosenCandidate) {
  const qint64 first = addEntry("RAIN", {HeadCode}, {"rain"});
  const qint64 byMeaning = addEntry("SHOWER", {HeadCode}, {"RAIN"});
  const qint64 compound = addCompound("RAIN", {first, byMeaning});
  open(makeSign({HandCode, ArrowCode}));
  editor.glossTextField()->setText("RAIN");
  editor.handTextField()->setText("5");
  editor.translationTextView()->setPlainText("rain\n\nrain\n drizzle ");

  // The candidates: gloss matches, then meaning matches; compounds cannot be replaced.
  editor.setPanelRunner([&](DisambiguationPanel& panel) {
    EXPECT_EQ(panel.candidates(), QList<qint64>({first, compound, byMeaning}));
    EXPECT_FALSE(panel.okButton()->isEnabled());
    EXPECT_FALSE(panel.radioButtons().at(1)->isEnabled());
    panel.radioButtons().at(0)->click();
    EXPECT_TRUE(panel.okButton()->isEnabled());
    panel.saveAsNewRadioButton()->click();
    EXPECT_FALSE(panel.radioButtons().at(0)->isChecked());
    return 1;
  });
  ASSERT_TRUE(editor.updateButtonClicked());
  const qint64 added = editor.targetSignID();
  EXPECT_EQ(added, compound + 1);
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=? ORDER BY Japanese", {added}),
            QStringList({"drizzle", "rain"}));

  // The same sign stored over the first candidate replaces its fields, spelling and meanings.
  open(makeSign({HandCode, ArrowCode}));
  editor.glossTextField()->setText("RAIN");
  editor.handTextField()->setText("1");
  editor.translationTextView()->setPlainText("downpour");
  editor.setPanelRunner([&](DisambiguationPanel& panel) {
    panel.radioButtons().at(panel.candidates().indexOf(first))->click();
    return 1;
  });
  ASSERT_TRUE(editor.updateButtonClicked());
  EXPECT_EQ(editor.targetSignID(), first);
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM Signs"), 4);
  EXPECT_EQ(texts("SELECT HandShape FROM Signs WHERE SignID=?", {first}), QStringList({"1"}));
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=?", {first}), QStringList({"downpour"}));
}

// An empty gloss or a write that fails half way changes nothing, and the
// editor keeps what the user typed.
TEST_F(DictEditWindowTest, AWriteThatFailsHalfWayChangesNothing) {
  addEntry("MOON", {HandCode}, {"moon"});
  ASSERT_TRUE(exec("CREATE TRIGGER refuse BEFORE INSERT ON Translation BEGIN SELECT RAISE(ABORT, 'refused'); END"));
  const QStringList before = snapshot();

  // An empty gloss is refused before anything is written.
  open(makeSign({HandCode, ArrowCode}));
  editor.translationTextView()->setPlainText("star");
  EXPECT_FALSE(editor.updateButtonClicked());
  EXPECT_EQ(sink->messages, QStringList({loc("EnterNameOfSign")}));
  EXPECT_EQ(sink->informativeTexts, QStringList({loc("EmptyNameIsNotAllowed")}));

  // A new entry: the Signs and Spelling rows are written, then the meanings fail.
  editor.glossTextField()->setText("STAR");
  sink->answer = 0;
  EXPECT_FALSE(editor.updateButtonClicked());
  EXPECT_EQ(sink->messages.last(), loc("FailedToUpdateDictionary"));
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.translationTextView()->toPlainText(), "star");
  EXPECT_LT(editor.targetSign()->jjs->signID, 1);  // still a new entry

  // Once the file takes writes again, the same editor stores.
  ASSERT_TRUE(exec("DROP TRIGGER refuse"));
  EXPECT_TRUE(editor.updateButtonClicked());
  EXPECT_EQ(texts("SELECT Japanese FROM Translation WHERE SignID=?", {editor.targetSignID()}), QStringList({"star"}));
}

TEST_F(DictEditWindowTest, PaletteSymbolsDroppedOnTheSignViewJoinTheSign) {
  open(makeSign({HandCode}));
  ASSERT_TRUE(dropOn(editor.signView(), HeadCode, QPointF(120, 100)));
  ASSERT_EQ(editor.targetSign()->symbols.size(), 2);
  EXPECT_EQ(editor.targetSign()->symbols[1]->sss(), SSS::fromString(HeadCode));
  EXPECT_EQ(editor.targetSign()->symbols[1]->rect.center(), QPointF(120, 100));
  EXPECT_EQ(editor.selectedSymbolIndex(), 1);
  EXPECT_EQ(editor.symbolBoxView()->symbols().size(), 2);
  dropOn(editor.signView(), "not a symbol", QPointF(10, 10));
  EXPECT_EQ(editor.targetSign()->symbols.size(), 2);

  // Delete removes the selected symbol again.
  editor.signView()->setFocus();
  QTest::keyClick(editor.signView(), Qt::Key_Delete);
  EXPECT_EQ(editor.targetSign()->symbols.size(), 1);
  EXPECT_EQ(editor.selectedSymbolIndex(), 0);
}

TEST(DictEditMeanings, LinesTrimmedWithoutRepeatsOrTheGloss) {
  EXPECT_EQ(DictEditWindow::meaningsFromText(" a\n\nb \na\n", "G"), QStringList({"a", "b"}));
  EXPECT_EQ(DictEditWindow::meaningsFromText("  \n ", " rain "), QStringList({"rain"}));
  EXPECT_EQ(DictEditWindow::meaningsFromText("", "雨③"), QStringList({"雨"}));
  EXPECT_EQ(DictEditWindow::meaningsFromText("", "雨⑥"), QStringList({"雨⑥"}));  // only ① to ⑤ are dropped
  EXPECT_EQ(DictEditWindow::meaningsFromText("", "").size(), 1);
}

}  // namespace
}  // namespace quabe::test
