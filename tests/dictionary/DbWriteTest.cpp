#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include "DictionaryFixture.h"
#include "dictionary/Dictionary.h"

using namespace quabe;
using quabe::test::DictionaryFixture;
using quabe::test::newEntry;
using quabe::test::numbered;
using quabe::test::spellingRow;
using quabe::test::sqlColumn;
using Ids = QList<qint64>;

TEST_F(DictionaryFixture, NewEntriesTakeTheNextIdAndTheLargestIdIsReusedAfterDeletion) {
  // The id the entry was stored under; 0 when the insert failed.
  const auto insert = [this](const QString& gloss, qint64 id = -1, const QList<DbISWA>& rows = {}) {
    DbSign e = newEntry(gloss);
    e.signID = id;
    return db.insertSign(e, rows, false) ? e.signID : 0;
  };
  EXPECT_EQ(insert("雨", -1, {spellingRow("01-01-001-01-01-01")}), 1);
  EXPECT_EQ(insert("雪"), 2);
  EXPECT_EQ(insert("霧", 10), 10);
  EXPECT_EQ(db.getMaxSignID(), 10);
  // Inserting an id that exists fails and leaves the stored entry alone.
  EXPECT_EQ(insert("x", 10, {spellingRow("02-01-001-01-01-01")}), 0);
  EXPECT_EQ(gloss(10), "霧");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Spelling WHERE SignID=10"), 0);

  ASSERT_TRUE(db.deleteSign(10));
  EXPECT_EQ(insert("晴れ"), 3);
  ASSERT_TRUE(db.deleteSign(3));
  EXPECT_EQ(insert("曇り"), 3);
}

TEST_F(DictionaryFixture, InsertWritesEveryFieldSpellingAndMeanings) {
  DbSign e = newEntry("行く", "②");
  e.yomi = "いく";
  e.handshape = "1";
  e.position = "前";
  e.source = "1";
  e.destination = "3";
  e.modifier = "速";
  e.width = 40.6;
  e.height = 55;
  e.inflectionType = 3;
  e.modificationType = 2;
  e.comment = "memo";
  e.isForHandshape = true;
  e.meanings = {"行く", "出かける"};
  QList<DbISWA> rows = numbered({spellingRow("01-01-001-01-01-09", 12, 34, Hand::left, true),
                                 spellingRow("02-03-001-01-01-01", 20, 0, Hand::none, false, true, true)});
  rows[0].sign = "行く";
  ASSERT_TRUE(db.insertSign(e, rows, false));
  EXPECT_EQ(writes, 1);

  const DbSign back = *db.getSign(e.signID);
  EXPECT_EQ(back.text(TagStyle::atMark), "行く@②[1](1→3;速)");
  EXPECT_EQ(back.yomi, "いく");
  EXPECT_EQ(back.position, "前");
  EXPECT_EQ(back.width, 40);  // read back as an integer
  EXPECT_EQ(back.inflectionType, 3);
  EXPECT_EQ(back.modificationType, 2);
  EXPECT_EQ(back.comment, "memo");
  EXPECT_TRUE(back.isForHandshape);
  EXPECT_FALSE(back.isCompound);
  EXPECT_EQ(db.getMeanings(e.signID), (QStringList{"出かける", "行く"}));
  for (DbISWA& row : rows) row.signID = e.signID;
  EXPECT_EQ(db.getSpelling(e.signID), rows);
}

TEST_F(DictionaryFixture, UpdateReplacesSpellingAndMeaningsClearsTheAliasAndNeedsAnEntry) {
  const qint64 id = addEntry("雨", "", "あめ", {"a", "b"});
  exec("UPDATE Signs SET StdGloss='x' WHERE SignID=?", {id});
  exec("INSERT INTO Compounds (CompoundID, ConstituentID, ComponentOrder) VALUES (?, 1, 1)", {id});
  DbSign e = *db.getSign(id);
  e.gloss = "雪";
  e.meanings = {"c"};
  ASSERT_TRUE(
      db.updateSign(e, numbered({spellingRow("04-01-001-01-01-01", 1, 2), spellingRow("02-01-001-01-01-01")}), false));
  const DbSign back = *db.getSign(id);
  EXPECT_EQ(back.gloss, "雪");
  EXPECT_EQ(back.stdGloss, "");
  EXPECT_EQ(db.getMeanings(id), QStringList{"c"});
  EXPECT_EQ(spelling(id), (QStringList{"04-01-001-01-01-01@1,2", "02-01-001-01-01-01@0,0"}));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Compounds WHERE CompoundID=?", {id}), 1);  // untouched

  const int writesBefore = writes;
  DbSign ghost = newEntry("幽霊");
  ghost.signID = 0;
  EXPECT_FALSE(db.updateSign(ghost, {spellingRow("01-01-001-01-01-01")}, false));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Spelling WHERE SignID=0"), 0);
  EXPECT_EQ(writes, writesBefore);
}

TEST_F(DictionaryFixture, CompoundsStoreConstituentsInOrderAndReadThemBack) {
  const qint64 rain = addEntry("雨");
  const qint64 stop = addEntry("止む");
  DbSign compound = newEntry("雨上がり");
  compound.yomi = "あめあがり";
  compound.meanings = {"after the rain"};
  ASSERT_TRUE(db.insertCompound(compound, {stop, rain, stop}, false));
  EXPECT_TRUE(db.isCompound(compound.signID));
  const QString orders = "SELECT ComponentOrder || ConstituentID || Gloss FROM Compounds WHERE CompoundID=? ORDER BY 1";
  EXPECT_EQ(sqlColumn(path, orders, {compound.signID}),
            (QStringList{QString("1%1雨上がり").arg(stop), QString("2%1雨上がり").arg(rain),
                         QString("3%1雨上がり").arg(stop)}));
  const DbSign back = *db.getSign(compound.signID);
  EXPECT_EQ(back.constituentIDs, (Ids{stop, rain, stop}));
  ASSERT_TRUE(back.constituents.has_value());
  EXPECT_EQ(back.constituents->at(1).gloss, "雨");
  EXPECT_EQ(db.getMeanings(compound.signID), QStringList{"after the rain"});

  // Update: constituents replaced, numbered from 1 again.
  DbSign changed = back;
  changed.gloss = "雨止み";
  ASSERT_TRUE(db.updateCompound(changed, {rain, stop}, false));
  EXPECT_EQ(db.getSign(compound.signID)->constituentIDs, (Ids{rain, stop}));
  EXPECT_EQ(sqlColumn(path, "SELECT ComponentOrder FROM Compounds WHERE CompoundID=?", {compound.signID}),
            (QStringList{"1", "2"}));
  EXPECT_EQ(gloss(compound.signID), "雨止み");

  // Deleting a constituent leaves the compound's rows; deleting the compound removes them.
  ASSERT_TRUE(db.deleteSign(stop));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Compounds WHERE CompoundID=?", {compound.signID}), 2);
  EXPECT_EQ(db.getSign(compound.signID)->constituents->size(), 1);  // the missing one is left out
  ASSERT_TRUE(db.deleteSign(compound.signID));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Compounds"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Translation WHERE SignID=?", {compound.signID}), 0);
  EXPECT_FALSE(db.getSign(compound.signID).has_value());
}

TEST_F(DictionaryFixture, ACompoundThatContainsItselfStillReads) {
  exec("INSERT INTO Signs (SignID, Gloss, IsCompound) VALUES (1, 'a', 1), (2, 'b', 1)");
  exec("INSERT INTO Compounds (CompoundID, ConstituentID) VALUES (1, 2), (2, 1), (1, 1)");
  const DbSign a = *db.getSign(1);
  ASSERT_EQ(a.constituents->size(), 1);
  EXPECT_EQ(a.constituents->first().signID, 2);
  EXPECT_TRUE(a.constituents->first().constituents->isEmpty());
}

TEST_F(DictionaryFixture, InsertingAnEntryWithConstituentsFindsThemByTheirFields) {
  const qint64 rain = addEntry("雨", "②");
  addEntry("雨");
  const qint64 stop = addEntry("止む");
  DbSign compound = newEntry("雨上がり");
  compound.isCompound = true;
  DbSign c1 = *db.getSign(rain);
  DbSign c2 = *db.getSign(stop);
  DbSign missing = newEntry("ない");
  compound.constituents = QList<DbSign>{c1, missing, c2};
  ASSERT_TRUE(db.insertSign(compound, {}, false));
  EXPECT_EQ(sqlColumn(path, "SELECT ComponentOrder || ':' || ConstituentID FROM Compounds ORDER BY 1"),
            (QStringList{QString("2:%1").arg(rain), QString("3:%1").arg(stop)}));
}

TEST_F(DictionaryFixture, AFailureInTheMiddleRollsTheWholeWriteBack) {
  const qint64 kept = addEntry("雨", "", "あめ", {"rain"});
  exec(
      "CREATE TRIGGER failing BEFORE INSERT ON Translation WHEN NEW.Japanese = 'FAIL' "
      "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
  exec(
      "CREATE TRIGGER failingDelete BEFORE DELETE ON Translation WHEN OLD.Japanese = 'LOCKED' "
      "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
  const int before = writes;
  const auto snapshot = [this] {
    return sqlColumn(path,
                     "SELECT (SELECT COUNT(*) FROM Signs) || '/' || (SELECT COUNT(*) FROM Spelling) || '/' || "
                     "(SELECT COUNT(*) FROM Translation) || '/' || (SELECT COUNT(*) FROM Compounds) || '/' || "
                     "(SELECT group_concat(Gloss) FROM Signs)");
  };
  const QStringList start = snapshot();

  DbSign added = newEntry("雪");
  added.meanings = {"snow", "FAIL"};
  EXPECT_FALSE(
      db.insertSign(added, numbered({spellingRow("01-01-001-01-01-01"), spellingRow("02-01-001-01-01-01")}), false));
  EXPECT_EQ(snapshot(), start);

  DbSign changed = *db.getSign(kept);
  changed.gloss = "霧";
  changed.meanings = {"FAIL"};
  EXPECT_FALSE(db.updateSign(changed, {}, false));
  EXPECT_EQ(snapshot(), start);
  EXPECT_EQ(db.getSpelling(kept).size(), 1);

  DbSign compound = newEntry("雨雪");
  compound.meanings = {"FAIL"};
  EXPECT_FALSE(db.insertCompound(compound, {kept, kept}, false));
  EXPECT_EQ(snapshot(), start);

  exec("INSERT INTO Translation (SignID, Japanese) VALUES (?, 'LOCKED')", {kept});
  const QStringList withLocked = snapshot();
  EXPECT_FALSE(db.deleteSign(kept));
  EXPECT_EQ(snapshot(), withLocked);
  EXPECT_EQ(writes, before);
}

TEST_F(DictionaryFixture, ReadOnlyAndLockedDictionariesRefuseWritesWithoutPartialRows) {
  const qint64 id = addEntry("雨");
  {
    // Another connection holds the write lock for longer than the retry limit.
    SqliteDatabase holder(path);
    ASSERT_TRUE(holder.open());
    ASSERT_TRUE(holder.beginTransaction());
    DbSign e = newEntry("雪");
    EXPECT_FALSE(db.insertSign(e, {spellingRow("01-01-001-01-01-01")}, false));
    holder.rollback();
  }
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 1);

  test::makeReadOnly(path);
  DbSign e = newEntry("雪");
  EXPECT_FALSE(db.insertSign(e, {spellingRow("01-01-001-01-01-01")}, false));
  EXPECT_FALSE(db.deleteSign(id));
  DbSign stored = *db.getSign(id);  // reading still works
  stored.gloss = "霧";
  EXPECT_FALSE(db.updateSign(stored, {}, false));
  EXPECT_EQ(gloss(id), "雨");
  EXPECT_EQ(db.getSignIDs("雨"), Ids{id});
}

TEST_F(DictionaryFixture, EveryOperationOnAMissingOrForeignFileGivesAnEmptyResult) {
  for (const QString& name : {file("absent.db"), junkFile(), foreignDatabase()}) {
    SCOPED_TRACE(name.toStdString());
    db.setPath(name);
    EXPECT_FALSE(db.getSign(1).has_value());
    EXPECT_TRUE(db.getSpelling(1).isEmpty());
    EXPECT_TRUE(db.getMeanings(1).isEmpty());
    EXPECT_EQ(db.getMaxSignID(), -1);
    DbSign e = newEntry("a");
    EXPECT_FALSE(db.insertSign(e, {spellingRow("01-01-001-01-01-01")}, false));
    e.signID = 1;
    EXPECT_FALSE(db.updateSign(e, {}, false));
  }
  EXPECT_FALSE(QFile::exists(file("absent.db")));  // never created by a look-up or write
  EXPECT_EQ(writes, 3);                            // only the three switches of dictionary
}

TEST_F(DictionaryFixture, SettingsChooseTheAlternativeDictionary) {
  QSettings settings;
  settings.setValue("UseAlternativeDict", true);
  settings.setValue("AlternativeDictPath", file("chosen.db"));
  EXPECT_EQ(Dictionary::pathFromSettings(), file("chosen.db"));
  settings.setValue("AlternativeDictPath", "");  // an empty path falls back to the bundled dictionary
  EXPECT_TRUE(Dictionary::pathFromSettings().endsWith("/" + Dictionary::dictionaryFileName));
  settings.remove("UseAlternativeDict");
  settings.remove("AlternativeDictPath");
}
