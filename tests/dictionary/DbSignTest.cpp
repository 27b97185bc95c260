// Dictionary operations on canvas signs, thumbnails and the sign list.
#include <gtest/gtest.h>

#include "DictionaryFixture.h"
#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "document/Compound.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;
using quabe::test::DictionaryFixture;
using Ids = QList<qint64>;

namespace {
ISWAPtr placed(const QString& sss, qreal x, qreal y, Hand hand = Hand::none) {
  auto symbol = std::make_shared<ISWA>(sss, hand);
  EXPECT_TRUE(symbol->isValid()) << sss.toStdString();
  symbol->rect.moveTopLeft(QPointF(x, y));
  return symbol;
}

SignPtr canvasSign(const QString& gloss, const QList<ISWAPtr>& symbols) {
  auto sign = std::make_shared<Sign>();
  sign->jjs->signID = -1;
  sign->jjs->gloss = gloss;
  sign->symbols = symbols;
  sign->updateBounds();
  return sign;
}

// True when the image has a pixel other than the background inside the rectangle.
bool inkIn(const QImage& image, const QRect& rect, const QColor& background = Qt::white) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (image.rect().contains(x, y) && image.pixelColor(x, y) != background) return true;
    }
  }
  return false;
}
}  // namespace

TEST_F(DictionaryFixture, StoringACanvasSignInsertsNewEntriesAndUpdatesStoredOnes) {
  QUABE_REQUIRE_ARCHIVE();
  SignPtr empty = canvasSign("空", {});
  EXPECT_FALSE(db.storeSign(*empty));
  EXPECT_EQ(db.getMaxSignID(), 0);

  ISWAPtr right = placed("01-01-001-01-01-02", 10.9, 20.2);
  ISWAPtr mirrored = placed("01-01-001-01-01-10", 30, 5);
  ISWAPtr marked = placed("01-05-001-01-01-01", 0, 0, Hand::both);
  ISWAPtr arrow = placed("02-03-001-01-01-01", -3.5, 40);
  marked->changeableHand = true;
  arrow->turnableArrow = true;
  arrow->modifiableArrow = true;
  SignPtr sign = canvasSign("雨", {right, mirrored, marked, arrow});
  sign->jjs->meanings = {"rain"};
  ASSERT_TRUE(db.storeSign(*sign));
  EXPECT_EQ(sign->jjs->signID, 1);  // written back into the record
  EXPECT_GT(sign->jjs->creationTime, 0);

  const QList<DbISWA> rows = db.getSpelling(1);
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[0].sss, "01-01-001-01-01-02");
  EXPECT_EQ(rows[0].x, 10);  // truncated
  EXPECT_EQ(rows[0].y, 20);
  EXPECT_EQ(rows[0].hand, int(Hand::right));
  EXPECT_EQ(rows[1].hand, int(Hand::left));  // rotation above 8
  EXPECT_EQ(rows[2].hand, int(Hand::both));
  EXPECT_EQ(rows[2].changeableHand, 1);
  EXPECT_EQ(rows[3].hand, 0);
  EXPECT_EQ(rows[3].x, -3);
  EXPECT_EQ(rows[3].turnableArrow, 1);
  EXPECT_EQ(rows[3].modifiableArrow, 1);
  EXPECT_EQ(db.spellingOf(*sign)[2].sign, "雨");
  EXPECT_EQ(db.spellingOf(*sign)[3].subID, 4);

  // A stored id is updated in place; so is id 0 when it exists.
  sign->symbols.removeLast();
  sign->jjs->gloss = "雪";
  ASSERT_TRUE(db.storeSign(*sign));
  EXPECT_EQ(db.getMaxSignID(), 1);
  EXPECT_EQ(db.getGloss(1), "雪");
  EXPECT_EQ(db.getSpelling(1).size(), 3);
  SignPtr zero = canvasSign("零", {placed("01-01-001-01-01-01", 0, 0)});
  zero->jjs->signID = 0;
  EXPECT_FALSE(db.storeSign(*zero));  // nothing to update
  exec("INSERT INTO Signs (SignID, Gloss) VALUES (0, 'zero')");
  EXPECT_TRUE(db.storeSign(*zero));
  EXPECT_EQ(db.getGloss(0), "零");
}

TEST_F(DictionaryFixture, CanvasSignsAndCompoundsComeBackFromTheDictionary) {
  QUABE_REQUIRE_ARCHIVE();
  SignPtr a = canvasSign("雨", {placed("01-01-001-01-01-01", 5, 6), placed("02-01-001-01-01-01", 30, 0)});
  SignPtr b = canvasSign("止む", {placed("01-05-001-01-01-01", 0, 0)});
  ASSERT_TRUE(db.storeSign(*a));
  ASSERT_TRUE(db.storeSign(*b));
  const QList<SignPtr> signs = db.getSigns({b->jjs->signID, a->jjs->signID});
  ASSERT_EQ(signs.size(), 2);
  EXPECT_EQ(signs[0]->jjs->gloss, "止む");
  ASSERT_EQ(signs[1]->symbols.size(), 2);
  EXPECT_EQ(signs[1]->symbols[0]->rect.topLeft(), QPointF(5, 6));

  auto compound = std::make_shared<Compound>();
  compound->jjs->signID = -1;
  compound->jjs->gloss = "雨上がり";
  compound->constituentIDs = Ids{a->jjs->signID, b->jjs->signID};
  ASSERT_TRUE(db.insertCompound(*compound, false));
  const SignPtr loaded = db.loadSign(compound->jjs->signID);
  ASSERT_TRUE(std::dynamic_pointer_cast<Compound>(loaded));
  ASSERT_TRUE(loaded->constituents.has_value());
  ASSERT_EQ(loaded->constituents->size(), 2);
  EXPECT_EQ(loaded->constituents->at(1)->jjs->gloss, "止む");
  compound->constituentIDs = Ids{b->jjs->signID};
  compound->jjs->gloss = "止む2";
  ASSERT_TRUE(db.updateCompound(*compound, false));
  EXPECT_EQ(db.getSign(compound->jjs->signID)->constituentIDs, Ids{b->jjs->signID});
  EXPECT_FALSE(std::dynamic_pointer_cast<Compound>(db.loadSign(a->jjs->signID)));
  EXPECT_EQ(db.loadSign(a->jjs->signID)->symbols.size(), 2);
}

TEST_F(DictionaryFixture, ThumbnailsDrawAtStoredPlacesOrCentreWhatDoesNotFit) {
  QUABE_REQUIRE_ARCHIVE();
  const QSize hand = SymbolArchive::shared().image(SSS::fromString("01-01-001-01-01-01"))->size();
  exec("INSERT INTO Signs (SignID, Gloss) VALUES (1, 'fits'), (2, 'wide'), (3, 'none')");
  exec(
      "INSERT INTO Spelling (SignID, SubID, SSS, pos_x, pos_y) VALUES (1, 1, '01-01-001-01-01-01', 100, 10), "
      "(2, 1, '01-01-001-01-01-01', -40, 0), (2, 2, '01-01-001-01-01-01', 160, 0)");
  const QImage fits = db.signImage(QSize(150, 150), 1);
  ASSERT_EQ(fits.size(), QSize(150, 150));
  EXPECT_EQ(fits.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_TRUE(inkIn(fits, QRect(QPoint(100, 10), hand)));
  EXPECT_FALSE(inkIn(fits, QRect(0, 0, 99, 150)));

  // Box 200 + hand width wide: the picture grows and the symbols are centred.
  const QImage wide = db.signImage(QSize(150, 150), 2);
  EXPECT_EQ(wide.width(), 200 + hand.width());
  EXPECT_EQ(wide.height(), 150);
  const int top = (150 - hand.height()) / 2;
  EXPECT_TRUE(inkIn(wide, QRect(QPoint(0, top), hand)));
  EXPECT_TRUE(inkIn(wide, QRect(QPoint(200, top), hand)));
  EXPECT_FALSE(inkIn(wide, QRect(0, 0, wide.width(), top - 1)));

  EXPECT_TRUE(db.signImage(QSize(150, 150), 3).isNull());
  EXPECT_TRUE(db.signImage(QSize(150, 150), 99).isNull());
}

TEST_F(DictionaryFixture, TheSignListReadsNonAliasRowsByReadingWithMeaningsAndPictures) {
  QUABE_REQUIRE_ARCHIVE();
  const qint64 c = addEntry("ccc", "", "う", {"three"});
  const qint64 a = addEntry("aaa", "", "あ", {"one", "first"});
  const qint64 b = addEntry("bbb", "", "い");
  const qint64 percent = addEntry("50%", "", "ご");
  const qint64 underscore = addEntry("x_y", "", "え");
  const qint64 quote = addEntry("it's", "", "お", {"that's"});
  addAlias("aaa2", "aaa");
  QList<qint64> ids;
  const QList<DbSign> all = db.getWholeSigns(QString(), 1, 50);
  for (const DbSign& s : all) ids << s.signID;
  EXPECT_EQ(ids, (Ids{a, b, c, underscore, quote, percent}));
  EXPECT_EQ(all[0].meanings, (QStringList{"first", "one"}));
  ASSERT_TRUE(all[0].image.has_value());
  EXPECT_EQ(all[0].image->size(), QSize(150, 150));

  ids.clear();
  for (const DbSign& s : db.getWholeSigns(QString(), 2, 3)) ids << s.signID;
  EXPECT_EQ(ids, (Ids{b, c}));
  EXPECT_TRUE(db.getWholeSigns(QString(), 7, 9).isEmpty());

  const auto search = [this](const QString& text) {
    QList<qint64> found;
    for (const DbSign& s : db.getWholeSigns(text, 1, 50)) found << s.signID;
    return found;
  };
  EXPECT_EQ(search("b"), Ids{b});
  EXPECT_EQ(search("い"), Ids{b});              // reading
  EXPECT_EQ(search("first"), Ids{a});           // meaning
  EXPECT_EQ(search("%"), Ids{percent});         // literal percent sign
  EXPECT_EQ(search("'"), Ids{quote});           // gloss and meaning, listed once
  EXPECT_EQ(search("x_y"), (Ids{underscore}));  // "x" after the gloss/tag split
  EXPECT_EQ(search("' OR 1=1 --"), Ids{});
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 7);
}
