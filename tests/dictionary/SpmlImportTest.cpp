#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "BuildPaths.h"
#include "DictionaryFixture.h"
#include "common/TestSupport.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/SpmlExport.h"
#include "dictionary/SpmlImport.h"
#include "dictionary/SpmlList.h"
#include "document/Fsw.h"
#include "symbols/SymbolCode.h"

using namespace quabe;
using quabe::test::DictionaryFixture;

namespace {
const char* kSpml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE spml SYSTEM "http://www.signpuddle.net/spml_1.6.dtd">
<spml root="x" type="sgn" puddle="4" cdt="1" mdt="2" nextid="9">
  <term><![CDATA[Dictionary]]></term>
  <png>iVBORw0KGgo=</png>
<entry id="1" cdt="1311183542" mdt="1311183729" usr="Val">
  <term>AS17620S15a18M523x514S15a18478x487S17620491x494</term>
  <term><![CDATA[test zero]]></term>
  <term><![CDATA[test 0]]></term>
  <text><![CDATA[we are testing]]></text>
  <video><![CDATA[<iframe></iframe>]]></video>
  <src><![CDATA[Val ;-)]]></src>
</entry>
<entry id="2" cdt="1172438870" mdt="1216741367" usr="admin">
  <term><![CDATA[no sign here]]></term>
</entry>
<entry id="3" cdt="1172438877" mdt="1218173289">
  <term>L530x520S10000500x490S20500470x505</term>
  <text><![CDATA[only a text]]></text>
</entry>
<entry id="3">
  <term>M510x510S10000490x490</term>
  <term><![CDATA[it's a "duplicate" id]]></term>
</entry>
<entry id="7">
  <term>M510x510S99900490x490</term>
  <term><![CDATA[bad key]]></term>
</entry>
</spml>)";

// Every row of the tables an entry lives in, in a fixed order; NULL text
// reads as the empty text, as it does in the records.
QStringList entryRows(const QString& path) {
  SqliteDatabase db(path);
  EXPECT_TRUE(db.open());
  QStringList rows;
  for (const char* sql :
       {"SELECT SignID, Gloss, IFNULL(Tag,''), IFNULL(Yomi,''), IFNULL(StdGloss,''), IFNULL(HandShape,''), "
        "IFNULL(Position,''), IFNULL(Src,''), IFNULL(Dest,''), IFNULL(Modifier,''), Width, Height, InflectionType, "
        "ModificationType, IFNULL(Comment,''), forHandshape, CreationTime, ModificationTime, IsCompound FROM Signs",
        "SELECT * FROM Spelling ORDER BY SignID, SubID", "SELECT SignID, Japanese FROM Translation ORDER BY 1, 2",
        "SELECT CompoundID, ConstituentID, ComponentOrder, Gloss FROM Compounds ORDER BY 1, 3"}) {
    auto rs = db.executeQuery(QString::fromUtf8(sql));
    EXPECT_TRUE(rs) << sql;
    while (rs && rs->next()) {
      QStringList cells;
      for (int c = 0; c < rs->columnCount(); ++c) cells << rs->stringForColumnIndex(c).value_or("NULL");
      rows << cells.join(QLatin1Char('|'));
    }
  }
  return rows;
}

// Exports a dictionary and imports the export into a new one: every row
// must come back. Returns the new dictionary's path.
QString exportAndReimport(const QString& dictionary, const QTemporaryDir& dir) {
  const QString spml = dir.filePath("export.spml"), copy = dir.filePath("reimported.db");
  const SpmlExportResult exported = exportSpml(dictionary, spml);
  EXPECT_TRUE(exported.ok) << exported.error.toStdString();
  EXPECT_EQ(exported.problems, QStringList());
  EXPECT_TRUE(DictionaryFile::create(copy, QString(), false, nullptr));
  QFile file(spml);
  const SpmlImportResult imported = importSpml(&file, copy);
  EXPECT_TRUE(imported.ok) << imported.error.toStdString();
  EXPECT_EQ(imported.imported, exported.exported);
  const QStringList before = entryRows(dictionary), after = entryRows(copy);
  const auto [b, a] = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
  EXPECT_TRUE(b == before.end() && a == after.end())
      << "first difference: " << (b != before.end() ? b->toStdString() : "-") << " / "
      << (a != after.end() ? a->toStdString() : "-");
  return copy;
}

SpmlImportResult importText(const QByteArray& text, const QString& path) {
  QBuffer buffer;
  buffer.setData(text);
  return importSpml(&buffer, path);
}
}  // namespace

TEST_F(DictionaryFixture, SpmlEntriesWithSignsBecomeEntriesWithTheirBoxAtTheOrigin) {
  QList<std::pair<int, int>> progress;
  QBuffer buffer;
  buffer.setData(kSpml);
  const SpmlImportResult result =
      importSpml(&buffer, path, [&](int imported, int skipped) { progress << std::pair(imported, skipped); });
  ASSERT_TRUE(result.ok) << result.error.toStdString();
  EXPECT_EQ(result.imported, 3);
  EXPECT_EQ(result.skipped, 2);
  EXPECT_EQ(progress.last(), std::pair(3, 2));

  const DbSign first = *db.getSign(1);
  EXPECT_EQ(first.gloss, "test zero");
  EXPECT_EQ(first.yomi, "test zero");
  EXPECT_EQ(first.comment, "Val ;-)");
  EXPECT_EQ(first.creationTime, 1311183542);
  EXPECT_EQ(first.modificationTime, 1311183729);
  EXPECT_EQ(first.width, 523 - 478);
  EXPECT_EQ(first.height, 514 - 487);
  EXPECT_EQ(db.getMeanings(1), (QStringList{"test 0", "we are testing"}));
  // S15a18 is a mirrored hand: the left one (2).
  EXPECT_EQ(spelling(1), (QStringList{"01-05-015-01-02-09@0,0 hand 2", "01-05-043-01-03-01@13,7 hand 1"}));

  EXPECT_EQ(gloss(3), "only a text");
  EXPECT_TRUE(db.getMeanings(3).isEmpty());
  EXPECT_EQ(spelling(3), (QStringList{"01-01-001-01-01-01@30,0 hand 1", "02-01-001-01-01-01@0,15"}));
  // The second entry with id 3 gets the next free id.
  EXPECT_EQ(gloss(4), "it's a \"duplicate\" id");
  EXPECT_FALSE(db.getSign(2).has_value());
  EXPECT_EQ(db.getMaxSignID(), 4);
}

TEST_F(DictionaryFixture, SpmlImportKeepsExistingIdsAndWritesNothingFromABrokenFile) {
  const qint64 existing = addEntry("mine");
  ASSERT_EQ(existing, 1);
  // Malformed XML after a good entry: nothing at all is imported.
  QByteArray broken(kSpml);
  broken.replace("</entry>\n<entry id=\"2\"", "</entry>\n<entry id=\"2\"<<");
  SpmlImportResult result = importText(broken, path);
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.isEmpty());
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 1);

  // Truncated in the middle of an entry.
  result = importText(QByteArray(kSpml).left(500), path);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Signs"), 1);

  // An empty export is fine and imports nothing.
  result = importText("<spml></spml>", path);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.imported, 0);

  result = importText(kSpml, path);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(gloss(1), "mine");
  EXPECT_EQ(gloss(2), "test zero");  // id 1 was taken
  EXPECT_EQ(gloss(3), "only a text");

  // Not a dictionary, or no file at all.
  EXPECT_FALSE(importText(kSpml, symbolData).ok);
  EXPECT_FALSE(importText(kSpml, file("absent.db")).ok);
  EXPECT_FALSE(QFile::exists(file("absent.db")));
}

TEST(SpmlImportRealData, TheAslExportImportsEveryEntryWithASignAndComesBackFromOurExport) {
  const QString spml = QStringLiteral(QUABE_ASL_SPML);
  ASSERT_TRUE(QFile::exists(spml)) << "the build unpacks asl.spml from tests/data/asl";
  QTemporaryDir dir;
  const QString dict = dir.filePath("asl.db");
  ASSERT_TRUE(DictionaryFile::create(dict, QString(), false, nullptr));
  QFile file(spml);
  const SpmlImportResult result = importSpml(&file, dict);
  ASSERT_TRUE(result.ok) << result.error.toStdString();
  // 11,658 entries, 199 of them without a sign term (10 signs are lone punctuation symbols).
  EXPECT_EQ(result.imported, 11459);
  EXPECT_EQ(result.skipped, 199);
  // Every sign's symbols start at (0, 0) and no code is lost.
  EXPECT_EQ(test::sqlColumn(dict,
                            "SELECT COUNT(*) || ' ' || SUM(minX) || ' ' || SUM(minY) FROM (SELECT MIN(pos_x) "
                            "AS minX, MIN(pos_y) AS minY FROM Spelling GROUP BY SignID)"),
            QStringList{"11459 0 0"});
  EXPECT_EQ(test::sqlScalar(dict, "SELECT COUNT(*) FROM Spelling WHERE SSS NOT LIKE '0_-__-___-__-0_-__'"), 0);
  // Entry 8: "M522x525S11541498x491S11549479x498S20600489x476".
  const QStringList rows =
      test::sqlColumn(dict, "SELECT SSS || ' ' || pos_x || ',' || pos_y FROM Spelling WHERE SignID=8 ORDER BY SubID");
  EXPECT_EQ(rows, (QStringList{SSS::toString(SSS::fromFswKey("S11541")) + " 19,15",
                               SSS::toString(SSS::fromFswKey("S11549")) + " 0,22",
                               SSS::toString(SSS::fromFswKey("S20600")) + " 10,0"}));
  exportAndReimport(dict, dir);
}

TEST(SpmlExport, TheStarterDictionaryComesBackRowForRowEvenWhereItsIdsAreTaken) {
  QTemporaryDir dir;
  const QString starter = Resources::path(QStringLiteral("swdic.db"));
  ASSERT_FALSE(starter.isEmpty());
  const QString copy = exportAndReimport(starter, dir);
  // A second import finds every id taken: compounds follow their constituents' new ids.
  const auto scalar = [&copy](const QString& sql) { return test::sqlScalar(copy, sql); };
  const qint64 firstMax = scalar("SELECT MAX(SignID) FROM Signs");
  QFile file(dir.filePath("export.spml"));
  ASSERT_TRUE(importSpml(&file, copy).ok);
  EXPECT_GT(scalar(QString("SELECT COUNT(*) FROM Compounds WHERE CompoundID > %1").arg(firstMax)), 0);
  EXPECT_EQ(
      scalar(QString("SELECT COUNT(*) FROM Compounds WHERE CompoundID > %1 AND ConstituentID <= %1").arg(firstMax)), 0);
}

// Each entry starts empty (nothing inherited from the one before); signs
// come with any box marker, with or without sort prefix, in the lane of
// their box; a punctuation symbol may stand alone in a text.
TEST(SpmlImportList, EntriesStartEmptyAndEveryFormOfSignIsRead) {
  ASSERT_TRUE(test::loadSymbolArchive());
  QByteArray spml = R"(<spml>
<entry id="1"><term>AS10000M510x530S10000490x470</term><term><![CDATA[first]]></term>
  <text><![CDATA[a description]]></text><src><![CDATA[a source]]></src></entry>
<entry id="2"><term>B530x520S10000500x490S20500470x505</term><term><![CDATA[second]]></term></entry>
<entry id="3"><text>R508x515S10000493x485 L508x531S20500493x520S10e00493x469 S38800464x496</text></entry>
</spml>)";
  QBuffer buffer(&spml);
  QList<SpmlListEntry> entries;
  ASSERT_TRUE(readSpmlList(&buffer, entries));
  ASSERT_EQ(entries.size(), 3);
  EXPECT_EQ(entries[0].source, "a source; a description");
  EXPECT_EQ(entries[1].title, "second");
  EXPECT_EQ(entries[1].source, "");
  EXPECT_EQ(entries[1].signText, "");
  EXPECT_EQ(entries[1].signs().size(), 1);
  EXPECT_EQ(entries[2].title, "");
  EXPECT_EQ(entries[2].signTerm, "");
  const QList<SignPtr> text = entries[2].signs();
  ASSERT_EQ(text.size(), 3);
  EXPECT_EQ(text[0]->lane, 1);
  EXPECT_EQ(text[1]->lane, -1);
  EXPECT_EQ(text[1]->symbols.size(), 2);
  EXPECT_EQ(text[2]->symbols.size(), 1);
}
