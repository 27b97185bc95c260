#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BuildPaths.h"
#include "SwmlTestSupport.h"
#include "common/RandomDocument.h"
#include "common/TestSupport.h"
#include "dictionary/SpmlImport.h"
#include "document/Fsw.h"

using namespace quabe;

namespace {

// What FSW and SWU keep of a document: per line, per sign the lane and the
// symbol codes with their positions relative to the sign's first symbol.
QStringList shapes(const BufferManager& buffer) {
  QStringList lines;
  for (const SignStringPtr& line : buffer.editBuffer) {
    QStringList signs;
    for (const SignPtr& sign : line->signArray) {
      QString shape = QString::number(sign->lane);
      for (const ISWAPtr& symbol : sign->symbols)
        shape += QStringLiteral(" %1@%2,%3")
                     .arg(SSS::toString(symbol->sss()))
                     .arg(symbol->rect.x() - sign->symbols[0]->rect.x())
                     .arg(symbol->rect.y() - sign->symbols[0]->rect.y());
      signs << shape;
    }
    lines << signs.join(QStringLiteral(" | "));
  }
  return lines;
}

BufferManager bufferOf(const Fsw::Reading& reading) {
  BufferManager buffer;
  Fsw::fillBuffer(reading, buffer, test::fixedPreferences());
  return buffer;
}

class FswTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::loadSymbolArchive()); }
};

}  // namespace

TEST_F(FswTest, DocumentsKeepEveryCodePositionAndLaneThroughFswAndSwu) {
  for (quint32 seed = 1; seed <= 30; ++seed) {
    const BufferManager original = test::randomDocument(seed);
    for (const Fsw::Form form : {Fsw::Form::fsw, Fsw::Form::swu}) {
      QStringList problems;
      const QString text = Fsw::writeDocument(original, form, &problems);
      const Fsw::Reading reading = Fsw::read(text);
      EXPECT_EQ(problems + reading.problems, QStringList());
      ASSERT_EQ(shapes(bufferOf(reading)), shapes(original)) << "seed " << seed << "\n" << text.toStdString();
    }
  }
}

TEST(FswText, EverySignOfTheAslDictionaryComesBackFromSwuUnchanged) {
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
    const std::optional<FswSign> back = FswSign::parse(FswSign::parse(entry.sign)->swu());
    ASSERT_TRUE(back) << entry.sign.toStdString();
    ASSERT_EQ(back->fsw(), entry.sign);
    ++signs;
  }
  EXPECT_FALSE(reader.hasError());
  EXPECT_EQ(signs, 11459);  // 10 of them lone punctuation symbols
}

TEST_F(FswTest, TextsYieldTheSignsAmongTheirWordsAndReportWhatTheyCannotCarry) {
  Fsw::Reading reading =
      Fsw::read(u"Hi M518x529S14c20481x471, ASAP\r\n\nR510x520S10000490x480 S38800464x496 M518x529S14c20481x471junk\n");
  ASSERT_EQ(reading.lines.size(), 3);
  EXPECT_EQ(reading.signCount, 3);
  EXPECT_EQ(reading.lines[0].size(), 1);
  EXPECT_TRUE(reading.lines[1].isEmpty());
  ASSERT_EQ(reading.lines[2].size(), 2);
  EXPECT_EQ(reading.lines[2][0]->lane, 1);
  EXPECT_EQ(reading.lines[2][1]->symbols.size(), 1);  // the lone punctuation
  EXPECT_EQ(Fsw::read(u"Dear M. Smith, S is a letter; M500x500 and S10000 are not alone.").signCount, 1);

  // Coordinates beyond 250-749 are clamped, symbols outside ISWA 2010 left out: both said.
  reading = Fsw::read(u"M800x800S14c20781x771S20507500x500");
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
  QFile in(dir.filePath("in.fsw"));
  ASSERT_TRUE(in.open(QIODevice::WriteOnly) && in.write(fsw) == fsw.size());
  in.close();
  EXPECT_EQ(cli({in.fileName(), dir.filePath("doc.swml")}).first, 0);
  EXPECT_EQ(cli({dir.filePath("doc.swml"), dir.filePath("doc.swu")}).first, 0);
  const auto [code, out] = cli({"-", "-"}, [&] {
    QFile swu(dir.filePath("doc.swu"));
    return swu.open(QIODevice::ReadOnly) ? swu.readAll() : QByteArray();
  }());
  EXPECT_EQ(code, 0);
  EXPECT_EQ(shapes(bufferOf(Fsw::read(QString::fromUtf8(out)))), shapes(bufferOf(Fsw::read(QString::fromUtf8(fsw)))));

  EXPECT_EQ(cli({"-", dir.filePath("prose.swml")}, "no sign here").first, 1);
  EXPECT_FALSE(QFile::exists(dir.filePath("prose.swml")));
  EXPECT_EQ(cli({dir.filePath("absent.fsw"), "-"}).first, 1);
  EXPECT_EQ(cli({in.fileName(), dir.filePath("missing/out.swu")}).first, 1);
  EXPECT_EQ(cli({in.fileName(), dir.filePath("out.doc")}).first, 2);
  EXPECT_EQ(cli({in.fileName()}).first, 2);
}
