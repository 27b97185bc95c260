#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include "common/TestSupport.h"
#include "dictionary/sqlite/SqliteDatabase.h"

using namespace quabe;

namespace {
class SqliteDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    path = dir.filePath("t.db");
    SqliteDatabase db(path);
    ASSERT_TRUE(db.openOrCreate());
    ASSERT_TRUE(db.executeUpdate("CREATE TABLE T (ID INTEGER, Name TEXT, Score REAL, Flag INTEGER)"));
  }
  QTemporaryDir dir;
  QString path;
};
}  // namespace

TEST_F(SqliteDatabaseTest, UnknownColumnsReadAsNullAndWrongArgumentCountsRunNothing) {
  SqliteDatabase db(path);
  ASSERT_TRUE(db.open());
  ASSERT_TRUE(db.executeUpdate("INSERT INTO T (ID, Name) VALUES (?,?)", {7, QString("x")}));
  EXPECT_FALSE(db.executeUpdate("INSERT INTO T (ID, Name) VALUES (?,?)", {8}));
  EXPECT_FALSE(db.executeUpdate("INSERT INTO T (ID) VALUES (?)", {8, 9}));
  EXPECT_FALSE(db.executeQuery("SELECT * FROM T WHERE ID=?", {}));
  EXPECT_FALSE(db.executeQuery("SELECT * FROM Missing"));
  EXPECT_FALSE(db.executeUpdate("NOT SQL AT ALL"));
  EXPECT_EQ(test::sqlScalar(path, "SELECT COUNT(*) FROM T"), 1);
}

TEST_F(SqliteDatabaseTest, ClosingTheConnectionFinishesOpenResultSets) {
  auto db = std::make_unique<SqliteDatabase>(path);
  ASSERT_TRUE(db->open());
  ASSERT_TRUE(db->executeUpdate("INSERT INTO T (ID) VALUES (1), (2)"));
  auto rs = db->executeQuery("SELECT ID FROM T");
  ASSERT_TRUE(rs && rs->next());
  EXPECT_TRUE(db->close());
  EXPECT_FALSE(rs->isOpen());
  EXPECT_FALSE(rs->next());
  EXPECT_TRUE(db->close());  // harmless twice
  db.reset();
  rs.reset();  // the result set outlives its connection safely
}

TEST_F(SqliteDatabaseTest, TransactionsCommitRollBackAndCloseRollsBackAnOpenOne) {
  {
    SqliteDatabase db(path);
    ASSERT_TRUE(db.open());
    ASSERT_TRUE(db.beginTransaction());
    ASSERT_TRUE(db.executeUpdate("INSERT INTO T (ID) VALUES (1)"));
    ASSERT_TRUE(db.rollback());
    ASSERT_TRUE(db.beginTransaction());
    ASSERT_TRUE(db.executeUpdate("INSERT INTO T (ID) VALUES (2)"));
    ASSERT_TRUE(db.commit());
    ASSERT_TRUE(db.beginTransaction());
    ASSERT_TRUE(db.executeUpdate("INSERT INTO T (ID) VALUES (3)"));
  }  // destroyed inside the transaction
  EXPECT_EQ(test::sqlColumn(path, "SELECT group_concat(ID) FROM T"), QStringList{"2"});
}

TEST_F(SqliteDatabaseTest, ABusyDatabaseIsRetriedUntilTheLimitThenFails) {
  SqliteDatabase holder(path);
  ASSERT_TRUE(holder.open());
  ASSERT_TRUE(holder.beginTransaction());  // exclusive lock
  SqliteDatabase other(path);
  other.maxBusyRetryTimeInterval = 0.3;
  ASSERT_TRUE(other.open());
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(other.executeUpdate("INSERT INTO T (ID) VALUES (9)"));
  EXPECT_GE(timer.elapsed(), 250);
  EXPECT_FALSE(other.beginTransaction());
  EXPECT_TRUE(other.lastErrorIsBusy());
  // A read that meets the lock fails as busy: no rows is not the answer.
  auto rows = other.executeQuery("SELECT ID FROM T");
  EXPECT_FALSE(rows && rows->next());
  EXPECT_TRUE(!rows || rows->failed());
  EXPECT_TRUE(other.lastErrorIsBusy());
  ASSERT_TRUE(holder.commit());
  EXPECT_TRUE(other.executeUpdate("INSERT INTO T (ID) VALUES (9)"));
}
