#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BuildPaths.h"
#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "dictionary/SpmlImport.h"
#include "document/Fsw.h"

using namespace quabe;

namespace {

BufferManager bufferOf(const Fsw::Reading& reading) {
  BufferManager buffer;
  Fsw::fillBuffer(reading, buffer, test::fixedPreferences());
  return buffer;
}

// What a document keeps of a written sign: the lane, and each symbol's key
// and place relative to the sign's smallest coordinates.
QString placed(const FswSign& sign) {
  QString out = QString::number(sign.lane());
  for (const FswSymbol& s : sign.symbols)
    out += QStringLiteral(" %1@%2,%3").arg(s.key, 0, 16).arg(s.x - sign.minX()).arg(s.y - sign.minY());
  return out;
}

class FswTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::loadSymbolArchive()); }
};

}  // namespace

TEST_F(FswTest, EverySignOfTheAslDictionaryComesBackFromSwuAndFromTheDocument) {
  // The example of the SWU encoding, character by character.
  EXPECT_EQ(FswSign::parse(u"AS14c20S27106M518x529S14c20481x471S27106503x489")->swu(),
            QString::fromUcs4(U"\U0001D800\U00041CA1\U00048A67\U0001D803\U0001D918\U0001D923\U00041CA1\U0001D8F3"
                              U"\U0001D8E9\U00048A67\U0001D909\U0001D8FB"));
  QFile file(QStringLiteral(QUABE_ASL_SPML));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  SpmlReader reader(&file);
  SpmlEntry entry;
  int signs = 0;
  while (reader.readNext(entry)) {
    if (entry.sign.isEmpty()) continue;
    const std::optional<FswSign> read = FswSign::parse(entry.sign);
    ASSERT_TRUE(read) << entry.sign.toStdString();
    const std::optional<FswSign> fromSwu = FswSign::parse(read->swu());
    ASSERT_TRUE(fromSwu && fromSwu->fsw() == entry.sign) << entry.sign.toStdString();
    QStringList problems;
    const FswSign written = Fsw::fromSign(*Fsw::toSign(*fromSwu, &problems), &problems);
    ASSERT_EQ(placed(written), placed(*read)) << entry.sign.toStdString();
    ASSERT_EQ(problems, QStringList()) << entry.sign.toStdString();
    ++signs;
  }
  EXPECT_FALSE(reader.hasError());
  EXPECT_EQ(signs, 11459);  // 10 of them lone punctuation symbols
}

TEST_F(FswTest, TextsYieldTheSignsAmongTheirWordsAndReportWhatTheyCannotCarry) {
  // Per line, per sign its symbol count and lane.
  const auto signsOf = [](const Fsw::Reading& reading) {
    QStringList lines;
    for (const QList<SignPtr>& line : reading.lines) {
      QStringList signs;
      for (const SignPtr& sign : line) signs << QStringLiteral("%1@%2").arg(sign->symbols.size()).arg(sign->lane);
      lines << signs.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('/'));
  };
  EXPECT_EQ(
      signsOf(Fsw::read(
          u"Hi M518x529S14c20481x471, ASAP\r\n\nR510x520S10000490x480 S38800464x496 M518x529S14c20481x471junk\n")),
      "1@0//1@1 1@0");
  EXPECT_EQ(signsOf(Fsw::read(u"Dear M. Smith, S is a letter; M500x500 and S10000 are not alone.")), "0@0");

  // Coordinates beyond 250-749 are clamped, symbols outside ISWA 2010 left out: both said.
  const Fsw::Reading reading = Fsw::read(u"M800x800S14c20781x771S20507500x500");
  ASSERT_EQ(reading.signCount, 1);
  EXPECT_EQ(reading.lines[0][0]->symbols.size(), 1);
  EXPECT_EQ(reading.problems.size(), 2) << reading.problems.join(" / ").toStdString();

  auto sign = std::make_shared<Sign>();
  for (const char* code : {"01-01-001-01-01-01", "07-01-004-01-01-01", "02-05-001-01-01-01"}) {
    auto symbol = std::make_shared<ISWA>(QString::fromLatin1(code));
    symbol->rect.moveTopLeft(QPointF(sign->symbols.size() * 300, 0));
    sign->symbols << symbol;
  }
  QStringList problems;
  const FswSign written = Fsw::fromSign(*sign, &problems);
  EXPECT_EQ(written.symbols.size(), 2);
  EXPECT_EQ(written.maxX, FswMaxCoordinate);
  EXPECT_EQ(problems.size(), 2) << problems.join(" / ").toStdString();
}

TEST_F(FswTest, ConvertCarriesDocumentsBetweenSwmlFswAndSwu) {
  QTemporaryDir dir;
  const auto cli = [](const QStringList& args, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(QUABE_CLI_PATH), QStringList{"convert"} + args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return std::pair(process.exitCode(), process.readAllStandardOutput());
  };
  const QByteArray fsw = "M518x529S14c20481x471 L510x520S10000490x480\nR510x520S10000490x480S20500470x505\n";
  const QString in = dir.filePath("in.fsw");
  ASSERT_TRUE(test::writeFile(in, fsw));
  EXPECT_EQ(cli({in, dir.filePath("doc.swml")}).first, 0);
  EXPECT_EQ(cli({dir.filePath("doc.swml"), dir.filePath("doc.swu")}).first, 0);
  QFile swu(dir.filePath("doc.swu"));
  ASSERT_TRUE(swu.open(QIODevice::ReadOnly));
  const auto [code, out] = cli({"-", "-"}, swu.readAll());
  EXPECT_EQ(code, 0);
  // Lanes, codes and places came through SWML and SWU unchanged.
  EXPECT_EQ(QString::fromUtf8(out), Fsw::writeDocument(bufferOf(Fsw::read(QString::fromUtf8(fsw))), Fsw::Form::fsw));

  EXPECT_EQ(cli({"-", dir.filePath("prose.swml")}, "no sign here").first, 1);
  EXPECT_FALSE(QFile::exists(dir.filePath("prose.swml")));
  EXPECT_EQ(cli({dir.filePath("absent.fsw"), "-"}).first, 1);
  EXPECT_EQ(cli({in, dir.filePath("missing/out.swu")}).first, 1);
  EXPECT_EQ(cli({in, dir.filePath("out.doc")}).first, 2);
  EXPECT_EQ(cli({in}).first, 2);
}
