// Signs and compounds built from dictionary entries, against a temporary
// dictionary file.
#include <QTemporaryDir>
#include <optional>

#include "SignTestSupport.h"
#include "common/TestSupport.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "document/Compound.h"

namespace quabe::test {
namespace {

DbISWA row(const QString& sss, int x, int y, int hand = 0, int flags = 0) {
  DbISWA r;
  r.sss = sss;
  r.x = x;
  r.y = y;
  r.hand = hand;
  r.changeableHand = flags & 1;
  r.turnableArrow = (flags >> 1) & 1;
  r.modifiableArrow = (flags >> 2) & 1;
  return r;
}

class SignDictionaryTest : public ArchiveFixture {
 protected:
  void SetUp() override {
    ArchiveFixture::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(directory.isValid());
    path = directory.filePath("test.db");
    QString error;
    ASSERT_TRUE(DictionaryFile::create(path, QString(), false, &error)) << error.toStdString();
    db.setPath(path);
  }
  // Stores an entry and returns its id.
  qint64 store(const QString& gloss, const QList<DbISWA>& spelling) {
    DbSign entry;
    entry.signID = -1;
    entry.gloss = gloss;
    EXPECT_TRUE(db.insertSign(entry, spelling, false));
    return entry.signID;
  }

  QTemporaryDir directory;
  QString path;
  Dictionary db;
};

TEST_F(SignDictionaryTest, SignFromEntryAndRows) {
  auto entry = std::make_shared<DbSign>();
  entry->gloss = "HELLO";
  Sign sign(entry, {row("01-01-001-01-01-01", 10, 20, 1, 1), row("99-99-999-99-99-99", 0, 0),
                    row("04-01-001-01-01-01", 30, 5, 7, 6)});
  ASSERT_EQ(sign.symbols.size(), 2);  // the unknown code is skipped
  EXPECT_EQ(sign.jjs.get(), entry.get());
  const ISWA& hand = *sign.symbols[0];
  EXPECT_EQ(hand.rect.topLeft(), QPointF(10, 20));
  EXPECT_EQ(hand.hand, Hand::right);
  EXPECT_TRUE(hand.changeableHand);
  EXPECT_FALSE(hand.turnableArrow);
  const ISWA& head = *sign.symbols[1];
  EXPECT_EQ(head.hand, Hand::none);  // 7 is no hand
  EXPECT_TRUE(head.turnableArrow && head.modifiableArrow);
  EXPECT_DOUBLE_EQ(sign.leftMost, 10);
  EXPECT_DOUBLE_EQ(sign.topMost, 5);
  EXPECT_DOUBLE_EQ(sign.rightMost, std::max(25.0, 30 + head.rect.width()));
}

TEST_F(SignDictionaryTest, LoadSignFromDbReadsEntryAndSpelling) {
  const qint64 id = store("TREE", {row("01-01-001-01-01-01", 40, 50, 2), row("04-01-001-01-01-01", 10, 12)});
  ASSERT_GT(id, 0);
  SignPtr sign = db.loadPlainSign(id);
  EXPECT_EQ(sign->jjs->signID, id);
  EXPECT_EQ(sign->jjs->gloss, "TREE");
  ASSERT_EQ(sign->symbols.size(), 2);
  EXPECT_EQ(sign->symbols[0]->rect.topLeft(), QPointF(40, 50));
  EXPECT_EQ(sign->symbols[0]->hand, Hand::left);
  EXPECT_EQ(SSS::toString(sign->symbols[1]->sss()), "04-01-001-01-01-01");
  EXPECT_DOUBLE_EQ(sign->leftMost, 10);
  EXPECT_DOUBLE_EQ(sign->topMost, 12);

  SignPtr missing = db.loadPlainSign(id + 100);
  EXPECT_TRUE(missing->isEmpty());
  ASSERT_TRUE(missing->jjs);
  EXPECT_EQ(missing->jjs->signID, 0);
  EXPECT_TRUE(missing->jjs->gloss.isEmpty());
}

TEST_F(SignDictionaryTest, CompoundFromEntryLoadsConstituentsInOrder) {
  const qint64 first = store("A", {row("01-01-001-01-01-01", 0, 0)});
  const qint64 second = store("B", {row("04-01-001-01-01-01", 5, 5), row("01-01-001-01-01-01", 40, 30)});
  auto entry = std::make_shared<DbSign>();
  entry->isCompound = true;
  entry->constituentIDs = QList<qint64>{second, first};
  const std::shared_ptr<Compound> built = db.makeCompound(entry);
  const Compound& compound = *built;
  ASSERT_EQ(compound.constituents->size(), 2);
  EXPECT_EQ(*compound.constituentIDs, (QList<qint64>{second, first}));
  const Sign& b = *compound.constituents->at(0);
  const Sign& a = *compound.constituents->at(1);
  EXPECT_EQ(b.jjs->gloss, "B");
  EXPECT_EQ(a.jjs->gloss, "A");
  EXPECT_EQ(compound._sizeInHMode, QSizeF(b.width + 16 + a.width, std::max(a.height, b.height)));
  EXPECT_TRUE(compound.symbols.isEmpty());
}

}  // namespace
}  // namespace quabe::test
