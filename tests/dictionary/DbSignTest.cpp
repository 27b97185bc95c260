// Canvas signs stored in the dictionary, and the thumbnails of its entries.
#include <gtest/gtest.h>

#include "DictionaryFixture.h"
#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "document/Sign.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;
using quabe::test::DictionaryFixture;

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

  // Positions are truncated; a hand turned past rotation 8 is the left one (2).
  EXPECT_EQ(spelling(1),
            (QStringList{"01-01-001-01-01-02@10,20 hand 1", "01-01-001-01-01-10@30,5 hand 2",
                         "01-05-001-01-01-01@0,0 hand 3 changeable", "02-03-001-01-01-01@-3,40 turnable modifiable"}));
  EXPECT_EQ(db.spellingOf(*sign)[2].sign, "雨");
  EXPECT_EQ(db.spellingOf(*sign)[3].subID, 4);

  // A stored id is updated in place; so is id 0 when it exists.
  sign->symbols.removeLast();
  sign->jjs->gloss = "雪";
  ASSERT_TRUE(db.storeSign(*sign));
  EXPECT_EQ(db.getMaxSignID(), 1);
  EXPECT_EQ(gloss(1), "雪");
  EXPECT_EQ(db.getSpelling(1).size(), 3);
  SignPtr zero = canvasSign("零", {placed("01-01-001-01-01-01", 0, 0)});
  zero->jjs->signID = 0;
  EXPECT_FALSE(db.storeSign(*zero));  // nothing to update
  exec("INSERT INTO Signs (SignID, Gloss) VALUES (0, 'zero')");
  EXPECT_TRUE(db.storeSign(*zero));
  EXPECT_EQ(gloss(0), "零");
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
