#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "BuildPaths.h"
#include "DictionaryFixture.h"
#include "core/Diagnostics.h"
#include "dictionary/Dictionary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/Fsw.h"
#include "dictionary/SpmlImport.h"

using namespace quabe;
using quabe::test::DictionaryFixture;

TEST(FswSign, ReadsBoxLaneAndSymbolsAfterAnOptionalSortSequence) {
  const auto sign = FswSign::parse(u"AS14c20S27106M518x529S14c20481x471S27106503x489");
  ASSERT_TRUE(sign.has_value());
  EXPECT_EQ(sign->boxMarker, QChar('M'));
  EXPECT_EQ(sign->lane, 0);
  EXPECT_EQ(sign->maxX, 518);
  EXPECT_EQ(sign->maxY, 529);
  ASSERT_EQ(sign->symbols.size(), 2);
  EXPECT_EQ(sign->symbols[0].key, "S14c20");
  EXPECT_EQ(SSS::toString(sign->symbols[0].code), "01-05-001-01-03-01");
  EXPECT_EQ(sign->symbols[1].x, 503);
  EXPECT_EQ(sign->minX(), 481);
  EXPECT_EQ(sign->minY(), 471);
  EXPECT_EQ(FswSign::parse(u"L510x520S10000490x480")->lane, -1);
  EXPECT_EQ(FswSign::parse(u" R510x520S10000490x480\n")->lane, 1);
  EXPECT_EQ(FswSign::parse(u"B510x520")->symbols.size(), 0);
  EXPECT_TRUE(FswSign::looksLikeSign(u"AS10000M510x520S10000490x480"));
}

TEST(FswSign, RejectsTextsThatAreNotSigns) {
  for (const char16_t* text : {u"", u"test zero", u"M518x52", u"X518x529S14c20481x471", u"M518x529S14c20481x47",
                               u"M518x529S14c2048lx471", u"M518x529S99920481x471", u"M518x529S14c60481x471", u"AS14c20",
                               u"M518x529S14c20481x471junk", u"M518x529 S14c20481x471"}) {
    EXPECT_FALSE(FswSign::parse(text).has_value()) << QString::fromUtf16(text).toStdString();
  }
  EXPECT_FALSE(FswSign::looksLikeSign(u"hello world, a long text that is not a sign"));
}

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
  const QList<DbISWA> rows = db.getSpelling(1);
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0].sss, SSS::toString(SSS::fromFswKey("S15a18")));
  EXPECT_EQ(rows[0].x, 0);
  EXPECT_EQ(rows[0].y, 0);
  EXPECT_EQ(rows[0].hand, int(Hand::left));  // mirrored hand
  EXPECT_EQ(rows[1].x, 13);
  EXPECT_EQ(rows[1].y, 7);
  EXPECT_EQ(rows[1].hand, int(Hand::right));

  const DbSign textOnly = *db.getSign(3);
  EXPECT_EQ(textOnly.gloss, "only a text");
  EXPECT_TRUE(db.getMeanings(3).isEmpty());
  EXPECT_EQ(db.getSpelling(3)[0].x, 30);
  EXPECT_EQ(db.getSpelling(3)[1].hand, 0);
  // The second entry with id 3 gets the next free id.
  EXPECT_EQ(db.getGloss(4), "it's a \"duplicate\" id");
  EXPECT_FALSE(db.getSign(2).has_value());
  EXPECT_EQ(db.getMaxSignID(), 4);
}

TEST_F(DictionaryFixture, SpmlImportKeepsExistingIdsAndWritesNothingFromABrokenFile) {
  setDiagnosticsEnabled(false);
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

  // Random bytes.
  QByteArray noise(4096, '\0');
  for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919) % 251);
  EXPECT_FALSE(importText(noise, path).ok);

  // An empty export is fine and imports nothing.
  result = importText("<spml></spml>", path);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.imported, 0);

  result = importText(kSpml, path);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(db.getGloss(1), "mine");
  EXPECT_EQ(db.getGloss(2), "test zero");  // id 1 was taken
  EXPECT_EQ(db.getGloss(3), "only a text");

  // Not a dictionary, or no file at all.
  EXPECT_FALSE(importText(kSpml, symbolData).ok);
  EXPECT_FALSE(importText(kSpml, file("absent.db")).ok);
  EXPECT_FALSE(QFile::exists(file("absent.db")));
}

TEST(SpmlImportRealData, TheAslExportImportsEveryEntryWithASign) {
  const QString spml = QStringLiteral(QUABE_ASL_SPML);
  ASSERT_TRUE(QFile::exists(spml)) << "the build unpacks asl.spml from tests/data/asl";
  QTemporaryDir dir;
  const QString dict = dir.filePath("asl.db");
  ASSERT_TRUE(DictionaryFile::create(dict, QString(), false, nullptr));
  QFile file(spml);
  const SpmlImportResult result = importSpml(&file, dict);
  ASSERT_TRUE(result.ok) << result.error.toStdString();
  // 11,658 entries, 209 of them without a sign term.
  EXPECT_EQ(result.imported, 11449);
  EXPECT_EQ(result.skipped, 209);
  SqliteDatabase db(dict);
  ASSERT_TRUE(db.open());
  // Every sign's symbols start at (0, 0) and no code is lost.
  auto rs = db.executeQuery(
      "SELECT COUNT(*), SUM(minX), SUM(minY) FROM (SELECT MIN(pos_x) AS minX, MIN(pos_y) AS minY FROM Spelling "
      "GROUP BY SignID)");
  ASSERT_TRUE(rs && rs->next());
  EXPECT_EQ(rs->intForColumnIndex(0), 11449);
  EXPECT_EQ(rs->intForColumnIndex(1), 0);
  EXPECT_EQ(rs->intForColumnIndex(2), 0);
  rs = db.executeQuery("SELECT COUNT(*) FROM Spelling WHERE SSS NOT LIKE '0_-__-___-__-0_-__'");
  ASSERT_TRUE(rs && rs->next());
  EXPECT_EQ(rs->intForColumnIndex(0), 0);
  // Entry 8: "M522x525S11541498x491S11549479x498S20600489x476".
  rs = db.executeQuery("SELECT SSS, pos_x, pos_y FROM Spelling WHERE SignID=8 ORDER BY SubID");
  QStringList rows;
  while (rs && rs->next())
    rows << QString("%1 %2,%3")
                .arg(rs->textForColumn("SSS"))
                .arg(rs->intForColumn("pos_x"))
                .arg(rs->intForColumn("pos_y"));
  EXPECT_EQ(rows, (QStringList{SSS::toString(SSS::fromFswKey("S11541")) + " 19,15",
                               SSS::toString(SSS::fromFswKey("S11549")) + " 0,22",
                               SSS::toString(SSS::fromFswKey("S20600")) + " 10,0"}));
}
