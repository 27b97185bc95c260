// Texts with quotes, wildcards, semicolons and SQL fragments travel as values:
// the right rows come back and nothing else runs.
#include <gtest/gtest.h>

#include "DictionaryFixture.h"
#include "dictionary/Dictionary.h"

using namespace quabe;
using quabe::test::DictionaryFixture;
using Ids = QList<qint64>;

namespace {
const QString kQuote = "it's";
const QString kInjection = "x' OR '1'='1";
const QString kDrop = "'; DROP TABLE Signs; --";
const QString kPercent = "100%";
const QString kUnderscore = "a_b";

QList<qint64> idsOf(const QList<DbSign>& signs) {
  QList<qint64> ids;
  for (const DbSign& s : signs) ids << s.signID;
  return ids;
}
}  // namespace

class QuotedTextTest : public DictionaryFixture {
 protected:
  void SetUp() override {
    DictionaryFixture::SetUp();
    quote = addEntry(kQuote, "", "いっつ", {"it's ok"});
    injection = addEntry(kInjection, "", "", {kDrop});
    drop = addEntry(kDrop, "①", kDrop);
    percent = addEntry(kPercent, "", "ひゃく");
    hundred = addEntry("1000", "", "せん");
    underscore = addEntry("a_b c", "", "");
    plain = addEntry("axb c", "", "");
    tagged = addEntry("雨", "'x'", "");
  }
  void expectTablesIntact() {
    EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 8);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Spelling"), 8);
  }
  qint64 quote = 0, injection = 0, drop = 0, percent = 0, hundred = 0, underscore = 0, plain = 0, tagged = 0;
};

TEST_F(QuotedTextTest, NotationLookUpsMatchTheTextExactly) {
  EXPECT_EQ(db.getSignIDs(kQuote), Ids{quote});
  EXPECT_EQ(db.getSignIDs(kInjection), Ids{injection});
  EXPECT_EQ(db.getSignIDs(kDrop), Ids{drop});  // gloss and reading of the same entry
  EXPECT_EQ(db.getSignIDs("x"), Ids{});
  EXPECT_EQ(db.getSignIDs("%"), Ids{});
  EXPECT_EQ(db.getSignIDs("a_b_c"), Ids{});
  EXPECT_EQ(db.getSignIDs(kDrop, "①"), Ids{drop});
  EXPECT_EQ(db.getSignIDs("雨", "'x'"), Ids{tagged});
  EXPECT_EQ(db.getSignIDs("雨", "' OR ''='"), Ids{});
  EXPECT_EQ(db.getSignIDsForJapanese(kDrop), Ids{injection});
  EXPECT_EQ(db.getSignIDsForJapanese("it's ok"), Ids{quote});
  expectTablesIntact();
}

TEST_F(QuotedTextTest, AliasesWithQuotedTargetsResolve) {
  addAlias("alias1", kQuote);         // untagged target
  addAlias("alias2", kDrop + "①");    // tagged target whose gloss has quotes and a semicolon
  addAlias("alias3", "雨_'x'");       // tag written after an underscore
  addAlias("alias4", "' OR 1=1 --");  // names nothing
  EXPECT_EQ(db.getSignIDs("alias1"), Ids{quote});
  EXPECT_EQ(db.getSignIDs("alias2"), Ids{drop});
  EXPECT_EQ(db.getSignIDs("alias3"), Ids{tagged});
  EXPECT_EQ(db.getSignIDs("alias4"), Ids{});
  EXPECT_EQ(db.getSignIDs("alias2", ""), Ids{drop});
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 12);
}

TEST_F(QuotedTextTest, SearchesTreatQuotesAsTextAndOnlyStarOrPercentAsWildcards) {
  // What a search (or the look-up of the same entry) finds for a gloss and tag.
  const auto search = [this](const QString& gloss, const QString& tag = QString(), bool same = false) {
    DbSign key;
    key.gloss = gloss;
    key.tag = tag;
    return same ? db.findSameSigns(key) : idsOf(db.searchSigns(key));
  };
  EXPECT_EQ(search(kQuote), Ids{quote});
  EXPECT_EQ(search(kInjection), Ids{injection});
  EXPECT_EQ(search(kInjection, "", true), Ids{injection});
  EXPECT_EQ(search(kDrop, "①"), Ids{drop});
  EXPECT_EQ(search(kDrop, "①", true), Ids{drop});
  EXPECT_TRUE(search(kDrop, "' OR '1'='1").isEmpty());
  EXPECT_TRUE(search(kDrop, "' OR '1'='1", true).isEmpty());

  EXPECT_EQ(search("it'*"), Ids{quote});
  EXPECT_EQ(search("a_b*"), Ids{underscore});            // "_" is an ordinary character
  EXPECT_EQ(search(kPercent), (Ids{percent, hundred}));  // "%" stays the wildcard it always was
  EXPECT_EQ(search("'; DROP%"), Ids{drop});
  expectTablesIntact();
}
