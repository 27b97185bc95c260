#include <gtest/gtest.h>

#include <QFile>

#include "DictionaryFixture.h"
#include "common/TestSupport.h"
#include "core/Localization.h"
#include "dictionary/Dictionary.h"

using namespace quabe;
using quabe::test::DictionaryFixture;

TEST(DbSignText, GlossAndTagSplitByCircledDigitThenUnderscore) {
  using P = std::pair<QString, QString>;
  EXPECT_EQ(DbSign::splitGlossAndTag("A"), P("A", ""));
  EXPECT_EQ(DbSign::splitGlossAndTag(""), P("", ""));
  EXPECT_EQ(DbSign::splitGlossAndTag("雨②"), P("雨", "②"));
  EXPECT_EQ(DbSign::splitGlossAndTag("行く_前"), P("行く", "前"));
  EXPECT_EQ(DbSign::splitGlossAndTag("a_b_c"), P("a", "b_c"));
  EXPECT_EQ(DbSign::splitGlossAndTag("雨"), P("雨", ""));
  // A circled digit anywhere makes the last character the tag.
  EXPECT_EQ(DbSign::splitGlossAndTag("①ab"), P("①a", "b"));
  EXPECT_EQ(DbSign::splitGlossAndTag("x_⑨"), P("x_", "⑨"));
  EXPECT_EQ(DbSign::splitGlossAndTag("⑩a"), P("⑩a", ""));  // ⑩ is not a tag digit
}

TEST_F(DictionaryFixture, RowsReadNullTextsAsEmptyAndTheGlossStandsInForTheReading) {
  exec(
      "INSERT INTO Signs (SignID, Gloss, Tag, Yomi, StdGloss, forHandshape, Width, Height, IsCompound) "
      "VALUES (1, '雨', NULL, NULL, NULL, '0', 40.7, 50.2, 0)");
  exec(
      "INSERT INTO Signs (SignID, Gloss, Yomi, forHandshape) VALUES (2, 'b', 'びー', ''), (3, 'c', NULL, '1'), (4, "
      "'d', NULL, 'yes')");
  const DbSign a = *db.getSign(1);
  EXPECT_EQ(a.tag, "");
  EXPECT_EQ(a.stdGloss, "");
  EXPECT_EQ(a.yomi, "雨");
  EXPECT_EQ(a.width, 40);
  EXPECT_EQ(a.height, 50);
  EXPECT_EQ(a.jjsText, "雨");
  EXPECT_FALSE(a.isForHandshape);
  EXPECT_EQ(db.getSign(2)->yomi, "びー");
  EXPECT_FALSE(db.getSign(2)->isForHandshape);
  EXPECT_TRUE(db.getSign(3)->isForHandshape);
  EXPECT_TRUE(db.getSign(4)->isForHandshape);
  EXPECT_FALSE(db.getSign(99).has_value());
}

TEST_F(DictionaryFixture, ValidationAlertsOnceForMissingFilesAndFilesWithoutSigns) {
  const QString language = Localization::language();
  Localization::setLanguage("en");
  // The alerts one check raises, each as "message | informative text".
  const auto alerts = [this](const QString& name, bool valid = false) {
    test::RecordingAlertSink sink;
    EXPECT_EQ(db.isValidDictionary(name), valid) << name.toStdString();
    QStringList out;
    for (qsizetype i = 0; i < sink.messages.size(); ++i) out << sink.messages[i] + " | " + sink.informativeTexts[i];
    return out;
  };
  EXPECT_EQ(alerts(file("nothing.db")), QStringList{"Dictionary does not exists: " + file("nothing.db") + " | "});
  EXPECT_FALSE(QFile::exists(file("nothing.db")));
  const QString other = foreignDatabase();
  EXPECT_EQ(alerts(other), QStringList{"Not a dictionary for Quabe: " + other + " | There is no signs in it"});
  EXPECT_EQ(alerts(junkFile()).size(), 1);
  EXPECT_EQ(alerts(path, true), QStringList());  // an empty Signs table is fine
  Localization::setLanguage(language);
}

TEST_F(DictionaryFixture, TagMigrationAddsTheColumnAndMovesCircledDigitsOutOfGlosses) {
  // An old dictionary: no Tag column, tags written into the gloss.
  const QString old = file("old.db");
  {
    SqliteDatabase db(old);
    ASSERT_TRUE(db.openOrCreate());
    ASSERT_TRUE(db.executeUpdate("CREATE TABLE Signs (SignID INTEGER, Gloss TEXT, StdGloss TEXT, Yomi TEXT)"));
    ASSERT_TRUE(
        db.executeUpdate("INSERT INTO Signs VALUES (1, '雨②', NULL, 'あめ'), (2, '雨', '', NULL), "
                         "(3, '降る①', '雨②', NULL), (4, '行①く', NULL, NULL)"));
  }
  db.setPath(old);
  EXPECT_EQ(db.getSign(1)->tag, "");  // the missing column reads as empty
  EXPECT_EQ(db.getSign(1)->gloss, "雨②");
  ASSERT_TRUE(db.addTagColumn(old));
  const DbSign first = *db.getSign(1);
  EXPECT_EQ(first.gloss, "雨");
  EXPECT_EQ(first.tag, "②");
  EXPECT_EQ(first.text(TagStyle::defaultStyle), "雨②");
  EXPECT_EQ(db.getSign(2)->tag, "");
  EXPECT_EQ(db.getSign(3)->gloss, "降る①");  // aliases are left alone
  EXPECT_EQ(db.getSign(4)->gloss, "行く");
  EXPECT_EQ(db.getSign(4)->tag, "①");
  // The alias now resolves through gloss and tag.
  EXPECT_EQ(db.getSignIDs("降る①"), QList<qint64>{1});

  // Running it again on a file that already has Tag changes nothing more.
  ASSERT_TRUE(db.addTagColumn(old));
  EXPECT_EQ(db.getSign(1)->gloss, "雨");
  EXPECT_FALSE(db.addTagColumn(file("absent.db")));
}
