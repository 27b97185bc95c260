#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

#include "DictionaryFixture.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/DictionaryMerge.h"

using namespace quabe;
using quabe::test::DictionaryFixture;

namespace {
// A dictionary file beside the fixture's, filled with plain entries.
class MergeTest : public DictionaryFixture {
 protected:
  QString other() {
    const QString otherPath = file("other.db");
    if (!QFile::exists(otherPath)) {
      EXPECT_TRUE(DictionaryFile::create(otherPath, symbolData, false, nullptr));
    }
    return otherPath;
  }
  // An entry written straight into a file (SignID, gloss, creation and
  // modification time, meanings).
  void put(const QString& dict, qint64 id, const QString& gloss, qint64 created, const QStringList& meanings = {},
           const QString& sss = "01-01-001-01-01-01") {
    SqliteDatabase db(dict);
    ASSERT_TRUE(db.open());
    DbSign e = test::newEntry(gloss);
    e.signID = id;
    e.yomi = gloss;
    e.creationTime = e.modificationTime = created;
    e.meanings = meanings;
    ASSERT_TRUE(Dictionary::writeNewEntry(db, e, test::numbered({test::spellingRow(sss)})));
  }
  QByteArray digest(const QString& dict) {
    QFile f(dict);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
  }
  // Merges other() into the fixture's dictionary, answering from the list
  // (then skip); records which questions came with a counterpart.
  MergeReport merge(QList<MergeResponse> answers, QStringList* asked = nullptr, bool dryRun = false) {
    DictionaryMerge merge(path);
    QString error;
    EXPECT_TRUE(merge.open(other(), &error)) << error.toStdString();
    return merge.run(
        [&](const MergeVersion& e, const MergeVersion* current) {
          if (asked) *asked << (current ? "replace? " : "add? ") + e.entry.gloss;
          return answers.isEmpty() ? MergeResponse::skip : answers.takeFirst();
        },
        {}, dryRun);
  }
};
}  // namespace

// Merging a file with itself writes nothing and asks nothing, compounds and
// aliases included.
TEST_F(MergeTest, ADictionaryMergedWithItselfStaysAsItWas) {
  const qint64 a = addEntry("rain", "", "", {"wet"});
  const qint64 b = addEntry("snow");
  DbSign compound = test::newEntry("sleet");
  ASSERT_TRUE(db.insertCompound(compound, {a, b}, false));
  addAlias("drizzle", "rain");
  const QByteArray before = digest(path);
  int questions = 0;
  DictionaryMerge merge(path);
  ASSERT_TRUE(merge.open(path));
  const MergeReport report = merge.run([&](const MergeVersion&, const MergeVersion*) {
    ++questions;
    return MergeResponse::add;
  });
  EXPECT_EQ(questions, 0);
  EXPECT_EQ(report.identical, 4);
  EXPECT_EQ(report.added + report.replaced + report.failed, 0);
  EXPECT_EQ(digest(path), before);
}

// Entries that share only their SignID are not counterparts: they are
// offered as new entries, never as replacements.
TEST_F(MergeTest, TheAnswersAddAddAllReplaceSkipAndAbort) {
  put(path, 1, "rain", 100, {"wet", "shower"});
  put(path, 2, "snow", 200);
  put(other(), 1, "rain", 100, {"pour"}, "01-01-001-01-01-02");  // same entry, changed
  put(other(), 2, "river", 300);                                 // same id, unrelated
  put(other(), 3, "sea", 400);
  put(other(), 4, "lake", 500);
  put(other(), 5, "pond", 600);

  // Add all at the first new entry: the later new ones come without asking.
  QStringList asked;
  MergeReport report = merge({MergeResponse::skip, MergeResponse::addAll}, &asked);
  EXPECT_EQ(asked, (QStringList{"replace? rain", "add? river"})) << "add all";
  EXPECT_EQ(report.added, 4);
  EXPECT_EQ(report.replaced, 0);
  EXPECT_EQ(gloss(2), "snow");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs WHERE Gloss IN ('river','sea','lake','pond')"), 4);
  // Replace: the SignID stays, the meanings only this side had are kept.
  asked.clear();
  report = merge({MergeResponse::replace}, &asked);
  EXPECT_EQ(asked.first(), "replace? rain");
  EXPECT_EQ(report.replaced, 1);
  EXPECT_EQ(db.getMeanings(1), (QStringList{"pour", "shower", "wet"}));
  EXPECT_EQ(db.getSpelling(1).value(0).sss, "01-01-001-01-01-02");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs WHERE Gloss='rain'"), 1);
}

TEST_F(MergeTest, AbortAtTheSecondOfFiveKeepsTheFirstAndDryRunsWriteNothing) {
  for (int i = 1; i <= 5; ++i) put(other(), i, QString("new %1").arg(i), 1000 + i);
  const QByteArray before = digest(path);
  MergeReport report = merge({MergeResponse::add, MergeResponse::add}, nullptr, true);
  EXPECT_EQ(report.added, 2);
  EXPECT_EQ(digest(path), before);
  report = merge({MergeResponse::add, MergeResponse::abort});
  EXPECT_TRUE(report.aborted);
  EXPECT_EQ(report.added, 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 1);
  // A cancel through the progress callback ends the run the same way.
  DictionaryMerge cancelled(path);
  ASSERT_TRUE(cancelled.open(other()));
  report = cancelled.run([](const MergeVersion&, const MergeVersion*) { return MergeResponse::addAll; },
                         [](int done, int) { return done < 3; });
  EXPECT_TRUE(report.aborted);
  EXPECT_EQ(report.identical, 1);
  EXPECT_EQ(report.added, 2);
}

// A compound comes with its constituents under the ids they get here, an
// alias with its target; both still resolve after the merge.
TEST_F(MergeTest, CompoundsAndAliasesSurviveTheMerge) {
  put(path, 1, "taken", 1);
  put(path, 2, "taken too", 2);
  put(other(), 1, "rain", 10);
  put(other(), 2, "snow", 20);
  ASSERT_TRUE(test::sqlExec(other(),
                            "INSERT INTO Signs (SignID, Gloss, IsCompound, CreationTime, StdGloss) VALUES "
                            "(3,'sleet',1,30,NULL), (4,'drizzle',0,0,'rain'), (5,'hail',0,0,'nothing')"));
  ASSERT_TRUE(test::sqlExec(other(), "INSERT INTO Compounds VALUES (3,2,2,'sleet'), (3,1,3,'sleet')"));
  const MergeReport report = merge({MergeResponse::addAll});
  EXPECT_EQ(report.added, 4);
  EXPECT_EQ(report.skipped, 1) << "the alias without a target";
  EXPECT_EQ(report.failed, 0);
  const qint64 rain = db.getSignIDs("rain").value(0), snow = db.getSignIDs("snow").value(0);
  const qint64 sleet = db.getSignIDs("sleet").value(0);
  EXPECT_EQ((QList<qint64>{rain, snow}), (QList<qint64>{3, 4}));
  ASSERT_TRUE(db.isCompound(sleet));
  EXPECT_EQ(db.getSign(sleet)->constituentIDs, (QList<qint64>{snow, rain}));
  EXPECT_EQ(db.getSignIDs("drizzle"), QList<qint64>{rain});
  EXPECT_TRUE(db.getSignIDs("hail").isEmpty());
}

// A target that refuses writes: every entry is reported, none half-written.
TEST_F(MergeTest, FailedWritesAreCountedAndLeaveNothingBehind) {
  put(path, 1, "rain", 10);
  put(other(), 1, "rain", 10, {"changed"});
  put(other(), 2, "snow", 20);
  test::makeReadOnly(path);
  const QByteArray before = digest(path);
  const MergeReport report = merge({MergeResponse::replace, MergeResponse::add});
  EXPECT_EQ(report.failed, 2);
  EXPECT_EQ(report.added + report.replaced, 0);
  EXPECT_EQ(digest(path), before);
}
