#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BuildPaths.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

TEST(SymbolArchiveCli, InfoTellsStoredSynthesisedAndAbsentImagesApart) {
  ASSERT_TRUE(QFile::exists(QUABE_CLI_PATH)) << "quabe-cli not built";
  QImage image(3, 5, QImage::Format_ARGB32);
  image.fill(Qt::black);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  QTemporaryDir dir;
  const QString path = dir.filePath("iswa2010bin");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(SymbolArchive::encodeArchive(
      {{SSS::fromString("01-01-001-01-01-01"), png}, {SSS::fromString("04-01-001-01-01-01"), png}}));
  file.close();

  QProcess cli;
  cli.start(QUABE_CLI_PATH, {"archive", "info", "--archive", path, "01-01-001-01-01-01", "01-01-001-01-01-03",
                             "04-01-001-01-01-05", "nonsense"});
  ASSERT_TRUE(cli.waitForFinished(30000));
  const QString out = QString::fromUtf8(cli.readAllStandardOutput());
  EXPECT_TRUE(out.contains("2 entries")) << out.toStdString();
  EXPECT_TRUE(out.contains("01-01-001-01-01-01\tstored\t3x5")) << out.toStdString();
  EXPECT_TRUE(out.contains("01-01-001-01-01-03\tsynthesised\t5x3")) << out.toStdString();
  EXPECT_TRUE(out.contains("04-01-001-01-01-05\tabsent")) << out.toStdString();
  EXPECT_EQ(cli.exitCode(), 1);  // "nonsense" is not a code

  cli.start(QUABE_CLI_PATH, {"archive", "info", "--archive", dir.filePath("missing")});
  ASSERT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 1);

  // A damaged archive: its whole entries are read, the damage is told on standard error.
  QByteArray bytes;
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  bytes = file.readAll();
  file.close();
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.left(bytes.size() - 4));
  file.close();
  cli.start(QUABE_CLI_PATH, {"archive", "info", "--archive", path});
  ASSERT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 1);
  EXPECT_TRUE(cli.readAllStandardOutput().contains("1 entries"));
  EXPECT_TRUE(cli.readAllStandardError().contains("damaged"));
}
