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
  DbSign key;
  key.gloss = kQuote;
  EXPECT_EQ(idsOf(db.searchSigns(key)), Ids{quote});
  key.gloss = kInjection;
  EXPECT_EQ(idsOf(db.searchSigns(key)), Ids{injection});
  EXPECT_EQ(db.findSameSigns(key), Ids{injection});
  key.gloss = kDrop;
  key.tag = "①";
  EXPECT_EQ(idsOf(db.searchSigns(key)), Ids{drop});
  EXPECT_EQ(db.findSameSigns(key), Ids{drop});
  key.tag = "' OR '1'='1";
  EXPECT_TRUE(db.searchSigns(key).isEmpty());
  EXPECT_TRUE(db.findSameSigns(key).isEmpty());

  DbSign wildcard;
  wildcard.gloss = "it'*";
  EXPECT_EQ(idsOf(db.searchSigns(wildcard)), Ids{quote});
  wildcard.gloss = "a_b*";  // "_" is an ordinary character
  EXPECT_EQ(idsOf(db.searchSigns(wildcard)), Ids{underscore});
  wildcard.gloss = kPercent;  // "%" stays the wildcard it always was
  EXPECT_EQ(idsOf(db.searchSigns(wildcard)), (Ids{percent, hundred}));
  wildcard.gloss = "'; DROP%";
  EXPECT_EQ(idsOf(db.searchSigns(wildcard)), Ids{drop});
  expectTablesIntact();
}
