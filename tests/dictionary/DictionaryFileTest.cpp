#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DictionaryFixture.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "symbols/Symbol.h"

using namespace quabe;
using quabe::test::DictionaryFixture;
using Ids = QList<qint64>;

namespace {
QStringList column(const QString& path, const QString& sql) { return test::sqlColumn(path, sql); }

const char* kSource = R"({
  "handshapes": [
    {"name": "1", "symbol": "S10000", "yomi": "いち", "comment": "index finger"},
    {"name": "5", "symbol": "S14c00"}
  ],
  "nms": [
    {"name": "疑問", "symbols": [{"symbol": "S30a00", "x": 0, "y": 0}, {"symbol": "S2ff00", "x": 1, "y": -2}]}
  ],
  "entries": [
    {"gloss": "雨", "yomi": "あめ", "meanings": ["rain"], "fsw": "M540x530S14c00500x500S2ff00460x470",
     "flags": ["c"], "comment": "example"},
    {"gloss": "雨②", "yomi": "あめ", "fsw": "M520x530S10008500x500", "flags": ["B"]},
    {"gloss": "行く", "fsw": "AS10000M520x540S10000500x500S20500505x480", "flags": ["ct", "tm"], "inflectionType": 2}
  ],
  "aliases": [{"gloss": "降る", "stdGloss": "雨②", "yomi": "ふる"}],
  "compounds": [{"gloss": "雨行く", "constituents": ["雨", "行く"], "meanings": ["go in the rain"]}]
})";
}  // namespace

TEST_F(DictionaryFixture, ANewDictionaryHasAllTablesKeysIndexesAndSymbolSizes) {
  EXPECT_EQ(column(path, "SELECT COUNT(*) FROM SymbolSize"), QStringList{"8"});

  // An existing file is kept unless replacing is asked for.
  QString error;
  EXPECT_FALSE(DictionaryFile::create(path, symbolData, false, &error));
  EXPECT_TRUE(error.contains("exists"));
  addEntry("keep");
  EXPECT_EQ(db.getMaxSignID(), 1);
  ASSERT_TRUE(DictionaryFile::create(path, QString(), true, &error));
  EXPECT_EQ(db.getMaxSignID(), 0);
  EXPECT_EQ(column(path, "SELECT COUNT(*) FROM SymbolSize"), QStringList{"0"});
  EXPECT_TRUE(QFile::permissions(path) & QFileDevice::ReadOther);
}

TEST_F(DictionaryFixture, CreationFailsCleanlyWithoutUsableSymbolData) {
  QString error;
  EXPECT_FALSE(DictionaryFile::create(file("a.db"), file("none.db"), false, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(DictionaryFile::create(file("b.db"), path, false, &error));  // no Symbols table
  EXPECT_FALSE(DictionaryFile::create(file("missing-dir/c.db"), symbolData, false, &error));
  const QStringList left = QDir(dir.path()).entryList(QDir::Files);
  EXPECT_EQ(left, (QStringList{"dict.db", "symbols.db"}));
}

TEST_F(DictionaryFixture, TheStarterSourceBuildsHandshapesMarkersEntriesAliasesAndCompounds) {
  const QString built = file("starter.db");
  QString error;
  ASSERT_TRUE(DictionaryFile::buildFromSource(kSource, built, symbolData, &error)) << error.toStdString();
  db.setPath(built);

  const std::optional<Symbol> index = db.getHandshapeSymbol("1");
  ASSERT_TRUE(index.has_value());
  EXPECT_EQ(index->sssText(), "01-01-001-01-01-01");
  EXPECT_TRUE(db.getSign(1)->isForHandshape);
  EXPECT_EQ(db.getSign(1)->width, 15);
  EXPECT_EQ(db.getNMSSymbols("疑問").size(), 2);
  EXPECT_EQ(db.getNMSSymbols("疑問")[1].location, QPointF(1, -2));

  const Ids rain = db.getSignIDs("雨");
  ASSERT_EQ(rain.size(), 2);
  const DbSign tagged = *db.getSign(rain[1]);
  EXPECT_EQ(tagged.jjsText, "雨②");
  EXPECT_EQ(db.getSignIDs("降る"), Ids{tagged.signID});
  EXPECT_EQ(spelling(db.getSignIDs("降る", "").first()), QStringList{"01-01-001-01-01-09@0,0 hand 3"});

  // Symbols moved so that the box starts at the origin.
  const DbSign plain = *db.getSign(rain[0]);
  EXPECT_EQ(spelling(plain.signID),
            (QStringList{"01-05-001-01-01-01@40,30 hand 1 changeable", "04-01-001-01-01-01@0,0"}));
  EXPECT_EQ(plain.width, 63);  // 40 + 23
  EXPECT_EQ(plain.height, 61);
  EXPECT_EQ(db.getMeanings(plain.signID), QStringList{"rain"});

  const qint64 go = db.getSignIDs("行く").first();
  EXPECT_EQ(spelling(go), (QStringList{"01-01-001-01-01-01@0,20 hand 1 changeable turnable",
                                       "02-01-001-01-01-01@5,0 turnable modifiable"}));
  EXPECT_EQ(db.getSign(go)->inflectionType, 2);

  const qint64 compound = db.getSignIDs("雨行く").first();
  const DbSign c = *db.getSign(compound);
  EXPECT_TRUE(c.isCompound);
  EXPECT_EQ(*c.constituentIDs, (Ids{plain.signID, go}));
}

TEST_F(DictionaryFixture, ABadStarterSourceLeavesNoFile) {
  const QString built = file("bad.db");
  QString error;
  EXPECT_FALSE(DictionaryFile::buildFromSource("{ not json", built, symbolData, &error));
  EXPECT_TRUE(error.contains("JSON"));
  EXPECT_FALSE(DictionaryFile::buildFromSource(R"({"entries": [{"gloss": "x", "fsw": "M500x500S99900490x490"}]})",
                                               built, symbolData, &error));
  EXPECT_TRUE(error.contains("x"));
  EXPECT_FALSE(DictionaryFile::buildFromSource(
      R"({"compounds": [{"gloss": "c", "constituents": ["nothing", "here"]}]})", built, symbolData, &error));
  EXPECT_FALSE(DictionaryFile::buildFromSource(R"({"handshapes": [{"name": "1", "symbol": "S10000"}],
      "entries": [{"id": 1, "gloss": "clash", "fsw": "M510x530S10000500x500"}]})",
                                               built, symbolData, &error));
  EXPECT_FALSE(QFile::exists(built));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(StarterDictionary, TheBundledDictionaryIsConsistent) {
  const QString starter = Resources::path("swdic.db");
  ASSERT_FALSE(starter.isEmpty()) << "the build makes swdic.db";
  const Dictionary db(starter);
  EXPECT_GE(column(starter, "SELECT COUNT(DISTINCT NMS) FROM NMS").first().toInt(), 3);
  // Every symbol of the archive's data has its size row.
  const QString symbolData = Resources::path("iswa2010data.db");
  ASSERT_FALSE(symbolData.isEmpty());
  EXPECT_EQ(column(starter, "SELECT COUNT(*) FROM SymbolSize").first().toInt(),
            column(symbolData, "SELECT COUNT(*) FROM Symbols").first().toInt());
  // Every stored symbol has a size, and every non-alias entry has symbols or constituents.
  EXPECT_EQ(column(starter, "SELECT COUNT(*) FROM Spelling WHERE SSS NOT IN (SELECT SSS FROM SymbolSize)"),
            QStringList{"0"});
  EXPECT_EQ(column(starter,
                   "SELECT COUNT(*) FROM Signs WHERE (StdGloss IS NULL OR StdGloss='') AND IsCompound=0 "
                   "AND SignID NOT IN (SELECT SignID FROM Spelling)"),
            QStringList{"0"});
  // Every alias names an entry.
  for (const QString& alias : column(starter, "SELECT Gloss FROM Signs WHERE StdGloss <> ''")) {
    EXPECT_FALSE(db.getSignIDs(alias).isEmpty()) << alias.toStdString();
  }
}
