#include <gtest/gtest.h>

#include "DictionaryFixture.h"
#include "dictionary/Dictionary.h"
#include "symbols/Symbol.h"

using namespace quabe;
using quabe::test::DictionaryFixture;
using Ids = QList<qint64>;

TEST_F(DictionaryFixture, GlossMatchesAndTheirAliasesComeBeforeReadingMatches) {
  // Entry 5 has gloss あめ and reading あめ; entry 3 has reading あめ only.
  exec(
      "INSERT INTO Signs (SignID, Gloss, Tag, Yomi) VALUES (1, '雨', NULL, 'あめ'), (2, '雨', '②', 'あめ'), "
      "(3, '飴', NULL, 'あめ'), (5, 'あめ', NULL, 'あめ')");
  EXPECT_EQ(db.getSignIDs("あめ"), (Ids{5, 1, 2, 3}));
  EXPECT_EQ(db.getSignIDs("雨"), (Ids{1, 2}));
  EXPECT_EQ(db.getSignIDs("雪"), Ids{});

  // Aliases: one naming the untagged entry, one naming the tagged one, one
  // whose target does not exist, and an underscore-written tag.
  addAlias("降る", "雨");    // 6 -> 1
  addAlias("降る", "雨②");   // 7 -> 2
  addAlias("降る", "霧");    // 8 -> nothing
  addAlias("ふる", "雨_②");  // 9: the circled digit wins, so this names gloss "雨_"
  EXPECT_EQ(db.getSignIDs("降る"), (Ids{1, 2}));
  EXPECT_EQ(db.getSignIDs("ふる"), Ids{});
  EXPECT_EQ(db.getSignIDs("雨", "②"), (Ids{2}));
  EXPECT_EQ(db.getSignIDs("雨", ""), (Ids{1}));
  EXPECT_EQ(db.getSignIDs("降る", ""), (Ids{1, 2}));
  EXPECT_EQ(db.getSignIDs("あめ", ""), (Ids{5}));  // no reading look-up here
}

TEST_F(DictionaryFixture, MeaningLookUpLeavesAliasesOut) {
  const qint64 a = addEntry("雨", "", "あめ", {"rain", "雨が降る"});
  const qint64 b = addEntry("水", "", "みず", {"water", "rain"});
  const qint64 alias = addAlias("降る", "雨");
  exec("INSERT INTO Translation (SignID, Japanese) VALUES (?, 'rain')", {alias});
  EXPECT_EQ(db.getSignIDsForJapanese("rain"), (Ids{a, b}));
  EXPECT_EQ(db.getSignIDsForJapanese("雨が降る"), (Ids{a}));
  EXPECT_EQ(db.getSignIDsForJapanese("snow"), Ids{});
  EXPECT_EQ(db.getMeanings(a), (QStringList{"rain", "雨が降る"}));
  EXPECT_EQ(db.getMeanings(alias), QStringList{"rain"});
}

TEST_F(DictionaryFixture, SearchByIdByWildcardAndByAllFields) {
  exec(
      "INSERT INTO Signs (SignID, Gloss, Tag, Yomi, Handshape, Position) VALUES "
      "(1, '雨', '', 'あめ', '5', ''), (2, '雨', '②', 'あめ', '', ''), (3, '雨水', NULL, 'あまみず', '', ''), "
      "(4, '晴れ', '', 'はれ', '', '頭'), (5, '雨', NULL, 'あめ', '5', '')");
  const auto ids = [this](const DbSign& key) {
    Ids found;
    for (const DbSign& s : db.searchSigns(key)) found << s.signID;
    return found;
  };
  DbSign byID = test::newEntry("雨", "②");  // gloss and tag ignored
  byID.signID = 4;
  EXPECT_EQ(ids(byID), Ids{4});

  DbSign wildcard;
  wildcard.gloss = "雨*";
  EXPECT_EQ(ids(wildcard), (Ids{1, 2, 3, 5}));

  DbSign reading;
  reading.gloss = "あま%";
  EXPECT_EQ(ids(reading), Ids{3});

  DbSign fields;
  fields.gloss = "雨";
  fields.handshape = "5";
  EXPECT_EQ(ids(fields), (Ids{1, 5}));
  fields.handshape.clear();
  fields.tag = "②";
  EXPECT_EQ(ids(fields), Ids{2});
  EXPECT_EQ(db.findSameSigns(fields), Ids{2});
  fields.isForHandshape = true;
  EXPECT_TRUE(db.findSameSigns(fields).isEmpty());
}

TEST_F(DictionaryFixture, HandshapeSymbolsComeFromHandshapeEntriesAndBothHandSymbols) {
  // Entry 1 has a handshape parameter (passed over), 2 is an ordinary sign,
  // 3 is the handshape entry; its first symbol is a movement, its second a
  // right hand, its third the hand marked both.
  exec(
      "INSERT INTO Signs (SignID, Gloss, Handshape, forHandshape) VALUES (1, '5', 'B', 1), (2, '5', '', 0), "
      "(3, '5', NULL, 1), (4, 'S', '', 0), (5, 'S', '', 0)");
  exec(
      "INSERT INTO Spelling (SignID, SubID, SSS, hand) VALUES (3, 1, '02-01-001-01-01-01', 3), "
      "(3, 2, '01-01-001-01-01-02', 1), (3, 3, '01-05-001-01-01-01', 3), (2, 1, '01-01-001-01-01-01', 3), "
      "(5, 1, '01-01-001-01-01-08', 3), (4, 1, '01-01-001-01-01-01', 3)");
  std::optional<Symbol> five = db.getHandshapeSymbol("5");
  ASSERT_TRUE(five.has_value());
  EXPECT_EQ(five->sssText(), "01-05-001-01-01-01");
  EXPECT_EQ(five->gloss, QString("5"));
  EXPECT_EQ(five->hand, Hand::both);
  // Without a handshape entry the last plain row gives the id.
  std::optional<Symbol> s = db.getHandshapeSymbol("S");
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->rotation, 8);
  EXPECT_FALSE(db.getHandshapeSymbol("Q").has_value());
}

TEST_F(DictionaryFixture, FinderRecordsCoverNonAliasEntriesInIdOrder) {
  exec("INSERT INTO Signs (SignID, Gloss, StdGloss) VALUES (2, 'b', ''), (1, 'a', NULL), (3, 'c', 'a')");
  exec(
      "INSERT INTO Spelling (SignID, SubID, SSS, pos_x, pos_y, hand) VALUES "
      "(1, 2, '02-01-001-01-01-01', 30, 40, 0), (1, 1, '01-01-001-01-01-09', -5, 7, 2), "
      "(3, 1, '01-01-001-01-01-01', 0, 0, 1), (1, 3, '01-01-001-01-01-01', 1, 1, 9)");
  const QList<DbFinderSign> signs = db.getFinderSigns();
  ASSERT_EQ(signs.size(), 2);
  EXPECT_EQ(signs[0].signID, 1);
  EXPECT_EQ(signs[1].signID, 2);
  EXPECT_TRUE(signs[1].symbols.isEmpty());
  ASSERT_EQ(signs[0].symbols.size(), 3);
  EXPECT_EQ(signs[0].symbols[0].code, SSS::fromString("01-01-001-01-01-09"));
  EXPECT_EQ(signs[0].symbols[0].x, -5);
  EXPECT_EQ(signs[0].symbols[0].hand, Hand::left);
  EXPECT_EQ(signs[0].symbols[1].y, 40);
  EXPECT_EQ(signs[0].symbols[2].hand, Hand::none);  // out of range
}
