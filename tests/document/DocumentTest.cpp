#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoCommand>

#include "BuildPaths.h"
#include "SwmlTestSupport.h"
#include "common/TestSupport.h"
#include "core/Resources.h"
#include "document/DbSign.h"
#include "document/Document.h"

namespace quabe {
namespace {

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  static QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
};

class NoOpCommand : public QUndoCommand {
 public:
  void undo() override {}
  void redo() override {}
};

TEST_F(DocumentTest, ReadingTakesTheFilesRootAttributesOverTheUserDefaults) {
  QFile file(path("box.swml"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<?xml version=\"1.0\"?><swml signboxWidth=\"120\" writingDirection=\"horizontal\"></swml>");
  file.close();
  Document document;
  document.prefs.defaultSignBoxHeight = 1;  // reading starts again from the user defaults
  const SwmlReadReport report = document.readFromFile(file.fileName());
  EXPECT_FALSE(report.isDamaged());
  EXPECT_EQ(document.prefs.defaultSignBoxWidth, 120);
  EXPECT_EQ(document.prefs.defaultSignBoxHeight, Preferences().defaultSignBoxHeight);
  EXPECT_FALSE(document.prefs.verticalWriting);
  EXPECT_EQ(document.filePath(), file.fileName());
  EXPECT_EQ(document.bufferManager.lineCount(), 1);
}

TEST_F(DocumentTest, FailedSavesLeaveThePreviousVersionIntactAndSayWhy) {
  QUABE_REQUIRE_ARCHIVE();
  Document document;
  document.prefs = test::fixedPreferences();
  ASSERT_TRUE(document.writeToFile(path("keep.swml")));
  const QByteArray previous = contents(path("keep.swml"));

  // Documents larger than the file-size limit the save runs under, one within
  // the save's write buffer (it reaches the disk only at the very end) and one
  // beyond it: both writes are cut off part-way, as by a full disk.
  for (const int signs : {30, 400}) {
    std::vector<test::SignSpec> many(
        signs,
        test::SignSpec{QStringLiteral("LONG GLOSS"), {}, 0, {{"01-01-001-01-01-01", 1, 1}}, QStringLiteral("c")});
    document.bufferManager = test::makeBuffer({many});
    document.setModified(true);
    const qsizetype size = document.swmlData().size();
    ASSERT_GT(size, 4096);
    ASSERT_EQ(size > 16384, signs == 400);
    QString reason;
    bool saved = false;
    {
      test::FileSizeLimit limit(4096);
      saved = document.writeToFile(path("keep.swml"), &reason);
    }
    EXPECT_FALSE(saved) << signs;
    EXPECT_EQ(reason, test::FileSizeLimit::failureText()) << signs;
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(contents(path("keep.swml")), previous) << signs;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.swml")});  // no leftovers
  }

  // A directory that does not exist.
  QString reason;
  EXPECT_FALSE(document.writeToFile(path("missing/dir/doc.swml"), &reason));
  EXPECT_TRUE(document.writeToFile(path("keep.swml")));
  EXPECT_GT(contents(path("keep.swml")).size(), previous.size());
}

TEST_F(DocumentTest, ModifiedFlagFollowsTheUndoStack) {
  Document document;
  QSignalSpy spy(&document, &Document::modifiedChanged);
  document.undoStack().push(new NoOpCommand);
  EXPECT_TRUE(document.isModified());
  document.undoStack().undo();
  EXPECT_FALSE(document.isModified());
  document.undoStack().redo();
  EXPECT_TRUE(document.isModified());
  ASSERT_TRUE(document.writeToFile(path("m.swml")));
  EXPECT_FALSE(document.isModified());
  document.undoStack().undo();  // away from the saved state again
  EXPECT_TRUE(document.isModified());
  document.setModified(false);
  EXPECT_FALSE(document.isModified());
  document.setModified(true);  // a change outside the stack
  EXPECT_TRUE(document.isModified());
  EXPECT_EQ(spy.count(), 7);

  document.readFromFile(path("m.swml"));
  EXPECT_FALSE(document.isModified());
  EXPECT_EQ(document.undoStack().count(), 0);
}

TEST_F(DocumentTest, DamagedAndMissingFilesAreReportedToTheUser) {
  test::RecordingAlertSink sink;
  Document document;
  QFile file(path("damaged.swml"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<?xml version=\"1.0\"?>\n<swml>\n<sign><gloss>A</gloss></sign>\n<sign><gloss>B</glo");
  file.close();
  const SwmlReadReport report = document.readFromFile(file.fileName());
  ASSERT_TRUE(report.isDamaged());
  EXPECT_EQ(report.errorLine, 4);
  Document::showReadProblems(file.fileName(), report);
  ASSERT_EQ(sink.messages.size(), 1);
  EXPECT_TRUE(sink.messages[0].contains(QStringLiteral("damaged.swml"))) << sink.messages[0].toStdString();
  EXPECT_TRUE(sink.informativeTexts[0].contains(QStringLiteral("line 4"))) << sink.informativeTexts[0].toStdString();
  EXPECT_EQ(document.bufferManager.editBuffer[0]->signArray[0]->jjs->gloss, QStringLiteral("A"));

  const SwmlReadReport missing = document.readFromFile(path("no-such-file.swml"));
  EXPECT_FALSE(missing.opened);
  Document::showReadProblems(path("no-such-file.swml"), missing);
  EXPECT_EQ(sink.messages.size(), 2);
  // The document keeps what it held.
  EXPECT_EQ(document.bufferManager.editBuffer[0]->signArray[0]->jjs->gloss, QStringLiteral("A"));

  SwmlReadReport clean;
  clean.sawSwmlElement = true;
  Document::showReadProblems(path("fine.swml"), clean);
  EXPECT_EQ(sink.messages.size(), 2);
}

TEST_F(DocumentTest, CommandLineInfoAndNormalize) {
  QUABE_REQUIRE_ARCHIVE();
  const QString golden = test::testDataPath(QStringLiteral("document.swml"));
  QProcess info;
  info.start(QStringLiteral(QUABE_CLI_PATH), {QStringLiteral("swml"), QStringLiteral("info"), golden});
  ASSERT_TRUE(info.waitForFinished(60000));
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_EQ(info.exitCode(), 0) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("total: 3 lines, 8 signs, 5 symbols"))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("gloss \"雨②\", yomi \"あめ\""))) << out.toStdString();

  QProcess normalize;
  normalize.start(QStringLiteral(QUABE_CLI_PATH),
                  {QStringLiteral("swml"), QStringLiteral("normalize"), golden, path("out.swml")});
  ASSERT_TRUE(normalize.waitForFinished(60000));
  EXPECT_EQ(normalize.exitCode(), 0);
  EXPECT_EQ(contents(path("out.swml")), contents(golden));

  QProcess damaged;
  damaged.start(QStringLiteral(QUABE_CLI_PATH), {QStringLiteral("swml"), QStringLiteral("info"),
                                                 test::testDataPath(QStringLiteral("broken/nesting.swml"))});
  ASSERT_TRUE(damaged.waitForFinished(60000));
  EXPECT_EQ(damaged.exitCode(), 1);
  EXPECT_TRUE(QString::fromUtf8(damaged.readAllStandardOutput()).contains(QStringLiteral("damaged: line 10")));

  // Symbols left out and positions clamped are damage too.
  QFile lossy(path("lossy.swml"));
  ASSERT_TRUE(lossy.open(QIODevice::WriteOnly));
  lossy.write(
      "<swml><sign><symbol x=\"-9000\">01-01-001-01-01-01</symbol><symbol>09-99-999-99-99-99</symbol></sign></swml>");
  lossy.close();
  QProcess lossyInfo;
  lossyInfo.start(QStringLiteral(QUABE_CLI_PATH), {QStringLiteral("swml"), QStringLiteral("info"), lossy.fileName()});
  ASSERT_TRUE(lossyInfo.waitForFinished(60000));
  EXPECT_EQ(lossyInfo.exitCode(), 1);
  EXPECT_TRUE(lossyInfo.readAllStandardOutput().contains(
      "damaged: 1 symbols without an image left out: 09-99-999-99-99-99 (line 1); "
      "1 coordinates beyond the limit clamped: x \"-9000\" (line 1)"));
}

}  // namespace
}  // namespace quabe
